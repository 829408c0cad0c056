#!/usr/bin/env bash
# Exploring a run in the window: a click in pick mode picks a tile and the
# inspector tells about that square; an edit shows there; a board saved and
# opened again through the file dialogs comes back the same; a malformed
# board is refused and leaves the board as it was; outputs that cannot be
# written are told.
#   explore.sh VIVAR PICTURES-DIR
set -u
vivar=$1 pictures=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/session.sh"
inspector_log=$work/inspector
# The latest text the inspector showed: the log's last paragraph.
inspected() { awk -v RS= 'END { print }' "$inspector_log" 2>/dev/null; }
inspector_says() { inspected | grep -q -F "$1"; }
# A board file less its comments.
board_of() { grep -v '^#' "$1"; }

cd "$pictures" || die "no pictures folder"
VIVAR_INSPECTOR_LOG=$inspector_log VIVAR_STATUS_LOG=$work/first-status start_vivar "$vivar" --seed 16 --pace 0
button 3  # fill

# Where the board's 20 x 20 tiles are drawn: the view's lit part, once it
# is drawn (a sanitizer build can take a while).
wait_for 10 board_found 200 200 || die "no board found in the view (${board_w:-0}x${board_h:-0})"
row=8 column=11
echo "board ${board_w}x${board_h} at $board_x,$board_y"
click_x=$(( 40 + board_x + (2 * column - 1) * board_w / 40 ))
click_y=$(( board_y + (2 * row - 1) * board_h / 40 ))

key Escape  # pick mode
xdotool mousemove "$click_x" "$click_y" click 1
wait_for 5 inspector_says "Row $row, column $column" || die "a click on row $row, column $column: the inspector says $(inspected | head -n 1)"
inspector_says "No generation has run since" || fail "a fresh pick told a turn"
key n
wait_for 5 inspector_says "turn" || fail "after a generation the inspector tells no turn: $(inspected)"
inspected | grep -q -E '^(Its last turn|The creature that was here left|No creature acted here)' ||
  fail "the inspector's turn title is missing: $(inspected)"

# An edit while stopped: the square empties, then holds a brown lizard.
key Delete
wait_for 5 inspector_says "Nothing: an empty square" || fail "Delete did not empty the square"
key b
wait_for 5 inspector_says "A brown lizard" || fail "B put no brown lizard there"

# Saved under a bare name, changed, opened again: the same board back.
saved=$work/saved.vivar
key ctrl+s
answer_dialog "Save the board at generation 1" "$work/saved"
wait_for 5 test -s "$saved" || die "Ctrl+S to a bare name saved nothing as $saved: $(ls "$work")"
head -n 1 "$saved" | grep -q -x 'vivar board 3' && grep -q -x 'generation 1' "$saved" && grep -q -x 'seed 16' "$saved" ||
  fail "the saved board does not record generation 1 of seed 16: $(head -n 8 "$saved")"
key Delete
wait_for 5 inspector_says "Nothing: an empty square" || fail "Delete did not empty the square again"
key ctrl+o
answer_dialog "Open a board" "$saved"
wait_for 5 inspector_says "A brown lizard" || fail "opening the saved board did not bring the lizard back"
again=$work/again.vivar
key ctrl+s
answer_dialog "Save the board at generation [0-9]+" "$again"
wait_for 5 test -s "$again" || die "the second save wrote nothing"
cmp -s <(board_of "$saved") <(board_of "$again") || fail "the board opened is not the board saved: $(diff <(board_of "$saved") <(board_of "$again") | head -n 4)"

# A malformed board: one line on stderr, a message, the board unchanged.
printf 'vivar board 1\nkinds\n..X\n' >"$work/bad.vivar"
key ctrl+o
answer_dialog "Open a board" "$work/bad.vivar"
wait_for 5 grep -q "the board was not opened: $work/bad.vivar:3:" "$err" || fail "the malformed board was not refused on stderr: $(cat "$err")"
# The message: a second window of the same title, until it is answered.
message() { xdotool search --onlyvisible --name '^vivar$' | grep -v -x "$window" | head -n 1; }
message_up() { [ -n "$(message)" ]; }
message_gone() { [ -z "$(message)" ]; }
wait_for 5 message_up || fail "no message told of the malformed board"
xdotool windowfocus --sync "$(message)" key Return
wait_for 5 message_gone || fail "the message did not go"
grep -v "the board was not opened" "$err" >"$work/other-errors"
: >"$err"
key ctrl+s
answer_dialog "Save the board at generation [0-9]+" "$work/after.vivar"
wait_for 5 test -s "$work/after.vivar" || die "the save after the refusal wrote nothing"
cmp -s <(board_of "$saved") <(board_of "$work/after.vivar") || fail "the refused board changed the board"

# Open while running does nothing, and the status line says why.
key space
key ctrl+o
wait_for 5 grep -q 'A board opens only while stopped' "$work/first-status" || fail "Ctrl+O while running said nothing"
dialog_up "Open a board" && fail "Ctrl+O while running opened a dialog"
key space

key ctrl+q
wait "$pid"; status=$?; pid=
[ "$status" -eq 0 ] || fail "exit status $status"
[ ! -s "$work/other-errors" ] && [ ! -s "$err" ] || { fail "stderr not empty"; cat "$work/other-errors" "$err"; }

# Outputs that cannot be written: told once each on stderr and on the status
# line, the window runs on, and the exit status says so.
# A full disk is a device of the test's own that is always full.
status_log=$work/status full=$work/full
mknod "$full" c 1 7 || die "no device node could be made for a full disk"
VIVAR_STATUS_LOG=$status_log "$vivar" --seed 16 --pace 0 --counts "$full" >"$full" 2>"$err" &
pid=$!
wait_for 20 test -s "$status_log" || die "no window with the outputs on a full disk"
window=$(xdotool search --name '^vivar$' | head -n 1)
button 3
# One generation, whose trace and counts row cannot be written; a second
# key could stop it before it began.
key n
told() { grep -q "the counts file '$full' could not be written: No space left on device" "$status_log" &&
  grep -q "the trace could not be written to standard output: No space left on device" "$status_log"; }
wait_for 5 told || fail "the status line does not tell of the failed outputs: $(tail -n 1 "$status_log")"
key ctrl+q
wait "$pid"; status=$?; pid=
[ "$status" -eq 1 ] || fail "exit status $status after outputs that could not be written"
[ "$(wc -l <"$err")" -eq 2 ] || { fail "$(wc -l <"$err") lines on stderr, not one per output"; cat "$err"; }

end_checks
