#!/usr/bin/env bash
# Exploring a run in the window: a click in pick mode picks a tile and the
# inspector tells about that square; an edit shows there; a board saved and
# opened again through the file dialogs comes back the same; a malformed
# board is refused and leaves the board as it was; outputs that cannot be
# written are told.
#   explore.sh VIVAR PICTURES-DIR
source "$(dirname "$0")/session.sh"
vivar=$1 pictures=$2
inspector_log=$work/inspector
inspector_says() { inspected | grep -q -F "$1"; }

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
# A UTF-8 text opened by mistake is told by its first character beyond ASCII.
printf '# a board?\nvivar board 1\n# caf\xc3\xa9\n' >"$work/readme.txt"
key ctrl+o
answer_dialog "Open a board" "$work/readme.txt"
wait_for 5 grep -q -F "the board was not opened: $work/readme.txt:3: 'é' (U+00E9) is not ASCII: board files are plain ASCII text" "$err" ||
  fail "a UTF-8 text was not refused by its character: $(cat "$err")"
wait_for 5 message_up || fail "no message told of the UTF-8 text"
xdotool windowfocus --sync "$(message)" key Return
wait_for 5 message_gone || fail "the message about the UTF-8 text did not go"
grep -v "the board was not opened" "$err" >"$work/other-errors"
: >"$err"
key ctrl+s
answer_dialog "Save the board at generation [0-9]+" "$work/after.vivar"
wait_for 5 test -s "$work/after.vivar" || die "the save after the refusal wrote nothing"
cmp -s <(board_of "$saved") <(board_of "$work/after.vivar") || fail "the refused board changed the board"

# Open while running does nothing, and the status line says why; at pace 0
# the status line tells the generations shown a second while running, and
# not once stopped.
key space
key ctrl+o
wait_for 5 grep -q 'A board opens only while stopped' "$work/first-status" || fail "Ctrl+O while running said nothing"
dialog_up "Open a board" && fail "Ctrl+O while running opened a dialog"
rate_told() { tail -n 1 "$work/first-status" | grep -q -E '.·.running.·.[0-9.,]+.generations.a.second.·.*.·.pace.0.ms'; }
wait_for 5 rate_told || fail "at pace 0 the status line does not tell the generations a second: $(tail -n 1 "$work/first-status")"
key space
stopped() { tail -n 1 "$work/first-status" | grep -q '.·.stopped.·.'; }
wait_for 5 stopped || fail "the run did not stop"
tail -n 1 "$work/first-status" | grep -q 'generations.a.second' && fail "stopped, the status line still tells a rate"

# A board of the test's own, 20 x 20 as the one above, so that its squares
# are where the clicks found them: a brown lizard facing a green one that
# cannot choose it back (rows 4 to 6); a lone brown lizard walking east
# (row 15); a brown lizard boxed in by eggs with a cat facing it (rows 9 to
# 11). Each thing happens whatever order the squares are drawn in.
scenes=$work/scenes.vivar
{
  echo 'vivar board 1'
  echo kinds
  for r in $(seq 1 20); do
    case $r in
      4) echo '....b...............' ;;
      5) echo '....BG..............' ;;
      6) echo '....bb..............' ;;
      9 | 11) echo '.........bbb........' ;;
      10) echo '.........bBC........' ;;
      15) echo '..B.................' ;;
      *) echo '....................' ;;
    esac
  done
  echo headings
  for r in $(seq 1 20); do
    case $r in
      5) echo '11111511111111111111' ;;
      10) echo '11111111111511111111' ;;
      *) echo '11111111111111111111' ;;
    esac
  done
  echo phases
  for r in $(seq 1 20); do echo '00000000000000000000'; done
  echo timers
  echo end
} >"$scenes"
click_square() {  # ROW COLUMN
  xdotool mousemove "$(( 40 + board_x + (2 * $2 - 1) * board_w / 40 ))" "$(( board_y + (2 * $1 - 1) * board_h / 40 ))" click 1
  wait_for 5 inspector_says "Row $1, column $2" || die "a click on row $1, column $2: the inspector says $(inspected | head -n 1)"
}
# Opens it, and waits until the status line tells it, after what it said before.
open_scenes() {
  local told_lines
  told_lines=$(wc -l <"$work/first-status")
  opened() { tail -n "+$(( told_lines + 1 ))" "$work/first-status" | grep -q '^Generation.0.·.stopped.·.brown.lizards.3,.eggs.10.·'; }
  key ctrl+o
  answer_dialog "Open a board" "$scenes"
  wait_for 5 opened || die "the board of scenes was not opened"
}
open_scenes

# The lizard chosen as a mate: by whom, in that generation and while its
# mating lasts.
click_square 5 6
key n
wait_for 5 inspector_says "Mated with by a brown lizard at row 5, column 5, which laid an egg at row 4, column 6." ||
  fail "the lizard mated with is not told so: $(inspected)"
inspector_says "Chosen as a mate in the last generation:" || fail "no title for the lizard mated with: $(inspected)"
inspector_says "No creature acted here" && fail "the lizard mated with is told that no creature acted"
key n
wait_for 5 inspector_says "Mating, visit 1 of 3." || fail "the mating's next visit is not told: $(inspected)"
inspector_says "Mated with in generation 1 by a brown lizard at row 5, column 5." ||
  fail "while its mating lasts, who chose the lizard is not told: $(inspected)"

# Following the walker, by F, as it steps and as it runs.
click_square 15 5
key f
for column in 6 7; do
  key n
  wait_for 5 inspector_says "Row 15, column $column" || fail "following, the inspector did not go to row 15, column $column: $(inspected | head -n 1)"
  inspector_says "Its last turn, which brought it here from row 15, column $(( column - 1 )):" ||
    fail "following, the turn that brought the lizard is not told: $(inspected)"
  inspector_says "A brown lizard" || fail "following, the inspector is not on the lizard: $(inspected)"
done
key space
past_ten() { tail -n 1 "$work/first-status" | grep -q '^Generation.[1-9][0-9]'; }
wait_for 5 past_ten || fail "the run did not reach generation 10"
key space
wait_for 5 stopped || fail "the run did not stop"
left() { ! inspector_says "Row 15, column 7"; }
wait_for 5 left || fail "following while running, the inspector stayed on row 15, column 7"
inspected | grep -q -E "^(A brown lizard|Followed a brown lizard until a cat)" ||
  fail "following while running, the inspector is not on the lizard: $(inspected)"
key f

# Following the boxed lizard until the cat catches it: the inspector stays
# on its square, says so, and follows no more.
open_scenes
click_square 10 11
key f
key n
wait_for 5 inspector_says "Followed a brown lizard until a cat from row 10, column 12 caught it here in generation 1; no longer following." ||
  fail "the catch of the lizard followed is not told: $(inspected)"
inspector_says "Row 10, column 11" || fail "after the catch the inspector left the square: $(inspected | head -n 1)"

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
