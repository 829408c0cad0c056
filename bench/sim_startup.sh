#!/usr/bin/env bash
# vivar-sim's start-up, two builds side by side: the median wall time and
# the median peak resident memory of `--seed 1 --generations 1 --counts`
# over so many pairs (default 15), the two builds run in turn within each
# pair, so that a busy machine weighs on both alike; and the ratio.
#   bench/sim_startup.sh BEFORE-VIVAR-SIM AFTER-VIVAR-SIM [PAIRS]
source "$(dirname "$0")/lib.sh"
before=$1 after=$2 pairs=${3:-15}
arguments=(--seed 1 --generations 1 --counts)

# Wall time in microseconds and peak resident memory in KB of one run.
one_run() {  # BINARY LABEL
  local ns
  ns=$(elapsed_ns /usr/bin/time -f %M -o "$work/memory" "$1" "${arguments[@]}")
  echo $((ns / 1000)) >>"$work/$2.time"
  cat "$work/memory" >>"$work/$2.memory"
}
median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One run of each first, unmeasured, so that both start from a warm cache.
"$before" "${arguments[@]}" >/dev/null
"$after" "${arguments[@]}" >/dev/null
for _ in $(seq "$pairs"); do
  one_run "$before" before
  one_run "$after" after
done
for build in before after; do
  printf '%-6s %s: median %.1f ms, peak resident %.1f MB (median of %d)\n' "$build" \
    "$([ $build = before ] && echo "$before" || echo "$after")" \
    "$(median "$work/$build.time" | awk '{ print $1 / 1000 }')" \
    "$(median "$work/$build.memory" | awk '{ print $1 / 1024 }')" "$pairs"
done
awk -v b="$(median "$work/before.time")" -v a="$(median "$work/after.time")" \
  -v bm="$(median "$work/before.memory")" -v am="$(median "$work/after.memory")" \
  'BEGIN { printf "after / before: time %.2f, memory %.2f\n", a / b, am / bm }'
