#!/usr/bin/env bash
# Abuses the real program with a few hundred random clicks on its eight
# buttons at random intervals, including during generations and right after
# stop, then closes it at a random moment. Every run must end with status 0
# after the close, with a well-formed trace and nothing on stderr (where the
# sanitizers would report). How long the ending took is printed, a figure for
# benchmarks: only a hang fails.
#   stress.sh VIVAR WM_CLOSE PICTURES-DIR SEED [CLICKS]
source "$(dirname "$0")/session.sh"
vivar=$1 wm_close=$2 pictures=$3 seed=$4 clicks=${5:-300}
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
wait_for 6 bash -c "! kill -0 $pid 2>/dev/null" || die "still running a minute after the close"
wait "$pid"
status=$?
pid=
close_ms=$(( $(now_ms) - started ))
generations=$(grep -c -x -F 'model ----------------------------- a cambiar imagenes ' "$out")

[ "$status" -eq 0 ] || die "exit status $status"
[ ! -s "$err" ] || die "stderr not empty"
awk -f "$tests_dir/e2e/trace_check.awk" "$out" || die "trace not well formed"
echo "stress seed $seed: $close_after clicks, $generations generations, close to exit $close_ms ms"
