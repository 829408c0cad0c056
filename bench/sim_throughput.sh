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
set -eu
target=${1:-$(dirname "$0")/../build}
if [ -d "$target" ]; then sim=$target/vivar-sim; else sim=$target; fi

seconds() {  # the best of three runs of vivar-sim with these arguments
  local best=""
  for _ in 1 2 3; do
    local start end
    start=$(date +%s%N)
    "$sim" "$@" >/dev/null
    end=$(date +%s%N)
    if [ -z "$best" ] || [ $((end - start)) -lt "$best" ]; then best=$((end - start)); fi
  done
  echo "$best"
}

rate() {  # generations, then vivar-sim's arguments
  local n=$1
  shift
  echo "$(( n * 1000000000 / $(seconds --generations "$n" "$@") )) generations/s"
}

echo "busy board (seed 5), --counts:            $(rate 100000 --seed 5 --counts)"
echo "busy board (seed 5), trace to /dev/null:  $(rate 20000 --seed 5)"
echo "light board (seed 12345), --counts:       $(rate 200000 --seed 12345 --counts)"
echo "light board (seed 12345), trace:          $(rate 20000 --seed 12345)"

if "$sim" --help | grep -q -- '--seeds'; then
  sweep=(--seeds 1:200 --generations 2000 --counts)
  one=$(seconds "${sweep[@]}" --jobs 1)
  two=$(seconds "${sweep[@]}" --jobs 2)
  echo "sweep of 200 seeds x 2000 generations, --counts: $((one / 1000000)) ms with --jobs 1," \
       "$((two / 1000000)) ms with --jobs 2 ($(awk -v a="$one" -v b="$two" 'BEGIN { printf "%.2f", a / b }') times as fast)"
fi
