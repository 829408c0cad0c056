#!/usr/bin/env bash
# A close at the slowest pace: the window goes at once and the program ends
# soon after, having run the one more generation that a close while stopped
# runs; nothing pressed after the close acts.
#   close.sh VIVAR WM_CLOSE PICTURES-DIR
source "$(dirname "$0")/session.sh"
vivar=$1 wm_close=$2 pictures=$3
status_log=$work/status
said() { sed 's/\xc2\xa0/ /g' "$status_log" | grep -q -E "$1"; }
gone() { ! kill -0 "$pid" 2>/dev/null; }
unmapped() { xwininfo -id "$window" 2>/dev/null | grep -q 'Map State: IsUnMapped'; }
handed_off='model ----------------------------- a cambiar imagenes '
cd "$pictures" || die "no pictures folder"

# Ctrl+Q while stopped. The model then runs one more generation, and its
# pause of 10 s used to keep the program, and its frozen window, that long.
# The bound is as far above the second or so that the close takes as that
# pause allows: a sanitizer build on a loaded machine takes a few seconds.
limit=9000
start_vivar "$vivar" --pace 10000
asked=$(now_ms)
key ctrl+q
wait_for 30 gone || die "still running long after Ctrl+Q"
wait "$pid"; status=$?; pid=
took=$(( $(now_ms) - asked ))
echo "Ctrl+Q while stopped at pace 10000: exit $status after $took ms"
[ "$status" -eq 0 ] || fail "Ctrl+Q ended with status $status"
[ "$took" -lt "$limit" ] || fail "took $took ms from Ctrl+Q to the end"
[ "$(grep -c -x -F "$handed_off" "$out")" -eq 1 ] || fail "a close while stopped ran $(grep -c -x -F "$handed_off" "$out") generations, not one"
[ ! -s "$err" ] || fail "stderr: $(cat "$err")"

# The close button while stopped, on a board filled five times, whose last
# generation cannot finish: the fills' trace fills most of a pipe that is not
# read, and that generation's trace cannot pass. The window must be gone all
# the same, and a clear clicked just after the close must not act.
mkfifo "$work/trace"
cat "$work/trace" >"$out" & reader=$!
# The trace's reader, stopped to fill the pipe, goes on so that it ends.
before_clean_up() { kill -CONT "$reader" 2>/dev/null; [ -n "$pid" ] && kill "$pid" 2>/dev/null; }
: >"$status_log"
VIVAR_STATUS_LOG=$status_log "$vivar" --pace 10000 --seed 5 >"$work/trace" 2>"$err" &
pid=$!
window=$(wait_for_window) && [ -n "$window" ] || die "vivar did not start"
kill -STOP "$reader"
for _ in 1 2 3 4 5; do key 4; done  # fill
wait_for 10 said '^Generation 0 · stopped · brown lizards [1-9]' || die "the fill did not reach the status line"
shown=$(wc -l <"$status_log")
"$wm_close" "$window"
xdotool mousemove 15 "$(button_y 2)" click 1 2>/dev/null  # clear
wait_for 10 unmapped || fail "the window was still on screen after the close"
gone && echo "note: the program ended before its trace was read, so the window's going was not told apart from the program's end"
kill -CONT "$reader"
wait_for 30 gone || die "still running long after the close"
wait "$pid"; status=$?; pid=
wait "$reader"
[ "$status" -eq 0 ] || fail "the close ended with status $status"
[ "$(wc -l <"$status_log")" -eq "$shown" ] || fail "the status line changed after the close: $(tail -n 1 "$status_log")"
# The generation after the close, on the filled board.
[ "$(grep -c -x -F "$handed_off" "$out")" -eq 1 ] || fail "$(grep -c -x -F "$handed_off" "$out") generations after a close while stopped, not one"
[ "$(sed -n '/^  -- fin       doUpdates --$/h; //!H; ${x;p}' "$out" | grep -c 'casilla con')" -gt 0 ] ||
  fail "the generation after the close found an empty board"
[ ! -s "$err" ] || fail "stderr: $(cat "$err")"
end_checks
