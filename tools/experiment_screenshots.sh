#!/usr/bin/env bash
# The pictures of experiments in the window (docs/window.md, the guides), at 1366 x 768: the
# dialog, a plot of one varied rule and a grid of two, in one language.
#   tools/experiment_screenshots.sh BUILD-DIR PICTURES-DIR LANGUAGE OUT-DIR
# writes OUT-DIR/experiment-{dialog,plot,grid}-LANGUAGE.png.
set -eu
build=$(cd "$1" && pwd) pictures=$2 language=$3 out=$(cd "$4" && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1366x768x24" "$0" "$@"
fi
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config HOME=$work
mkdir -m 700 "$XDG_RUNTIME_DIR"

wait_for() {  # SECONDS COMMAND...
  local tries=$(( $1 * 20 )); shift
  until "$@"; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || { echo "experiment_screenshots: gave up on $*" >&2; exit 1; }
    sleep 0.05
  done
}
named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
up() { [ -n "$(named "$1")" ]; }
gone() { [ -z "$(named "$1")" ]; }
drawn() { grep -q -x -F "plot runs=$1" "$work/plot" 2>/dev/null; }
type_field() { xdotool key ctrl+a; xdotool type --delay 5 "$1"; }

cd "$pictures"
VIVAR_PLOT_LOG=$work/plot "$build/vivar" --quiet --seed 7 --language "$language" >/dev/null 2>&1 &
pid=$!
wait_for 20 up vivar
window=$(named vivar)
xdotool mousemove 15 126 click 1  # fill
sleep 1
dialog=$( [ "$language" = es ] && echo Experimento || echo Experiment)
experiment=$( [ "$language" = es ] && echo "experimento de vivar" || echo "vivar experiment")

# Hatch 1 to 10 over seeds 1 to 40, 200 generations.
xdotool windowfocus --sync "$window" key e
wait_for 10 up "$dialog"
xdotool windowfocus --sync "$(named "$dialog")"
sleep 0.3
type_field 1:10:1
xdotool key Tab Tab Tab
type_field 40
xdotool key Tab
type_field 200
xdotool key Tab Tab
type_field "$work/hatch.csv"
sleep 0.5
import -window root "$out/experiment-dialog-$language.png"
xdotool key Return
wait_for 120 drawn 400
sleep 1
import -window root "$out/experiment-plot-$language.png"

# Hatch 1 to 10 against meal 1 to 5, seeds 1 to 20.
xdotool windowfocus --sync "$(named "$experiment")" key alt+s
wait_for 10 up "$dialog"
xdotool windowfocus --sync "$(named "$dialog")"
sleep 0.3
xdotool key Tab Down Down Down Tab
type_field 1:5:1
xdotool key Tab Tab
type_field 20
xdotool key Tab Tab Tab
type_field "$work/grid.csv"
xdotool key Return
wait_for 300 drawn 1000
sleep 1
import -window root "$out/experiment-grid-$language.png"
