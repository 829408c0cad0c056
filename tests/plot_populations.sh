#!/usr/bin/env bash
# The plot script turns a seeded run's counts into a PNG, and refuses input
# that is not vivar-sim's CSV.
set -u
sim=$1 plot=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$sim" --seed 3 --generations 50 --counts | "$plot" - "$work/p.png" >/dev/null || { echo "FAIL: plot failed"; exit 1; }
[ "$(identify -format '%m %w' "$work/p.png")" = "PNG 1000" ] || { echo "FAIL: not a 1000-wide PNG"; exit 1; }
echo "a,b" | "$plot" - "$work/q.png" 2>/dev/null && { echo "FAIL: accepted other CSV"; exit 1; }
[ ! -e "$work/q.png" ] || { echo "FAIL: wrote a plot of other CSV"; exit 1; }
echo ok
