#!/usr/bin/env bash
# Experiments over the rules, as a user of vivar-sim sees them: every
# combination of the varied values for every seed, in one order whatever the
# number of jobs, split into parts that concatenate into the whole, and
# drawn by vivar-sim --plot.
#   sim_experiments.sh VIVAR-SIM
source "$(dirname "$0")/lib.sh"
sim=$(realpath "$1")

# 2 rules x 3 values x 20 seeds: 180 rows after a header that names the
# size and every rule, the same with one job and with two.
experiment=(--seeds 1:20 --vary hatch=3:7:2 --vary meal=2,3,4 --generations 150 --summary)
"$sim" "${experiment[@]}" --jobs 2 >"$work/two.csv" || fail "the experiment exited $?"
[ "$(head -n 1 "$work/two.csv")" = \
  "size,hatch,mating,meal,fill,seed,generations,empty,lizard1,lizard2,egg1,egg2,cat,species1_extinct_at,species2_extinct_at" ] \
  || fail "header: $(head -n 1 "$work/two.csv")"
[ "$(tail -n +2 "$work/two.csv" | wc -l)" -eq 180 ] || fail "$(tail -n +2 "$work/two.csv" | wc -l) rows, not 180"
"$sim" "${experiment[@]}" --jobs 1 >"$work/one.csv" || fail "--jobs 1 exited $?"
cmp -s "$work/one.csv" "$work/two.csv" || fail "--jobs 1 and --jobs 2 give different tables"

# The rows in nested order, hatch slowest, then meal, then seed; each the
# row of that single run with its size and rules.
expected_order=$(for hatch in 3 5 7; do for meal in 2 3 4; do for seed in $(seq 1 20); do
  echo "20x20,$hatch,3,$meal,60:15:15:10,$seed"; done; done; done)
[ "$(tail -n +2 "$work/two.csv" | cut -d, -f1-6)" = "$expected_order" ] || fail "the rows are not in nested order"
for row in "3,2,1" "5,4,13" "7,3,20"; do
  IFS=, read -r hatch meal seed <<<"$row"
  single=$("$sim" --seed "$seed" --rule "hatch=$hatch" --rule "meal=$meal" --generations 150 --summary | tail -n 1)
  grep -qxF "$single" "$work/two.csv" || fail "no row $single"
done
[ "$(tail -n +2 "$work/two.csv" | cut -d, -f1-5,7- | sort -u | wc -l)" -gt 9 ] \
  || fail "the seeds made no difference to the rows"

# Every row names the size and every rule, the fixed ones too: a table
# explains itself.
"$sim" --seeds 1:2 --size 30x30 --rule meal=5 --vary hatch=1,2 --generations 10 --summary >"$work/fixed.csv"
[ "$(cut -d, -f1-6 "$work/fixed.csv")" = "size,hatch,mating,meal,fill,seed
30x30,1,3,5,60:15:15:10,1
30x30,1,3,5,60:15:15:10,2
30x30,2,3,5,60:15:15:10,1
30x30,2,3,5,60:15:15:10,2" ] || fail "the fixed size and rule are not named: $(cat "$work/fixed.csv")"

# Two parts, and seven, concatenated, are the whole table; only part 1 has
# the header.
for parts in 2 7; do
  for part in $(seq 1 "$parts"); do
    "$sim" "${experiment[@]}" --part "$part/$parts" || fail "--part $part/$parts exited $?"
  done >"$work/parts.csv"
  cmp -s "$work/parts.csv" "$work/two.csv" || fail "the $parts parts concatenated differ from the whole"
done
[ "$("$sim" "${experiment[@]}" --part 2/2 | grep -c '^size,')" -eq 0 ] || fail "part 2 printed the header"

# Two tasks of the Slurm array script given an experiment, concatenated.
for task in 3 4; do
  (cd "$work" && SLURM_ARRAY_TASK_ID=$task SLURM_ARRAY_TASK_MIN=3 SLURM_ARRAY_TASK_MAX=4 SLURM_CPUS_PER_TASK=2 \
     VIVAR_SIM=$sim "$tools/sweep_slurm.sh" "${experiment[@]}")
done
(cd "$work" && cat part-*.csv >merged.csv)
cmp -s "$work/merged.csv" "$work/two.csv" || fail "two Slurm tasks merged differ from the whole"

# Counts: every generation's row, the size and rules first; sizes from a
# range and fills from a list, each as --size and --rule give them.
"$sim" --seeds 4:5 --vary size=4:6:2 --vary fill=0:0:0:100,60:15:15:10 --generations 3 --counts \
  >"$work/counts.csv" || fail "the counts experiment exited $?"
{
  echo "size,hatch,mating,meal,fill,seed,generation,empty,lizard1,lizard2,egg1,egg2,cat"
  for size in 4x4 6x6; do for fill in 0:0:0:100 60:15:15:10; do for seed in 4 5; do
    "$sim" --seed "$seed" --size "$size" --rule "fill=$fill" --generations 3 --counts | tail -n +2 \
      | sed "s/^/$size,5,3,3,$fill,$seed,/"
  done; done; done
} >"$work/singles.csv"
cmp -s "$work/counts.csv" "$work/singles.csv" || fail "the counts differ from the single runs"
grep -q '^6x6,5,3,3,0:0:0:100,5,3,0,0,0,0,0,36$' "$work/counts.csv" || fail "a fill of cats only on 6x6 is not 36 cats"

# A sweep without --vary splits into parts as well, and is unchanged.
"$sim" --seeds 1:6 --generations 40 --counts >"$work/sweep.csv"
{ "$sim" --seeds 1:6 --generations 40 --counts --part 1/2; "$sim" --seeds 1:6 --generations 40 --counts --part 2/2; } \
  >"$work/sweep-parts.csv"
cmp -s "$work/sweep.csv" "$work/sweep-parts.csv" || fail "a sweep's two parts differ from the whole"

# Refusals: one line on stderr, exit 2, nothing on stdout.
"$sim" --seed 1 --generations 2 --counts --save-board "$work/board.vivar" >/dev/null
for args in "--vary hatch=2,3 --summary" "--seeds 1:2 --vary hatch=0,3 --summary" \
            "--seeds 1:2 --vary hatch=7:3:1 --summary" "--seeds 1:2 --vary meal=1:5:0 --summary" \
            "--seeds 1:2 --vary size=1x5 --summary" "--seeds 1:2 --vary size=1000:3000:1000 --summary" \
            "--seeds 1:2 --vary fill=50:20:20:20 --summary" "--seeds 1:2 --vary colour=1,2 --summary" \
            "--seeds 1:2 --vary hatch=2 --vary hatch=3 --summary" "--seeds 1:2 --part 3/2 --summary" \
            "--seeds 1:2 --part 0/2 --summary" "--seeds 1:2 --part 1 --summary" "--part 1/2 --summary" \
            "--seeds 1:2 --board $work/board.vivar --vary size=4x4 --summary" \
            "--seeds 0:4294967295 --vary hatch=1:1000:1 --vary mating=1:1000:1 --vary meal=1:1000:1
             --vary size=2:1001:1 --summary" "--seeds 1:2 --vary hatch=1:1000000000000:1 --summary" \
            "--seeds 1:2 --rule hatch=2 --rule hatch=2 --summary" "--seeds 1:2 --size 4x4 --size 5x5 --summary"; do
  refused_in_one_line "$args" "$sim"
done

"$sim" --seeds 1:2 --vary hatch=1:1000000000000:1 --summary 2>&1 | grep -q "1000000000000 is too large; the largest hatch is 1000" \
  || fail "a range past the largest hatch does not say which is the largest"
"$sim" --seed 1 --rule hatch=2 --rule hatch=3 2>&1 | grep -q -- "--rule hatch is given twice" \
  || fail "a rule given twice is not named"

# The plot: the share of runs in which both species survive, against the
# varied hatch, one line for each meal; the points it prints hold those
# shares.
"$sim" --plot "$work/two.csv" "$work/plot.png" --against hatch >"$work/points.txt" || fail "--plot exited $?"
[ "$(identify -format '%m %w' "$work/plot.png" 2>/dev/null)" = "PNG 1200" ] || fail "the plot is not a 1200-wide PNG"
share=$(awk -F, '$2 == 5 && $4 == 2 && $14 == "" && $15 == "" { n++ } $2 == 5 && $4 == 2 { all++ }
                END { printf "%.3f", n / all }' "$work/two.csv")
grep -q "^hatch=5 meal=2 runs=20 both=$share " "$work/points.txt" || fail "no share $share for hatch 5, meal 2"
"$sim" --plot "$work/two.csv" "$work/q.png" --against seed 2>/dev/null && fail "plotted against the seed"
"$sim" --plot "$work/counts.csv" "$work/q.png" 2>/dev/null && fail "plotted counts"
[ ! -e "$work/q.png" ] || fail "wrote a plot of what it refused"

end_checks
