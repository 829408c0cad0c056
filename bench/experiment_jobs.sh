#!/usr/bin/env bash
# How much faster an experiment runs on two jobs than on one: an experiment
# of 2 rules (hatch 3, 5, 7 and boards of 20 x 20 and 40 x 40) x 20 seeds x
# 1000 generations with --summary, timed with --jobs 1 and --jobs 2 in
# turn, best of three runs each (or of ROUNDS). Prints both times, the runs'
# square-turns per second, and the ratio. Other work on the machine lowers
# the ratio: the load average before the first run is printed with it.
#   bench/experiment_jobs.sh [build-dir | vivar-sim binary] [ROUNDS]
source "$(dirname "$0")/lib.sh"
sim=$(sim_of "${1:-}")
rounds=${2:-3}
experiment=(--seeds 1:20 --vary hatch=3,5,7 --vary size=20x20,40x40 --generations 1000 --summary)
# Squares of each run, summed over the runs, times the generations.
square_turns=$(( 20 * 3 * (20 * 20 + 40 * 40) * 1000 ))

# Taken in turn, so that a load that comes and goes falls on both.
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
best1="" best2=""
for _ in $(seq 1 "$rounds"); do
  best1=$(least_of "$best1" "$(elapsed_ns "$sim" "${experiment[@]}" --jobs 1)")
  best2=$(least_of "$best2" "$(elapsed_ns "$sim" "${experiment[@]}" --jobs 2)")
done
awk -v one="$best1" -v two="$best2" -v turns="$square_turns" 'BEGIN {
  printf "experiment of 120 runs (3 hatch values x 2 sizes x 20 seeds) x 1000 generations, --summary:\n"
  printf "  --jobs 1: %.2f s, %.1f million square-turns/s\n", one / 1e9, turns / one * 1e3
  printf "  --jobs 2: %.2f s, %.1f million square-turns/s\n", two / 1e9, turns / two * 1e3
  printf "  --jobs 2 is %.2f times as fast as --jobs 1\n", one / two
}'
