#!/usr/bin/env bash
# The window at other sizes and rules: a size beyond any board's is refused
# before any window opens, a long one opens; a seeded 50 x 50 run is vivar-sim's,
# trace and counts; a click picks the square under it on a board that is not
# square; the Rules dialog sets a size and a rule that the next clear
# brings, told on the status line, and the fill after it is vivar-sim's.
#   sizes.sh VIVAR VIVAR-SIM PICTURES-DIR
source "$(dirname "$0")/session.sh"
vivar=$1 sim=$2 pictures=$3
status_log=$work/status inspector_log=$work/inspector counts=$work/counts.csv
generations() { grep -c -x -F "model ----------------------------- a cambiar imagenes " "$out"; }
shown() { echo $(( $(wc -l <"$counts") - 2 )); }
# The status line holds its items together with no-break spaces.
status_says() { tail -n 1 "$status_log" | sed 's/\xc2\xa0/ /g' | grep -q -F "$1"; }
quit() {
  key ctrl+q
  wait "$pid"; status=$?; pid=
  [ "$status" -eq 0 ] || fail "exit status $status"
}
# One generation with N, once the one before is on screen.
step() {
  local before; before=$(shown)
  key n
  wait_for 5 bash -c "[ \$(( \$(wc -l <'$counts') - 2 )) -gt $before ]" || die "N showed no generation"
}
cd "$pictures" || die "no pictures folder"

# Larger than any board: one line that tells the limit, status 2; a board
# longer than 2000 squares within it opens.
"$vivar" --size 2001x2000 >"$out" 2>"$err"
status=$?
[ "$status" -eq 2 ] || fail "--size 2001x2000: exit status $status, not 2"
[ "$(wc -l <"$err")" -eq 1 ] && grep -q '4000000' "$err" || fail "--size 2001x2000 said: $(cat "$err")"
[ ! -s "$out" ] || fail "--size 2001x2000 printed a trace: a window opened"
VIVAR_STATUS_LOG=$status_log start_vivar "$vivar" --size 4000x10
wait_for 5 status_says "rules 4000x10" || fail "a 4000x10 board did not open: $(tail -n 1 "$status_log")"
quit

# 50 x 50: the trace and counts of vivar-sim's run of that size.
seed=505
VIVAR_STATUS_LOG=$status_log start_vivar "$vivar" --size 50x50 --seed "$seed" --pace 0 --counts "$counts"
button 3  # fill
wait_for 5 status_says "rules 50x50" || fail "the status line does not tell the size: $(tail -n 1 "$status_log")"
for _ in 1 2 3; do step; done
quit  # while stopped, which runs one more generation that is never shown
ran=$(generations)
model_trace "$out" >"$work/model-lines"
"$sim" --size 50x50 --seed "$seed" --generations "$ran" | cmp -s - "$work/model-lines" ||
  fail "the 50x50 trace of $ran generations differs from vivar-sim's"
"$sim" --size 50x50 --seed "$seed" --generations 3 --counts | cmp -s - "$counts" ||
  fail "the 50x50 counts differ from vivar-sim's: $(diff <("$sim" --size 50x50 --seed "$seed" --generations 3 --counts) "$counts" | head -n 4)"
[ ! -s "$err" ] || { fail "stderr not empty at 50x50"; cat "$err"; }

# 24 rows and 36 columns: 24 squares across the screen, 36 down. A click
# on a square picks it.
rm -f "$counts"
VIVAR_STATUS_LOG=$status_log VIVAR_INSPECTOR_LOG=$inspector_log \
  start_vivar "$vivar" --size 24x36 --seed 7 --pace 0 --counts "$counts"
button 3
wait_for 10 board_found 150 300 || die "no board found in the view (${board_w:-0}x${board_h:-0})"
# Its outline has the board's proportions.
[ $(( board_h * 24 * 10 / (board_w * 36) )) -ge 9 ] && [ $(( board_h * 24 * 10 / (board_w * 36) )) -le 11 ] ||
  fail "a 24x36 board is drawn ${board_w}x${board_h}"
row=31 column=5
key Escape  # pick mode
xdotool mousemove $(( 40 + board_x + (2 * column - 1) * board_w / 48 )) $(( board_y + (2 * row - 1) * board_h / 72 )) click 1
wait_for 5 bash -c "awk -v RS= 'END { print }' '$inspector_log' | grep -q -F 'Row $row, column $column'" ||
  fail "a click on row $row, column $column: the inspector says $(inspected | head -n 1)"

# The Rules dialog: 30 rows, 45 columns, eggs hatch on the second visit. The
# run keeps its rules until the clear.
key r
wait_for 10 bash -c "xdotool search --onlyvisible --name '^Rules\$' >/dev/null" || die "R opened no Rules dialog"
dialog=$(xdotool search --onlyvisible --name '^Rules$' | head -n 1)
xdotool windowfocus --sync "$dialog"
sleep 0.3
xdotool key ctrl+a type 30
xdotool key Tab ctrl+a type 45
xdotool key Tab ctrl+a type 2
xdotool key Return
wait_for 5 status_says "The new rules come with the next fill" || fail "no word that the rules come later: $(tail -n 1 "$status_log")"
status_says "rules 24x36" || fail "the rules changed before the clear: $(tail -n 1 "$status_log")"
key 3  # clear
wait_for 5 status_says "rules 30x45 hatch=2" || fail "the clear did not bring the rules: $(tail -n 1 "$status_log")"
key 4  # fill, with the new rules and the seed
for _ in 1 2; do step; done
"$sim" --size 30x45 --rule hatch=2 --seed 7 --generations 2 --counts | cmp -s - "$counts" ||
  fail "the run after the dialog differs from vivar-sim --size 30x45 --rule hatch=2"

# Saved with its rules, which a board of other rules opened in its place
# replaces.
key ctrl+s
saved=$work/ruled.vivar
wait_for 20 bash -c "xdotool search --onlyvisible --name '^Save the board at generation 2\$' >/dev/null" || die "no save dialog"
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Save the board at generation 2$' | head -n 1)"
sleep 0.3
xdotool key ctrl+a type --delay 5 "$saved"
xdotool key Return
wait_for 5 test -s "$saved" || die "Ctrl+S saved nothing"
"$sim" --generations 0 --save-board "$work/standard.vivar" >/dev/null
key ctrl+o
wait_for 20 bash -c "xdotool search --onlyvisible --name '^Open a board\$' >/dev/null" || die "no open dialog"
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Open a board$' | head -n 1)"
sleep 0.3
xdotool key ctrl+a type --delay 5 "$work/standard.vivar"
xdotool key Return
no_rules() { ! tail -n 1 "$status_log" | sed 's/\xc2\xa0/ /g' | grep -q 'rules 30x45'; }
wait_for 5 no_rules || fail "the standard board kept the rules: $(tail -n 1 "$status_log")"
quit
[ ! -s "$err" ] || { fail "stderr not empty"; cat "$err"; }

# --board brings the file's rules, a size that contradicts them is refused
# with one line, and a board file larger than 100 squares a side opens.
VIVAR_STATUS_LOG=$status_log start_vivar "$vivar" --board "$saved"
wait_for 5 status_says "rules 30x45 hatch=2" || fail "--board did not bring its rules: $(tail -n 1 "$status_log")"
quit
"$vivar" --board "$saved" --size 40x40 >"$out" 2>"$err"; status=$?
[ "$status" -eq 2 ] && [ "$(wc -l <"$err")" -eq 1 ] || fail "--size against the file's: status $status, $(cat "$err")"
"$sim" --size 120x20 --generations 0 --save-board "$work/large.vivar" >/dev/null
VIVAR_STATUS_LOG=$status_log start_vivar "$vivar" --board "$work/large.vivar"
wait_for 5 status_says "rules 120x20" || fail "a 120x20 board file did not open: $(tail -n 1 "$status_log")"
quit

end_checks
