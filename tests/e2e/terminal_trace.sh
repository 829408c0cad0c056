#!/bin/bash
# The window in a terminal: the standard board's trace is shown whole, and
# once a board larger than it is opened, the creatures' lines stay out of
# the terminal, which one line says.
# Usage: terminal_trace.sh VIVAR VIVAR-SIM WM-CLOSE
source "$(dirname "$0")/session.sh"
vivar=$1 sim=$2 wm_close=$3

large=$work/large.vivar
"$sim" --seed 3 --size 30x30 --generations 1 --save-board "$large" >/dev/null || die "vivar-sim saved no 30 x 30 board"
typescript=$work/typescript
creature_lines() { grep -c -a -F -e '--------casilla con lagartija----------' "$typescript"; }
notice_lines() { grep -c -a -F 'the console shows no trace of the creatures' "$typescript"; }
creatures_traced() { [ "$(creature_lines)" -gt 0 ]; }
notice_shown() { [ "$(notice_lines)" -eq 1 ]; }

# script gives the window a terminal of its own and keeps what it shows,
# lines ending as the program ends them.
start_vivar script -q -f -e -c "stty -onlcr; exec '$vivar' --seed 1 --pace 0" "$typescript"
button 3  # fill
key period
wait_for 10 creatures_traced || fail "the standard board's steps traced no creature into the terminal"
[ "$(notice_lines)" -eq 0 ] || fail "the standard board was said to keep its creatures out of the terminal"
# A step ends a moment after its trace: until then, a board does not open.
for try in 1 2 3 4 5; do
  key ctrl+o
  wait_for 1 dialog_up "Open a board" && break
done
answer_dialog "Open a board" "$large"
wait_for 10 notice_shown || fail "opening a 30 x 30 board did not say the creatures leave the terminal"
before=$(creature_lines)
key period
key period
sleep 1
[ "$(creature_lines)" -eq "$before" ] || fail "the 30 x 30 board's steps still traced creatures into the terminal"
close_vivar
end_checks
