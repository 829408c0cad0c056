#!/usr/bin/env bash
# The window on a screen of a given size and scale: it opens within the
# screen, and the filled board is drawn in the view at the screen's
# resolution, filling most of its height. The view keeps its size while a
# run is recorded and notices come and go on the status line below it.
#   screens.sh VIVAR WM_CLOSE PICTURES-DIR WIDTHxHEIGHT SCALE
set -u
vivar=$1 wm_close=$2 pictures=$3 screen=$4 scale=$5
if [ "${VIVAR_TEST_SCREEN:-}" != "$screen" ]; then
  VIVAR_TEST_SCREEN=$screen exec xvfb-run -a -s "-screen 0 ${screen}x24" "$0" "$@"
fi
source "$(dirname "$0")/session.sh"
die() { echo "FAIL ($screen at scale $scale): $*"; [ -f "$err" ] && cat "$err"; exit 1; }
export QT_SCALE_FACTOR=$scale
screen_w=${screen%x*} screen_h=${screen#*x}
# Whole screen pixels of a length in the window's own units.
scaled() { awk -v n="$1" -v s="$scale" 'BEGIN { printf "%d", n * s }'; }

cd "$work"
status_log=$work/status
VIVAR_STATUS_LOG=$status_log start_vivar "$vivar" --pace 0
eval "$(xdotool getwindowgeometry --shell "$window")"
echo "window ${WIDTH}x${HEIGHT} at $X,$Y on a ${screen} screen at scale $scale"
[ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $(( X + WIDTH )) -le "$screen_w" ] && [ $(( Y + HEIGHT )) -le "$screen_h" ] ||
  die "the window does not fit the screen"

# The fill button, where the scale puts it.
xdotool mousemove "$(scaled 15)" "$(scaled "$(button_y 3)")" click 1
# The view: right of the button column, left of the viewer's own buttons
# and the chart, above the wheels.
view_png=$work/view.png
view_shows_board() {
  xwd -id "$window" -silent | convert xwd:- -crop "$(( WIDTH * 65 / 100 ))x$(( HEIGHT * 80 / 100 ))+$(scaled 40)+0" \
    +repage "$view_png" || return 1
  local colour pixels
  for picture in lcd1.png lvd1.png; do
    colour=$(body_colour "$pictures/$picture")
    pixels=$(convert "$view_png" -alpha off -fuzz 8% -transparent "$colour" -alpha extract -negate \
      -format '%[fx:int(mean*w*h+0.5)]' info:)
    [ "$pixels" -ge "$(scaled "$(scaled 100)")" ] || return 1
  done
}
wait_for 10 view_shows_board || die "the filled board's lizards are not in the view"
board_h=$(convert "$view_png" -fuzz 4% -trim -format '%h' info:)
[ "$board_h" -ge $(( HEIGHT * 60 / 100 )) ] || die "the board is ${board_h} pixels high in a window ${HEIGHT} high"

# The window's parts as laid out, the view among them: each child window's
# size and place.
layout() { xwininfo -tree -id "$window" | awk '/^     0x/ { print $(NF - 1) }' | sort | tr '\n' ' '; }
laid_out=$(layout)
steady() { [ "$(layout)" = "$laid_out" ] || die "the view moved or changed its size $1: $(layout), not $laid_out"; }
status_says() { tail -n 1 "$status_log" | grep -q "$1"; }
not_status_says() { ! status_says "$1"; }
key space
wait_for 5 status_says running || die "the run did not start"
steady "when the run started"
key v
dialog="Record a film of the generations shown"
wait_for 20 dialog_up "$dialog" || die "no dialog \"$dialog\""
xdotool windowfocus --sync "$(dialog "$dialog")"
sleep 0.3
xdotool key ctrl+a
xdotool type --delay 5 "$work/run.webm"
xdotool key Tab ctrl+a
xdotool type --delay 5 320x240
xdotool key Return
wait_for 10 status_says "recording,.frame.[0-9][0-9]" || die "the status line does not say that it records"
steady "while recording"
key ctrl+o
wait_for 5 status_says "A board opens only while stopped" || die "no notice on the status line"
steady "with a notice on the status line"
key v
wait_for 20 status_says "run.webm is saved" || die "no notice that the film was saved"
steady "when the recording stopped"
key space
wait_for 5 status_says stopped || die "the run did not stop"
wait_for 20 not_status_says "is saved" || die "the notice did not go: $(tail -n 1 "$status_log")"
steady "when the notice went"
close_vivar
[ ! -s "$err" ] || die "stderr not empty"
echo "ok: board ${board_h} pixels high; the view kept its size while recording and with notices: $laid_out"
