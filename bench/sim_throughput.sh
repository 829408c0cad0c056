#!/usr/bin/env bash
# Generations per second of vivar-sim end to end, best of three runs.
#   bench/sim_throughput.sh [build-dir | vivar-sim binary]
#
# The headline is a busy board: seed 5 settles within a few hundred
# generations near 300 lizards, 40 eggs and 38 cats and stays there. Seed
# 12345 is the light case: its lizards die out within a few hundred
# generations, and the rest of the run moves 42 cats on an empty board.
# A single-seed run uses a second core, when it has one, to make its
# random values ahead (taskset -c 0 shows the figure on one core). A sweep
# of seeds is timed with one job and with two, when the binary has --seeds.
source "$(dirname "$0")/lib.sh"
sim=$(sim_of "${1:-}")

rate() {  # generations, then vivar-sim's arguments
  local n=$1
  shift
  echo "$(( n * 1000000000 / $(best_of_three_ns "$sim" --generations "$n" "$@") )) generations/s"
}

echo "busy board (seed 5), --counts:            $(rate 100000 --seed 5 --counts)"
echo "busy board (seed 5), trace to /dev/null:  $(rate 20000 --seed 5)"
echo "light board (seed 12345), --counts:       $(rate 200000 --seed 12345 --counts)"
echo "light board (seed 12345), trace:          $(rate 20000 --seed 12345)"

if "$sim" --help | grep -q -- '--seeds'; then
  sweep=(--seeds 1:200 --generations 2000 --counts)
  one=$(best_of_three_ns "$sim" "${sweep[@]}" --jobs 1)
  two=$(best_of_three_ns "$sim" "${sweep[@]}" --jobs 2)
  echo "sweep of 200 seeds x 2000 generations, --counts: $((one / 1000000)) ms with --jobs 1," \
       "$((two / 1000000)) ms with --jobs 2 ($(awk -v a="$one" -v b="$two" 'BEGIN { printf "%.2f", a / b }') times as fast)"
fi
