#!/usr/bin/env bash
# A session from the keyboard alone, no mouse: Tab to the buttons and press
# them with Space and Enter, play, stop, go back a generation, pick squares
# with the arrows and read the inspector, open the Rules dialog by Tab and
# close it with Esc, turn and zoom the view, run a small experiment and bring a run of its plot's
# second point to the terrarium with the arrows and Enter, and quit with
# Ctrl+Q.
#   keyboard.sh VIVAR WM-CLOSE PICTURES-DIR
source "$(dirname "$0")/session.sh"
vivar=$(realpath "$1") wm_close=$(realpath "$2") pictures=$3
export HOME=$work/home
mkdir -p "$HOME"
status_log=$work/status inspector_log=$work/inspector plot_log=$work/plot
status_now() { tail -n 1 "$status_log" | sed 's/\xc2\xa0/ /g'; }
status_says() { status_now | grep -q -E "$1"; }
inspector_says() { inspected | head -n 1 | grep -q -F "$1"; }
# Keys in turn, to whatever has the focus within the window.
keys() { xdotool windowfocus --sync "$window" key --delay 60 "$@"; }
tabs() { local i; for ((i = 0; i < $1; i++)); do keys Tab; done; }

cd "$pictures" || die "no pictures folder"
VIVAR_STATUS_LOG=$status_log VIVAR_INSPECTOR_LOG=$inspector_log VIVAR_PLOT_LOG=$plot_log start_vivar "$vivar" --seed 7 --pace 100
wait_for 10 status_says '^Generation 0 · stopped' || die "the window's first status: $(status_now)"

# The board has the focus; Tab goes on to the buttons, top to bottom:
# play, stop, clear, fill. Space presses the button that has the focus, not
# the window's play.
tabs 4
keys space
wait_for 10 status_says '^Generation 0 · stopped · .*brown lizards [1-9]' ||
  die "Space on the focused fill button did not fill the board: $(status_now)"

# Shift+Tab back to play, pressed with Enter.
keys shift+Tab shift+Tab shift+Tab Return
wait_for 10 status_says 'running' || die "Enter on the focused play button did not play: $(status_now)"
wait_for 20 status_says '^Generation ([3-9]|[1-9][0-9]+) ' || die "the run did not go on: $(status_now)"
# Stop, one Tab on, with Space.
keys Tab space
wait_for 10 status_says 'stopped' || die "Space on the focused stop button did not stop: $(status_now)"
latest=$(status_now | sed -E 's/^Generation ([0-9]+).*/\1/')

# The window's own keys still reach it from a focused button: one back.
keys comma
wait_for 10 status_says "^Generation $((latest - 1)) of $latest " ||
  fail "',' from a focused button did not go back one generation: $(status_now)"

# Back to the board, where Space is the window's play and stop.
keys shift+Tab shift+Tab
keys space
wait_for 10 status_says 'running' || fail "Space on the board did not play: $(status_now)"
keys space
wait_for 10 status_says 'stopped' || fail "Space on the board did not stop: $(status_now)"

# The arrows pick squares: the first the middle one, then round the torus.
keys Right
wait_for 5 inspector_says "Row 11, column 11" || die "the first arrow: the inspector says $(inspected | head -n 1)"
keys Right Down
wait_for 5 inspector_says "Row 12, column 12" || fail "Right and Down: the inspector says $(inspected | head -n 1)"
for ((i = 0; i < 12; i++)); do keys Up; done
wait_for 5 inspector_says "Row 20, column 12" || fail "up past the top: the inspector says $(inspected | head -n 1)"

# The view turned and zoomed from the board with Shift and Ctrl+Shift and
# the arrows, and brought home with Home.
shot() { xwd -id "$window" -silent | convert xwd:- "$work/$1.png"; }
pixels_apart() { compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 | cut -d' ' -f1; }
sleep 0.5
shot before
keys shift+Right ctrl+shift+Up
sleep 0.5
shot turned
keys Home
sleep 0.5
shot home
[ "$(pixels_apart before turned)" -gt 10000 ] || fail "Shift+Right and Ctrl+Shift+Up did not turn or zoom the view"
[ "$(pixels_apart before home)" -lt 100 ] || fail "Home did not bring the view back: $(pixels_apart before home) pixels apart"

# Every control in Tab's order: from the board, the eight buttons, the
# viewer's seven, the nine in the status line's row, then Rules.
dialog_up() { xdotool search --onlyvisible --name '^Rules$' >/dev/null 2>&1; }
dialog_up_named() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
dialog_gone() { ! dialog_up; }
tabs 25
keys space
wait_for 10 dialog_up || die "Space on the focused Rules button did not open the Rules dialog"
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Rules$' | head -n 1)" key Escape
wait_for 10 dialog_gone || die "Esc did not close the Rules dialog"
status_says 'stopped' || fail "the Rules dialog changed the run: $(status_now)"

# E, and the experiment's dialog filled from the keyboard: hatch 1 to 3,
# seeds 1 to 4, 20 generations; Enter runs it.
keys e
wait_for 10 dialog_up_named Experiment || die "E opened no experiment dialog"
xdotool windowfocus --sync "$(dialog Experiment)"
field() { xdotool key ctrl+a; xdotool type --delay 5 "$1"; }
field 1:3:1
xdotool key Tab Tab
field 1
xdotool key Tab
field 4
xdotool key Tab
field 20
xdotool key Tab Tab
field "$work/hatch.csv"
xdotool key Return
plot_drawn() { grep -q -x -F "plot runs=12" "$plot_log" 2>/dev/null; }
wait_for 60 plot_drawn || die "the plot never drew the 12 runs: $(grep '^plot' "$plot_log" | tail -n 3)"
# Tab to the plot, the arrow to hatch=2's point, Enter for its runs and the
# first of them.
: >"$status_log"
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^vivar experiment$' | head -n 1)" \
  key --delay 200 Tab Right Return Down Return
wait_for 10 status_says 'rules hatch=2' || fail "Enter on the plot's second point brought no run of hatch=2: $(status_now)"

keys ctrl+q
wait "$pid" || die "Ctrl+Q: exit status $?"
pid=
[ ! -s "$err" ] || fail "stderr not empty: $(cat "$err")"
end_checks "a session from the keyboard alone"
