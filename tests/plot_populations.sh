#!/usr/bin/env bash
# The plot script turns a seeded run's counts, a sweep's and an
# experiment's into PNGs (one curve for each varied value, or the runs of
# one value alone), and refuses input that is not vivar-sim's CSV.
set -u
sim=$1 plot=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
png() { [ "$(identify -format '%m %w' "$1" 2>/dev/null)" = "PNG 1000" ]; }

"$sim" --seed 3 --generations 50 --counts | "$plot" - "$work/p.png" >/dev/null && png "$work/p.png" ||
  fail "a run's counts made no 1000-wide PNG"
"$sim" --seeds 1:4 --generations 50 --counts | "$plot" - "$work/s.png" >/dev/null && png "$work/s.png" ||
  fail "a sweep's counts made no 1000-wide PNG"
"$sim" --seeds 1:4 --vary hatch=3,7 --generations 50 --counts >"$work/e.csv"
"$plot" "$work/e.csv" "$work/e.png" >/dev/null && png "$work/e.png" || fail "an experiment's counts made no PNG"
"$plot" --only hatch=7 "$work/e.csv" "$work/7.png" >/dev/null && png "$work/7.png" || fail "--only hatch=7 made no PNG"
# One value of the experiment alone is the sweep of that value: the same
# picture.
"$sim" --seeds 1:4 --rule hatch=7 --generations 50 --counts | "$plot" - "$work/s7.png" "same" >/dev/null
"$plot" --only hatch=7 "$work/e.csv" "$work/o7.png" "same" >/dev/null
cmp -s "$work/s7.png" "$work/o7.png" || fail "--only hatch=7 differs from the sweep of hatch 7"

for args in "--only hatch=4" "--only colour=1"; do
  # shellcheck disable=SC2086  # the options are words
  "$plot" $args "$work/e.csv" "$work/q.png" 2>/dev/null && fail "plotted $args"
done
echo "a,b" | "$plot" - "$work/q.png" 2>/dev/null && fail "accepted other CSV"
[ ! -e "$work/q.png" ] || fail "wrote a plot of what it refused"
[ "$failures" -eq 0 ] && echo ok || exit 1
