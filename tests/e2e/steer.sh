#!/usr/bin/env bash
# A seeded run in the window, steered by clicks and keys, is the run that
# vivar-sim makes with the same seed: the same trace less the window's own
# lines, and the same counts. Then --quiet keeps standard output empty.
#   steer.sh VIVAR VIVAR-SIM WM_CLOSE PICTURES-DIR
source "$(dirname "$0")/session.sh"
vivar=$1 sim=$2 wm_close=$3 pictures=$4
seed=4242 counts=$work/counts.csv
generations() { grep -c -x -F "model ----------------------------- a cambiar imagenes " "$out"; }
close() {
  "$wm_close" "$window"
  wait_for 6 bash -c "! kill -0 $pid 2>/dev/null" || die "still running a minute after the close request"
  wait "$pid"; status=$?; pid=
  [ "$status" -eq 0 ] || fail "exit status $status"
}

cd "$pictures" || die "no pictures folder"
"$vivar" --seed "$seed" --pace 100 --counts "$counts" >"$out" 2>"$err" &
pid=$!
window=$(wait_for_window) && [ -n "$window" ] || die "no window titled vivar after the idle line"
button 3  # fill
wait_for 5 grep -q -x -F "  -- fin       doUpdates --" "$out" || die "fill showed nothing"
button 0  # play
wait_for 20 bash -c "[ \$(grep -c '^model ---' '$out') -ge 12 ]" || die "fewer than 12 generations"
key space  # stop
# Stopped once a whole second passes without a generation: the one under
# way may take a while to end on a loaded machine, while a run that goes on
# makes several a second.
settled() { local before; before=$(generations); sleep 1; [ "$(generations)" -eq "$before" ]; }
wait_for 5 settled || die "Space did not stop the run"
stopped=$(generations)
key n  # one generation, then stop
wait_for 5 bash -c "[ \$(grep -c '^model ---' '$out') -gt $stopped ]" || die "N ran no generation"
sleep 0.6
[ "$(generations)" -eq $(( stopped + 1 )) ] || fail "N ran $(( $(generations) - stopped )) generations, not 1"
close  # while stopped, which runs one more generation that is never shown

ran=$(generations)
model_trace "$out" >"$work/model-lines"
"$sim" --seed "$seed" --generations "$ran" >"$work/sim-trace"
cmp -s "$work/model-lines" "$work/sim-trace" || fail "the trace of $ran generations differs from vivar-sim's: $(diff "$work/model-lines" "$work/sim-trace" | head -n 5)"
shown=$(( $(wc -l <"$counts") - 2 ))
[ "$shown" -eq $(( ran - 1 )) ] || fail "$shown rows for $ran generations, of which the last was never shown"
"$sim" --seed "$seed" --generations "$shown" --counts | cmp -s - "$counts" || fail "the counts differ from vivar-sim's"
[ ! -s "$err" ] || { fail "stderr not empty"; cat "$err"; }
echo "seeded run: $ran generations, $shown shown"

# --quiet: the same window, nothing on standard output.
"$vivar" --quiet >"$out" 2>"$err" &
pid=$!
wait_for 20 bash -c "xdotool search --name '^vivar\$' >/dev/null" || die "no window with --quiet"
window=$(xdotool search --name '^vivar$' | head -n 1)
sleep 0.5
button 3; button 0
sleep 1.5
close
[ ! -s "$out" ] || fail "--quiet printed $(wc -l <"$out") lines"
[ ! -s "$err" ] || { fail "stderr not empty with --quiet"; cat "$err"; }

end_checks
