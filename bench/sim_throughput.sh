#!/usr/bin/env bash
# Generations per second of vivar-sim end to end, best of three runs:
# with --counts, and with the full trace to /dev/null.
#   bench/sim_throughput.sh [build-dir]
set -eu
build=${1:-$(dirname "$0")/../build}
sim=$build/vivar-sim

best() {  # generations, then vivar-sim's arguments
  local n=$1; shift
  local best_rate=0
  for _ in 1 2 3; do
    local start end rate
    start=$(date +%s%N)
    "$sim" --seed 12345 --generations "$n" "$@" >/dev/null
    end=$(date +%s%N)
    rate=$(( n * 1000000000 / (end - start) ))
    [ "$rate" -gt "$best_rate" ] && best_rate=$rate
  done
  echo "$best_rate"
}

echo "vivar-sim --counts:            $(best 200000 --counts) generations/s"
echo "vivar-sim trace to /dev/null:  $(best 20000) generations/s"
