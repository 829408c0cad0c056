#!/usr/bin/env bash
# Boards drawn as one node, at 37 x 53 (pictures), 500 x 500 (a map at
# home, a square some two pixels wide) and 200 x 60 (a map whose texture
# rows run across): a click on a square picks the square
# drawn under the pointer, which the inspector names, and a cat put there
# shows on the drawn board at that place.
#   big_boards.sh VIVAR PICTURES-DIR
source "$(dirname "$0")/session.sh"
vivar=$1 pictures=$2
inspector_log=$work/inspector
cd "$pictures" || die "no pictures folder"

# The view's pixels, as board_found crops them.
view_shot() {  # PNG
  xwd -id "$window" -silent | convert xwd:- -crop "$(( WIDTH * 69 / 100 ))x$(( HEIGHT * 90 / 100 ))+40+0" +repage "$1"
}
# Where two shots of the view differ: "w h x y", or nothing.
changed_between() {  # BEFORE AFTER
  convert "$1" "$2" -compose difference -composite -colorspace gray -threshold 8% -format '%[fx:mean>0]' info: |
    grep -q 1 || return 0
  convert "$1" "$2" -compose difference -composite -colorspace gray -threshold 8% -trim -format '%w %h %X %Y' info: |
    tr -d '+'
}

check_size() {  # ACROSS DOWN
  local across=$1 down=$2 x y px py row column said_row said_column
  : >"$inspector_log"
  VIVAR_INSPECTOR_LOG=$inspector_log start_vivar "$vivar" --size "${across}x${down}" --seed 7 --pace 0
  wait_for 10 board_found 150 150 || die "${across}x${down}: no board found in the view (${board_w:-0}x${board_h:-0})"
  # Home frames the whole board: the outline has its proportions.
  [ $(( board_h * across * 10 / (board_w * down) )) -ge 9 ] && [ $(( board_h * across * 10 / (board_w * down) )) -le 11 ] ||
    fail "a ${across}x${down} board is drawn ${board_w}x${board_h}"
  # A square a third of the way across and two thirds down, by its centre.
  x=$(( across / 3 )) y=$(( down * 2 / 3 ))
  px=$(( board_x + ((2 * x + 1) * board_w) / (2 * across) ))
  py=$(( board_y + ((2 * y + 1) * board_h) / (2 * down) ))
  view_shot "$work/before.png"
  key Escape  # pick mode
  xdotool mousemove $(( 40 + px )) "$py" click 1
  wait_for 5 bash -c "awk -v RS= 'END { print }' '$inspector_log' | grep -q -E '^Row [0-9]+, column [0-9]+'" ||
    die "${across}x${down}: a click picked nothing: $(inspected | head -n 1)"
  read -r said_row said_column < <(inspected | head -n 1 | sed -E 's/^Row ([0-9]+), column ([0-9]+).*/\1 \2/')
  # The inspector counts from 1, rows down the screen and columns across.
  # Where a square is a pixel or two wide, the outline found on screen
  # places it only to within a square.
  row=$(( y + 1 )) column=$(( x + 1 ))
  slack=$(( board_w / across < 5 ? 1 : 0 ))
  [ $(( said_row - row )) -le "$slack" ] && [ $(( row - said_row )) -le "$slack" ] &&
    [ $(( said_column - column )) -le "$slack" ] && [ $(( column - said_column )) -le "$slack" ] ||
    fail "${across}x${down}: a click on row $row, column $column: the inspector says $(inspected | head -n 1)"

  # The cat is drawn on the pixel clicked, once the mark is off the board.
  key k
  wait_for 5 bash -c "awk -v RS= 'END { print }' '$inspector_log' | grep -q -i 'cat'" ||
    fail "${across}x${down}: K put no cat: $(inspected | head -n 2)"
  xdotool mousemove 42 2 click 1  # the view's corner, off the board
  sleep 1
  view_shot "$work/after.png"
  local changed w h cx cy
  changed=$(changed_between "$work/before.png" "$work/after.png")
  [ -n "$changed" ] || fail "${across}x${down}: the cat does not show on the drawn board"
  read -r w h cx cy <<<"${changed:-0 0 0 0}"
  [ "$px" -ge "$cx" ] && [ "$px" -lt $(( cx + w )) ] && [ "$py" -ge "$cy" ] && [ "$py" -lt $(( cy + h )) ] ||
    fail "${across}x${down}: the click was at $px,$py but the board changed at ${w}x${h}+$cx+$cy"
  # Only the square changed: at most a square and a pixel each way.
  [ "$w" -le $(( board_w / across + 2 )) ] && [ "$h" -le $(( board_h / down + 2 )) ] ||
    fail "${across}x${down}: more than the square changed: ${w}x${h}+$cx+$cy"
  key ctrl+q
  wait "$pid" || fail "${across}x${down}: exit status $?"
  pid=
  [ ! -s "$err" ] || { fail "${across}x${down}: stderr not empty"; cat "$err"; }
}

check_size 37 53
check_size 500 500
# Too few squares down for the map's texture rows to run down the board.
check_size 200 60
end_checks
