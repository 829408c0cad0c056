#!/usr/bin/env bash
# Abuses the real program with a few hundred random clicks on its eight
# buttons at random intervals, including during generations and right after
# stop, then closes it at a random moment. Every run must end with status 0
# within a few seconds of the close, with a well-formed trace and nothing on
# stderr (where the sanitizers would report).
#   stress.sh VIVAR WM_CLOSE PICTURES-DIR SEED [CLICKS]
set -u
vivar=$1 wm_close=$2 pictures=$3 seed=$4 clicks=${5:-300}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/session.sh"
die() { echo "FAIL (seed $seed): $*"; echo "--- stderr"; head -c 4000 "$err"; exit 1; }

cd "$pictures" || die "no pictures folder"
"$vivar" >"$out" 2>"$err" &
pid=$!
window=$(wait_for_window) && [ -n "$window" ] || die "no window"

RANDOM=$seed
close_after=$(( clicks / 2 + RANDOM % (clicks / 2 + 1) ))
# Play, stop, clear and fill come up more often than the colours. One
# xdotool run does every click, so the intervals are the ones drawn here.
weights=(0 0 0 1 1 1 2 2 3 3 4 5 6 7)
script=()
for i in $(seq "$close_after"); do
  b=${weights[$(( RANDOM % ${#weights[@]} ))]}
  script+=(mousemove 15 "$(button_y "$b")" click --delay 0 1)
  # Now and then straight on to the next click, as right after stop.
  (( RANDOM % 4 == 0 )) || script+=(sleep "0.0$(( RANDOM % 10 ))$(( RANDOM % 10 ))")
done
xdotool "${script[@]}"
started=$(now_ms)
"$wm_close" "$window"
# A sanitizer's runtime slows the ending too; its builds allow more.
limit_ms=${VIVAR_CLOSE_LIMIT_MS:-3000}
wait_for $(( limit_ms / 1000 + 2 )) bash -c "! kill -0 $pid 2>/dev/null" || die "still running long after the close"
wait "$pid"
status=$?
pid=
close_ms=$(( $(now_ms) - started ))
generations=$(grep -c -x -F 'model ----------------------------- a cambiar imagenes ' "$out")

[ "$status" -eq 0 ] || die "exit status $status"
[ "$close_ms" -le "$limit_ms" ] || die "$close_ms ms from close to exit"
[ ! -s "$err" ] || die "stderr not empty"
awk -f "$here/trace_check.awk" "$out" || die "trace not well formed"
echo "stress seed $seed: $close_after clicks, $generations generations, close to exit $close_ms ms"
