#!/usr/bin/env bash
# Going back through a run in the window: the back key rebuilds an earlier
# generation exactly (the board saved there is vivar-sim's at that
# generation), the status line says "Generation k of n", a click on the
# chart jumps, and playing on from the past shows the same generations again,
# trace and counts, in a seeded and in a clock-seeded run. Going back leaves
# the counts file as it was; an edit in the past keeps "of n" until the run
# goes on, Ctrl+Z undoes it, and a run that goes on from an edit in the past
# writes a counts file of its own, told once.
#   history.sh VIVAR VIVAR-SIM WM_CLOSE PICTURES-DIR
source "$(dirname "$0")/session.sh"
vivar=$1 sim=$2 wm_close=$3 pictures=$4
status_log=$work/status counts=$work/counts.csv inspector_log=$work/inspector
export VIVAR_INSPECTOR_LOG=$inspector_log
# The status line's latest text, its no-break spaces made plain.
status() { tail -n 1 "$status_log" | sed 's/\xc2\xa0/ /g'; }
status_says() { status | grep -q -E "$1"; }
shown() { status | sed -n 's/^Generation \([0-9]*\).*/\1/p'; }
shown_past() { [ "$(shown)" -gt "$1" ] 2>/dev/null; }
shown_not() { [ "$(shown)" -ne "$1" ] 2>/dev/null; }
# The trace's generations one a line.
generations_of() { awk '{ block = block $0 "|" } /^model ---/ { print block; block = "" }'; }
ran() { grep -c '^model ---' "$out"; }
settled() { local before; before=$(ran); sleep 1; [ "$(ran)" -eq "$before" ]; }
play_until_beyond() {  # GENERATION
  key space
  wait_for 60 shown_past "$1" || die "the run did not go past generation $1"
  key space
  wait_for 10 settled || die "Space did not stop the run"
  wait_for 5 status_says "stopped" || die "the status line does not say stopped"
}
back_to() {  # GENERATION: by the back key, one generation a press
  xdotool windowfocus --sync "$window" key --delay 30 --repeat $(( $(shown) - $1 )) comma
  wait_for 10 status_says "^Generation $1 of $latest " ||
    die "the back key did not reach generation $1 of $latest: $(status)"
}
# Picks the square in the middle of the board, row 10, column 10, and makes
# one edit there that surely changes it: a cat on an empty square, or the
# square emptied.
edit_middle() {
  wait_for 10 board_found 200 200 || die "no board found in the view"
  key Escape
  xdotool mousemove $(( 40 + board_x + 19 * board_w / 40 )) $(( board_y + 19 * board_h / 40 )) click 1
  wait_for 5 bash -c "awk -v RS= 'END { print }' '$inspector_log' | grep -q '^Row 10, column 10'" ||
    die "the middle square was not picked: $(inspected | head -n 1)"
  if inspected | grep -q "Nothing: an empty square"; then key k; else key Delete; fi
}
close() {
  "$wm_close" "$window"
  wait_for 6 bash -c "! kill -0 $pid 2>/dev/null" || die "still running long after the close request"
  wait "$pid" || fail "exit status $?"
  pid=
}

cd "$pictures" || die "no pictures folder"

# Seed 5: back to 137 by keys, the board there saved, a click on the chart,
# then on past the latest generation.
seed=5
VIVAR_STATUS_LOG=$status_log start_vivar "$vivar" --seed "$seed" --pace 0 --counts "$counts"
button 3  # fill
wait_for 10 grep -q -x -F "  -- fin       doUpdates --" "$out" || die "the fill showed nothing"
play_until_beyond 160
latest=$(shown)
cp "$counts" "$work/recorded.csv"
back_to 137
key ctrl+s
answer_dialog "Save the board at generation 137" "$work/window.vivar"
wait_for 5 test -s "$work/window.vivar" || die "Ctrl+S saved nothing"
"$sim" --seed "$seed" --generations 137 --save-board "$work/sim.vivar" >/dev/null
board_of "$work/window.vivar" | cmp -s - <(board_of "$work/sim.vivar") ||
  fail "generation 137, gone back to, is not vivar-sim's generation 137"

eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove --window "$window" $(( WIDTH - 160 )) 300 click 1
wait_for 5 shown_not 137 || die "a click on the chart went to no other generation"
status_says "^Generation [0-9]+ of $latest " || fail "after a click on the chart the status line says $(status)"
clicked=$(shown)
[ "$clicked" -lt "$latest" ] || fail "a click on the chart went to generation $clicked of $latest"
cmp -s "$counts" "$work/recorded.csv" || fail "going back changed the counts file"
import -window "$window" "$work/past.png" 2>/dev/null

# An edit in the past keeps the recorded future until the run goes on;
# Ctrl+Z undoes it.
edit_middle
wait_for 5 status_says "^Generation $clicked of $latest · edited" || fail "after an edit in the past: $(status)"
key ctrl+z
wait_for 5 status_says "^Generation $clicked of $latest · stopped" || fail "after Ctrl+Z: $(status)"
status_says "Undone: the edit of row 10, column 10 at generation $clicked" || fail "Ctrl+Z told nothing: $(status)"
key Escape
lines_before=$(wc -l <"$out")
play_until_beyond "$latest"
close  # while stopped: one more generation, never shown
last=$(( $(wc -l <"$counts") - 2 ))
"$sim" --seed "$seed" --generations "$last" --counts | cmp -s - "$counts" ||
  fail "after going back and playing on, the counts file is not the straight run's"
tail -n +"$(( lines_before + 1 ))" "$out" | model_trace >"$work/replayed"
"$sim" --seed "$seed" --generations "$(( last + 1 ))" | generations_of | tail -n +"$(( clicked + 1 ))" >"$work/sim-generations"
generations_of <"$work/replayed" | cmp -s - "$work/sim-generations" ||
  fail "the trace from generation $(( clicked + 1 )) on, played again, is not vivar-sim's"
[ ! -s "$err" ] || { fail "stderr not empty"; cat "$err"; }
echo "seed $seed: back to 137 of $latest, the chart to $clicked, on to $last"

# The board saved at 137 goes on as the run did, in a window of its own
# without --seed: generation 137 of seed 5, then vivar-sim's generations,
# trace and counts.
step_to() {  # GENERATION: one step at a time
  local g
  for g in $(seq $(( $(shown) + 1 )) "$1"); do
    key n
    wait_for 5 status_says "^Generation $g " || die "a step did not reach generation $g: $(status)"
  done
}
VIVAR_STATUS_LOG=$status_log start_vivar "$vivar" --board "$work/window.vivar" --pace 0 --counts "$work/continued.csv"
wait_for 5 status_says "^Generation 137 · stopped.* seed $seed" || fail "the board saved at 137 opens as: $(status)"
status_says "with the board's seed $seed" || fail "the window does not say which seed it goes on with: $(status)"
step_to 142
close
"$sim" --seed "$seed" --generations 142 --counts | sed -n '1p;139,$p' | cmp -s - "$work/continued.csv" ||
  fail "the counts of the board saved at 137 and run on are not generations 137 to 142 of the run"
"$sim" --seed "$seed" --generations 142 | generations_of | sed -n '138,142p' >"$work/sim-generations"
model_trace "$out" | generations_of | head -n 5 | cmp -s - "$work/sim-generations" ||
  fail "the trace of the board saved at 137 and run on is not generations 138 to 142 of the run"

# Seeds from the clock: back to 137, then on; the same generations as the
# first time. A counts file of its own: one that holds rows is never written
# over.
counts=$work/clock-counts.csv
VIVAR_STATUS_LOG=$status_log start_vivar "$vivar" --pace 0 --counts "$counts"
button 3
wait_for 10 grep -q -x -F "  -- fin       doUpdates --" "$out" || die "the fill showed nothing"
play_until_beyond 160
latest=$(shown)
cp "$counts" "$work/first.csv"
model_trace "$out" | generations_of | head -n "$latest" >"$work/first-generations"
lines_before=$(wc -l <"$out")
back_to 137
key ctrl+s
answer_dialog "Save the board at generation 137" "$work/clock.vivar"
wait_for 5 test -s "$work/clock.vivar" || die "Ctrl+S saved nothing"
play_until_beyond "$latest"
# On from an edit three generations back: a counts file of its own, the
# recorded rows up to the edit and the new run's after them.
first_latest=$latest now=$(shown)
latest=$now
back_to $(( now - 3 ))
edit_middle
wait_for 5 status_says "edited" || fail "the edit at $(( now - 3 )) did not show"
key n
wait_for 5 test -s "$work/clock-counts-2.csv" || fail "going on from an edit in the past wrote no clock-counts-2.csv"
wait_for 5 grep -q "go to a file of their own, $work/clock-counts-2.csv" "$status_log" ||
  fail "the new counts file was not told on the status line"
close
head -n "$(( first_latest + 2 ))" "$counts" | cmp -s - "$work/first.csv" ||
  fail "a clock-seeded run played again from 137 has other counts than the first time"
cmp -s <(head -n "$(( now - 3 + 2 ))" "$work/clock-counts-2.csv") <(head -n "$(( now - 3 + 2 ))" "$counts") &&
  [ "$(wc -l <"$work/clock-counts-2.csv")" -eq $(( now - 3 + 3 )) ] ||
  fail "clock-counts-2.csv is not the recorded rows up to $(( now - 3 )) and one more: $(wc -l <"$work/clock-counts-2.csv") lines"
[ "$(grep -c 'a file of their own' "$err")" -eq 1 ] && [ "$(wc -l <"$err")" -eq 1 ] ||
  { fail "stderr should tell the new counts file once, and nothing else"; cat "$err"; }
tail -n +"$(( lines_before + 1 ))" "$out" | model_trace | generations_of | head -n "$(( first_latest - 137 ))" |
  cmp -s - <(tail -n +138 "$work/first-generations") ||
  fail "a clock-seeded run played again from 137 traced other generations than the first time"
echo "clock seeds: back to 137 of $first_latest, the same generations again; on from an edit at $(( now - 3 ))"

# Saved at 137 of a clock-seeded run, the board goes on through the recorded
# generations after it, in a window of its own.
VIVAR_STATUS_LOG=$status_log start_vivar "$vivar" --board "$work/clock.vivar" --pace 0
wait_for 5 status_says "^Generation 137 · stopped" || fail "the board saved at 137 of a clock-seeded run opens as: $(status)"
step_to 141
close
model_trace "$out" | generations_of | head -n 4 | cmp -s - <(sed -n '138,141p' "$work/first-generations") ||
  fail "the board saved at 137 of a clock-seeded run does not go on through the recorded generations"

# An edit at the latest generation waits there as one in the past does:
# the back key does not leave it, and the run goes on from the edited board.
VIVAR_STATUS_LOG=$status_log start_vivar "$vivar" --seed "$seed" --pace 0
button 3
step_to 10
edit_middle
wait_for 5 status_says "^Generation 10 · edited" || fail "an edit at the latest generation: $(status)"
key ctrl+s
answer_dialog "Save the board at generation 10" "$work/edited.vivar"
wait_for 5 test -s "$work/edited.vivar" || die "Ctrl+S saved nothing"
key comma
key period
wait_for 10 status_says "^Generation 11 " || die "the run did not go on from the edited board: $(status)"
key ctrl+s
answer_dialog "Save the board at generation 11" "$work/after-edit.vivar"
wait_for 5 test -s "$work/after-edit.vivar" || die "Ctrl+S saved nothing"
close
"$sim" --board "$work/edited.vivar" --generations 1 --save-board "$work/sim-after-edit.vivar" >/dev/null
board_of "$work/after-edit.vivar" | cmp -s - <(board_of "$work/sim-after-edit.vivar") ||
  fail "generation 11 is not the one that follows the board edited at generation 10"

end_checks
