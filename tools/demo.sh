#!/usr/bin/env bash
# A short demonstration of vivar on a virtual display, for machines that have
# no screen: fill the board, play about five generations, save a screenshot,
# close the window.
#   tools/demo.sh BUILD-DIR PICTURES-DIR [SCREENSHOT]
set -eu
build=$(cd "$1" && pwd) pictures=$2
screenshot=${3:-$PWD/vivar-demo.png}
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"
out=$(mktemp)
trap 'rm -f "$out"' EXIT

wait_for_line() {  # line, count, seconds
  local tries=$(( $3 * 20 ))
  until [ "$(grep -c -x -F -- "$1" "$out")" -ge "$2" ]; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || { echo "demo: gave up waiting for '$1'" >&2; return 1; }
    sleep 0.05
  done
}
button() { xdotool mousemove 15 $(( 18 + 36 * $1 )) click 1; }

cd "$pictures"
"$build/vivar" | tee "$out" &
pid=$!
wait_for_line '******************* IDLE*****************' 1 10
window=$(xdotool search --name '^vivar$' | head -n 1)
button 3  # fill
button 0  # play
wait_for_line 'model ----------------------------- a cambiar imagenes ' 5 30
xwd -id "$window" -silent | convert xwd:- "$screenshot"
button 1  # stop
"$build/wm_close" "$window"
wait "$pid"
echo "demo: screenshot of the running terrarium saved to $screenshot" >&2
