#!/usr/bin/env bash
# Square-turns per second of vivar-sim on boards of 20 x 20, 200 x 200 and
# 2000 x 2000: squares x generations per second of wall time, end to end
# (start-up, fill and the counts included), and the peak resident memory of
# the largest run.
#   bench/scale_throughput.sh [build-dir | vivar-sim binary] [rounds]
#
# Every run is `vivar-sim --seed 5 --counts --size WxH` with the standard
# rules and 40 million square-turns: 100,000 generations of 20 x 20, 1,000
# of 200 x 200, 10 of 2000 x 2000. The three sizes run one after another in
# each round (default 5), so that a machine shared with other work slows
# them alike; each round prints its figures and ratios, and the summary the
# best and the spread of each over the rounds.
#
# A 20 x 20 run uses a second core, when it has one, to make its random
# values ahead; larger boards do not. `taskset -c 0 bench/scale_throughput.sh`
# measures every size on one core.
source "$(dirname "$0")/lib.sh"
sim=$(sim_of "${1:-}")
rounds=${2:-5}

sizes=(20x20 200x200 2000x2000)
generations=(100000 1000 10)
squareTurns=40000000

# A run of vivar-sim; its peak resident kilobytes go to the file named by
# $peakFile when /usr/bin/time is there to tell them.
peakFile=$work/peak
: >"$peakFile"
measured() {
  if [ -x /usr/bin/time ]; then
    /usr/bin/time -f %M -o "$peakFile" "$sim" "$@"
  else
    "$sim" "$@"
  fi
}

results=$work/results
for round in $(seq 1 "$rounds"); do
  line="round $round:"
  for i in 0 1 2; do
    ns=$(elapsed_ns measured --seed 5 --counts --size "${sizes[$i]}" --generations "${generations[$i]}")
    peak=$(tail -n 1 "$peakFile" 2>/dev/null || echo 0)
    rate=$(awk -v t="$ns" -v n="$squareTurns" 'BEGIN { printf "%.2f", n / (t / 1e9) / 1e6 }')
    echo "$round ${sizes[$i]} $rate $peak" >>"$results"
    line="$line ${sizes[$i]} $rate M/s,"
  done
  echo "${line%,}"
done

awk '
  { rate[$1, $2] = $3; if ($2 == "2000x2000" && $4 > peak) peak = $4; rounds[$1] = 1 }
  function spread(name, values, n,    i, best, worst) {
    best = worst = values[1]
    for (i = 2; i <= n; ++i) { if (values[i] > best) best = values[i]; if (values[i] < worst) worst = values[i] }
    printf "%-34s best %8.2f, from %.2f to %.2f\n", name, best, worst, best
  }
  END {
    n = 0
    for (r in rounds) ++n
    split("20x20 200x200 2000x2000", size, " ")
    for (s = 1; s <= 3; ++s) {
      for (r = 1; r <= n; ++r) v[r] = rate[r, size[s]]
      spread("M square-turns/s, " size[s] ":", v, n)
    }
    for (s = 2; s <= 3; ++s) {
      for (r = 1; r <= n; ++r) v[r] = 100 * rate[r, size[s]] / rate[r, "20x20"]
      spread("% of 20x20 in its round, " size[s] ":", v, n)
    }
    if (peak > 0) printf "peak resident memory, 2000x2000:   %.0f MiB\n", peak / 1024
  }' "$results"
