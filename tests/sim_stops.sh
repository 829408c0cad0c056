#!/usr/bin/env bash
# Stops and what follows them, as a user of vivar-sim meets them: Ctrl+C or
# SIGTERM leaves whole rows and says how many; --resume goes on with the
# table to the same bytes as a run that never stopped, and refuses another
# command's table; rows reach a file while the sweep still runs; a single
# run whose output is cut still saves its board.
#   sim_stops.sh VIVAR-SIM
source "$(dirname "$0")/lib.sh"
sim=$(realpath "$1")
cd "$work" || exit 1

# Waits until the file has at least `lines` lines or the process has ended;
# five minutes are far longer than any build, ThreadSanitizer's included,
# takes to write its first rows. The file is made before the process
# starts, which may open it only later.
wait_for_lines() {  # FILE LINES PID
  lines_or_ended() { [ "$(wc -l <"$1")" -ge "$2" ] || ! kill -0 "$3" 2>/dev/null; }
  wait_for 30 lines_or_ended "$@" || true
}
# Every line of the file has the header's number of fields.
whole_rows() {
  awk -F, 'NR == 1 { n = NF } NF != n { bad++ } END { exit bad > 0 || NR == 0 }' "$1"
}
# The number in "stopped: 1,234 of ..." on the file's one line.
stopped_count() {
  sed -n 's/^vivar-sim: stopped: \([0-9,]*\) of .*/\1/p' "$1" | tr -d ,
}

# An experiment of 900 runs, some seconds long, interrupted by Ctrl+C once
# its first rows are in the file (a second at most after they are done): whole rows only, as many as the line on stderr says, status
# 130. Should the machine finish it first, it is whole, and the rest holds.
experiment=(--seeds 1:300 --vary hatch=1:3:1 --generations 200 --summary --jobs 2)
"$sim" "${experiment[@]}" >whole.csv || fail "the experiment exited $?"
: >stopped.csv
"$sim" "${experiment[@]}" >stopped.csv 2>err &
pid=$!
wait_for_lines stopped.csv 2 "$pid"
kill -INT "$pid" 2>/dev/null
wait "$pid"
status=$?
rows=$(($(wc -l <stopped.csv) - 1))
whole_rows stopped.csv || fail "an interrupted experiment left a row cut short: $(tail -c 100 stopped.csv)"
if [ "$status" -eq 130 ]; then
  [ "$(wc -l <err)" -eq 1 ] && [ "$(stopped_count err)" = "$rows" ] && grep -q " of 900 runs written" err ||
    fail "the stop said '$(cat err)' for $rows rows"
  [ "$rows" -lt 900 ] || echo "note: the experiment ended before Ctrl+C came"
else
  [ "$status" -eq 0 ] && [ "$rows" -eq 900 ] || fail "Ctrl+C: status $status after $rows rows, not 130"
  echo "note: the experiment ended before Ctrl+C came"
fi
"$sim" "${experiment[@]}" --resume stopped.csv >out || fail "--resume exited $?"
[ ! -s out ] || fail "--resume wrote to standard output"
cmp -s stopped.csv whole.csv || fail "stopped and resumed, the table differs from one run's"

# A file a kill -9 cut in the middle of a row or of a run's counts, and one
# that holds no row yet: each is taken up to the same bytes; so is a part.
small=(--seeds 1:40 --vary hatch=1:3:1 --generations 50 --summary)
"$sim" "${small[@]}" >small.csv
counts=(--seeds 1:12 --vary meal=2,3 --generations 30 --counts --part 2/3)
"$sim" "${counts[@]}" >counts.csv
for cut in 0 5 1000 1100 7000; do
  head -c "$cut" small.csv >cut.csv
  "$sim" "${small[@]}" --resume cut.csv && cmp -s cut.csv small.csv || fail "a table cut at byte $cut"
  head -c "$cut" counts.csv >cut.csv
  "$sim" "${counts[@]}" --resume cut.csv && cmp -s cut.csv counts.csv || fail "a part's counts cut at byte $cut"
done

# Another command's table is refused in one line, status 2, and left as it
# was: other generations, other seeds, another rule, the part's table.
head -c 3000 whole.csv >before.csv
for args in "--generations 199" "--seeds 2:300" "--rule meal=2" "--part 2/2"; do
  cp before.csv other.csv
  # shellcheck disable=SC2086  # the options are words
  out=$("$sim" "${experiment[@]}" $args --resume other.csv 2>err)
  status=$?
  [ "$status" -eq 2 ] && [ -z "$out" ] && [ "$(wc -l <err)" -eq 1 ] && grep -q '^vivar-sim: other.csv:[0-9]*: ' err ||
    fail "--resume with $args: status $status, said '$(cat err)'"
  cmp -s other.csv before.csv || fail "--resume with $args changed the file it refused"
done

# Rows reach a file while the sweep runs, not in blocks at its end.
: >slow.csv
"$sim" --seeds 1:8 --size 200x200 --generations 200 --summary --jobs 2 >slow.csv 2>/dev/null &
pid=$!
wait_for_lines slow.csv 2 "$pid"
[ "$(wc -l <slow.csv)" -ge 2 ] && kill -INT "$pid" 2>/dev/null || fail "no row reached the file while the sweep ran"
wait "$pid"

# A single run stopped by SIGTERM: whole rows of counts, the generations
# written told, status 143, and the board it was to save not saved.
: >run.csv
"$sim" --seed 3 --size 200x200 --generations 1000000 --counts --save-board never.vivar >run.csv 2>err &
pid=$!
wait_for_lines run.csv 3 "$pid"
kill -TERM "$pid"
wait "$pid"
status=$?
[ "$status" -eq 143 ] || fail "SIGTERM: status $status"
whole_rows run.csv || fail "a stopped run left a row cut short: $(tail -c 100 run.csv)"
[ "$(stopped_count err)" = "$(($(wc -l <run.csv) - 2))" ] && grep -q "generations written; nothing saved to never.vivar" err ||
  fail "the stopped run said '$(cat err)' for $(wc -l <run.csv) lines"
[ ! -e never.vivar ] || fail "a run stopped before its save saved a board"

# Output cut by a reader that has gone: the board is saved all the same,
# the one the run would have saved, and the status is as without a save.
"$sim" --seed 3 --generations 500 --save-board full.vivar >/dev/null
"$sim" --seed 3 --generations 500 | head -n 1 >/dev/null
expected=${PIPESTATUS[0]}
"$sim" --seed 3 --generations 500 --save-board cut.vivar | head -n 1 >/dev/null
status=${PIPESTATUS[0]}
[ "$status" -eq "$expected" ] || fail "a cut output with --save-board exited $status, without it $expected"
cmp -s <(grep -v '^#' cut.vivar) <(grep -v '^#' full.vivar) || fail "the board saved after a cut output differs"
"$sim" --seed 3 --generations 500 --save-board at.vivar --at 300 | head -n 1 >/dev/null
grep -q "after generation 300:" at.vivar || fail "--at 300 saved nothing after a cut output"

end_checks
