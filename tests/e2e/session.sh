# Sourced by the scripts that drive the real program on the test display,
# over what every test sets up (tests/lib.sh): the runtime folder Qt wants,
# the program started and closed, its buttons, keys and dialogs.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
out=$work/out err=$work/err
pid=
before_clean_up() { [ -n "$pid" ] && kill "$pid" 2>/dev/null; }
# Qt wants a private runtime folder; a bare CI shell has none.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR=$work/runtime
  mkdir -m 700 "$XDG_RUNTIME_DIR"
fi

# The folders the window remembers are written to the test's own settings,
# never the user's.
export XDG_CONFIG_HOME=$work/config

# The tests read the window's English, whatever the machine's language.
export LC_ALL=C.UTF-8
unset LANGUAGE

# After the idle line the window is up, once the display shows it (under
# Wine it may come a few seconds later, and a hidden window of Wine's may
# bear its name for a moment); prints its id. A program that ended before
# it will never get there.
wait_for_window() {
  up_or_gone() { grep -q -x -F '******************* IDLE*****************' "$out" || ! kill -0 "$pid" 2>/dev/null; }
  wait_for 20 up_or_gone
  grep -q -x -F '******************* IDLE*****************' "$out" || return 1
  shown() { xdotool search --onlyvisible --name '^vivar$' >/dev/null 2>&1; }
  wait_for 20 shown
  xdotool search --onlyvisible --name '^vivar$' | head -n 1
}

# The n-th button, 0-based, in the column at the window's left: play, stop,
# clear, fill, more green, less green, more blue, less blue.
button_y() { echo $(( 18 + 36 * $1 )); }
button() { xdotool mousemove 15 "$(button_y "$1")" click 1; }

# Whether the window shows the lizards' pictures: enough of its pixels have
# the body colour of each species, taken from the pictures themselves (the
# most common opaque colour of an adult), wherever the board is drawn.
#   pictures_shown WINDOW PICTURES-DIR
body_colour() {
  convert "$1" -channel A -threshold 99% +channel -format %c histogram:info:- |
    grep -E '#[0-9A-F]{6}FF ' | sort -rn | head -n 1 | grep -o -E '#[0-9A-F]{6}'
}
# Whether a screenshot has the body colour of each species on at least
# 100 pixels.   lizards_in PNG PICTURES-DIR
lizards_in() {
  local picture colour pixels
  for picture in lcd1.png lvd1.png; do
    colour=$(body_colour "$2/$picture")
    pixels=$(convert "$1" -alpha off -fuzz 8% -transparent "$colour" -alpha extract -negate \
      -format '%[fx:int(mean*w*h+0.5)]' info:)
    [ "$pixels" -ge 100 ] || return 1
  done
}
pictures_shown() {
  xwd -id "$1" -silent | convert xwd:- "$work/window.png" || return 1
  lizards_in "$work/window.png" "$2"
}

# The trace of the files given (or of standard input) less the window's own
# lines: what vivar-sim prints for the same run.
model_trace() {
  grep -v -x -F -e "view creada" -e "vista valore de corre = 0" -e "******************* IDLE*****************" \
    -e "  -- principio doUpdates --" -e "  -- fin       doUpdates --" "$@" | grep -v -E '^vista  valore de &corre = [0-9]+$'
}

# A board file less its comments.
board_of() { grep -v '^#' "$1"; }
# The latest text the inspector showed, when the script has it logged
# (VIVAR_INSPECTOR_LOG) to $inspector_log: the log's last paragraph.
inspected() { awk -v RS= 'END { print }' "$inspector_log" 2>/dev/null; }

# Starts vivar through a command, with its output in $out and $err, and waits
# for its window: sets $pid and $window. The sourcing script defines die and
# $wm_close.
start_vivar() {
  # The logs are added to: each start reads only its own lines.
  [ -z "${VIVAR_STATUS_LOG:-}" ] || : >"$VIVAR_STATUS_LOG"
  [ -z "${VIVAR_INSPECTOR_LOG:-}" ] || : >"$VIVAR_INSPECTOR_LOG"
  "$@" >"$out" 2>"$err" &
  pid=$!
  window=$(wait_for_window) && [ -n "$window" ] || die "vivar did not start: $*"
}
# Closes the window as a window manager would; vivar must end with status 0.
close_vivar() {
  "$wm_close" "$window"
  wait "$pid" || die "exit status $?"
  pid=
}
# Fills the board, which must show the lizards' pictures, and closes the
# window; stderr must have stayed empty.
fill_see_pictures_and_close() {  # PICTURES-DIR
  button 3  # fill
  wait_for 10 pictures_shown "$window" "$1" || die "the filled board does not show the lizards' pictures"
  close_vivar
  [ ! -s "$err" ] || die "stderr not empty"
}

# Where the board's tiles are drawn: the lit part of the view, once it is
# drawn (a sanitizer build can take a while) and at least MIN-W x MIN-H;
# sets board_w, board_h, board_x and board_y, x from the view's left edge,
# 40 pixels right of the window's.   board_found MIN-W MIN-H
board_found() {
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xwd -id "$window" -silent | convert xwd:- -crop "$(( WIDTH * 69 / 100 ))x$(( HEIGHT * 90 / 100 ))+40+0" +repage \
    "$work/view.png" || return 1
  read -r board_w board_h board_x board_y < <(convert "$work/view.png" -fuzz 4% -trim -format '%w %h %X %Y' info: 2>/dev/null |
    tr -d '+')
  [ "${board_w:-0}" -gt "$1" ] && [ "${board_h:-0}" -gt "$2" ]
}

# A key pressed in the window, which has the focus for it: there is no
# window manager to give it.
key() { xdotool windowfocus --sync "$window" key "$1"; }
# Answers the file dialog of that title, once it shows, with a file name.
dialog() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
dialog_up() { [ -n "$(dialog "$1")" ]; }
dialog_gone() { [ -z "$(dialog "$1")" ]; }
# A slow machine can map the dialog before its name field takes keys: a try
# whose keys were lost leaves the dialog up, and the name is typed again
# over whatever the field holds.
answer_dialog() {  # TITLE FILE
  wait_for 20 dialog_up "$1" || die "no dialog \"$1\""
  local try
  for try in 1 2 3; do
    xdotool windowfocus --sync "$(dialog "$1")"
    sleep 0.3
    xdotool key ctrl+a
    xdotool type --delay 5 "$2"
    xdotool key Return
    wait_for 2 dialog_gone "$1" && return
    echo "the dialog \"$1\" is still up after try $try"
  done
  die "the dialog \"$1\" stayed"
}
