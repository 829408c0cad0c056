#!/usr/bin/env bash
# Sweeps of many seeds, as a user of vivar-sim sees them.
#   sim_sweeps.sh VIVAR-SIM [SEEDS]
# SEEDS is the size of the long sweep that shows progress (default 200); a
# much slower build, as under ThreadSanitizer, needs fewer to last a second.
source "$(dirname "$0")/lib.sh"
sim=$(realpath "$1") long_seeds=${2:-200}

# A sweep on two threads is, row for row, the single-seed runs with the
# board's size, the rules and the seed in front, in seed order.
"$sim" --seeds 1:6 --jobs 2 --generations 40 --counts >"$work/sweep.csv" || fail "the sweep exited $?"
{
  echo "size,hatch,mating,meal,fill,seed,generation,empty,lizard1,lizard2,egg1,egg2,cat"
  for seed in 1 2 3 4 5 6; do
    "$sim" --seed "$seed" --generations 40 --counts | tail -n +2 | sed "s/^/20x20,5,3,3,60:15:15:10,$seed,/"
  done
} >"$work/singles.csv"
cmp -s "$work/sweep.csv" "$work/singles.csv" || fail "--seeds 1:6 --jobs 2 differs from the single-seed runs"

# Two tasks of the Slurm array script, merged as docs/sweeps.md merges them,
# equal the whole range.
for task in 0 1; do
  (cd "$work" && SLURM_ARRAY_TASK_ID=$task SLURM_CPUS_PER_TASK=2 SEEDS_PER_TASK=3 GENERATIONS=40 VIVAR_SIM=$sim \
     "$tools/sweep_slurm.sh")
done
(cd "$work" && { head -n 1 part-0000.csv; tail -q -n +2 part-*.csv; } >merged.csv)
cmp -s "$work/merged.csv" "$work/sweep.csv" || fail "two merged ranges differ from the one range"

# The summary: named columns, the last generation's counts, and the first
# generation at which each lizard species had neither adults nor eggs.
summary=$("$sim" --seeds 1:8 --jobs 2 --generations 150 --summary) || fail "the summary exited $?"
[ "$(head -n 1 <<<"$summary")" = \
  "size,hatch,mating,meal,fill,seed,generations,empty,lizard1,lizard2,egg1,egg2,cat,species1_extinct_at,species2_extinct_at" ] \
  || fail "summary header"
[ "$(tail -n +2 <<<"$summary" | cut -d, -f1-5 | sort -u)" = "20x20,5,3,3,60:15:15:10" ] \
  || fail "the summary's rows do not all name the standard size and rules"
summary=$(cut -d, -f6- <<<"$summary")
expected=$("$sim" --seeds 1:8 --generations 150 --counts | cut -d, -f6- | awk -F, '
  NR == 1 { next }
  $2 == 0 { gone1[$1] = gone2[$1] = "" }
  $4 + $6 == 0 && gone1[$1] == "" { gone1[$1] = $2 }
  $5 + $7 == 0 && gone2[$1] == "" { gone2[$1] = $2 }
  $2 == 150 { last[$1] = $3 "," $4 "," $5 "," $6 "," $7 "," $8 }
  END { for (s = 1; s <= 8; ++s) print s ",150," last[s] "," gone1[s] "," gone2[s] }')
[ "$(tail -n +2 <<<"$summary")" = "$expected" ] || fail "summary rows differ from the counts: $summary"
grep -q ',[0-9][0-9]*,[0-9][0-9]*$' <<<"$summary" || fail "no seed of 1:8 died out, the check above proved little"
[ "$("$sim" --seed 2 --generations 150 --summary)" = "$("$sim" --seeds 2:2 --generations 150 --summary)" ] \
  || fail "--seed 2 --summary differs from --seeds 2:2's"

# Refusals: one line on stderr, exit 2, nothing on stdout.
for args in "--seeds 1:3" "--seeds 5:3 --counts" "--seeds 4294967290:4294967296 --summary" "--seeds 3 --counts" \
            "--seeds 1:3 --counts --summary" "--seed 1 --seeds 1:3 --counts" "--seeds 1:3 --jobs 0 --counts" \
            "--jobs 2 --counts"; do
  refused_in_one_line "$args" "$sim"
done
"$sim" --seeds 1:3 2>&1 | grep -q -- '--counts or --summary' || fail "the refusal of a traced sweep says not what to add"

# Progress on a terminal's stderr for a sweep longer than a second, and not a
# byte of it when stderr is a file.
long=(--seeds "1:$long_seeds" --generations 1000 --summary)
"$sim" "${long[@]}" 2>"$work/err" >/dev/null
[ ! -s "$work/err" ] || fail "progress written to a stderr that is not a terminal"
script -qec "$(printf '%q ' "$sim" "${long[@]}") >/dev/null" /dev/null >"$work/tty"
grep -q "of $long_seeds seeds" "$work/tty" || fail "no progress on a terminal"

end_checks
