#!/usr/bin/env bash
# Zooming the 3D view: Ctrl+drag goes gently nearer; a wheel notch away from
# the user brings the board nearer in pick mode as in view mode, a notch back
# takes it back; however many notches, and a turn from there, the camera
# stays in front of the board rather than pass through it.
#   zoom.sh VIVAR PICTURES-DIR
source "$(dirname "$0")/session.sh"
vivar=$1 pictures=$2
# How much of the view, away from its edges, is lit: the share of its pixels
# lighter than a dark grey, in hundredths.
view_lit() {
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xwd -id "$window" -silent |
    convert xwd:- -crop "$(( WIDTH * 40 / 100 ))x$(( HEIGHT * 50 / 100 ))+$(( 40 + WIDTH * 10 / 100 ))+$(( HEIGHT * 15 / 100 ))" \
      -colorspace Gray -threshold 15% -format '%[fx:int(100*mean+0.5)]' info:
}
wider_than() { board_found "$1" 100; }
narrower_than() { board_found 100 100 && [ "$board_w" -lt "$1" ]; }

cd "$pictures" || die "no pictures folder"
start_vivar "$vivar" --seed 5 --pace 0
button 3  # fill
# A light plane under the tiles: the board is light, what lies behind it black.
for _ in 1 2 3; do button 4; done
wait_for 10 board_found 300 300 || die "no board found in the view (${board_w:-0}x${board_h:-0})"
home=$board_w
centre_x=$(( 40 + board_x + board_w / 2 )) centre_y=$(( board_y + board_h / 2 ))

# Ctrl+drag down over a tenth of the view's height: a little nearer, not
# seven times as SoQt's own zoom went, nor moved aside as SoQt's Ctrl+drag.
view_h=$(( board_h * 108 / 100 ))
xdotool mousemove "$centre_x" "$centre_y"
xdotool windowfocus --sync "$window" keydown ctrl
xdotool mousedown 1
for step in 1 2 3 4 5; do
  xdotool mousemove "$centre_x" $(( centre_y + step * view_h / 50 ))
  sleep 0.02
done
xdotool mouseup 1
xdotool keyup ctrl
wait_for 5 wider_than $(( home * 105 / 100 )) || fail "Ctrl+drag did not zoom in: the board is ${board_w} pixels wide, against $home"
[ "$board_w" -le $(( home * 130 / 100 )) ] || fail "Ctrl+drag over a tenth of the view zoomed from $home to $board_w pixels"
key Home
wait_for 5 narrower_than $(( home * 102 / 100 )) || fail "Home did not bring the home view back: ${board_w}"

key Escape  # pick mode
xdotool mousemove "$centre_x" "$centre_y" click 4
wait_for 5 wider_than $(( home * 108 / 100 )) ||
  fail "a wheel notch up in pick mode left the board ${board_w} pixels wide, against $home before"
xdotool click 5
wait_for 5 narrower_than $(( home * 102 / 100 )) ||
  fail "a wheel notch down did not take the board back to $home pixels wide: ${board_w}"

# Many notches up: the camera stops in front of the board, about a square
# away, and the light board fills the view; a turn from there keeps it in
# front, where it would otherwise swing round under the board and see black.
xdotool click --repeat 60 --delay 10 4
sleep 0.5
lit=$(view_lit)
[ "$lit" -ge 80 ] || fail "after 60 notches up only $lit % of the view is lit: the camera is not in front of the board"
key Escape  # view mode: a drag turns the board
sleep 0.3
xdotool mousedown 1
for y in $(seq "$centre_y" 10 $(( centre_y + 300 ))); do
  xdotool mousemove "$centre_x" "$y"
  sleep 0.02
done
xdotool mouseup 1
sleep 0.5
lit=$(view_lit)
[ "$lit" -ge 50 ] || fail "a turn from nearest the board left $lit % of the view lit: the camera went behind the board"

key ctrl+q
wait "$pid"; status=$?; pid=
[ "$status" -eq 0 ] || fail "exit status $status"
[ ! -s "$err" ] || { fail "stderr not empty"; cat "$err"; }
end_checks
