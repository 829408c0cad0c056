#!/usr/bin/env bash
# The plot script turns a seeded run's counts, a sweep's and an
# experiment's into PNGs (one curve for each varied value, or the runs of
# one value alone), draws a run's and an experiment's curves in the kinds'
# colours alone, and refuses input that is not vivar-sim's CSV.
source "$(dirname "$0")/lib.sh"
sim=$1 plot=$2
png() { [ "$(identify -format '%m %w' "$1" 2>/dev/null)" = "PNG 1000" ]; }
# The palette the window and films draw with, as the plot scripts read it.
source "$(dirname "$plot")/plot_common.sh"
# Whether the curves of a plot take the kinds' colours and no other: each
# kind's colour drawn on 100 pixels or more, and every other colour drawn
# as much a grey or a kind's colour thinned over the white, as a line's
# edges are. Prints what is wrong.
other_colours_in() {  # PNG
  convert "$1" -format %c histogram:info:- | awk -v kinds="${kind_colours[*]}" '
    function byte(h) { return index("0123456789ABCDEF", substr(h, 1, 1)) * 16 + index("0123456789ABCDEF", substr(h, 2, 1)) - 17 }
    function max3(a, b, c) { return a > b ? (a > c ? a : c) : (b > c ? b : c) }
    function min3(a, b, c) { return a < b ? (a < c ? a : c) : (b < c ? b : c) }
    BEGIN { n = split(toupper(kinds), kind, " ") }
    $1 + 0 < 100 { next }
    {
      for (i = 1; i <= n; ++i) if ($3 == kind[i]) { seen[i] = 1; next }
      r = byte(substr($3, 2, 2)); g = byte(substr($3, 4, 2)); b = byte(substr($3, 6, 2))
      if (max3(r, g, b) - min3(r, g, b) <= 24) next
      for (i = 1; i <= n; ++i) {
        # How far towards the kind from the white, by each component.
        tr = (255 - r) / (255.01 - byte(substr(kind[i], 2, 2)))
        tg = (255 - g) / (255.01 - byte(substr(kind[i], 4, 2)))
        tb = (255 - b) / (255.01 - byte(substr(kind[i], 6, 2)))
        if (max3(tr, tg, tb) - min3(tr, tg, tb) < 0.12 && max3(tr, tg, tb) <= 1.05) next
      }
      print $3 " on " $1 + 0 " pixels"
    }
    END { for (i = 1; i <= n; ++i) if (!(i in seen)) print kind[i] " missing" }'
}

"$sim" --seed 3 --generations 50 --counts | "$plot" - "$work/p.png" >/dev/null && png "$work/p.png" ||
  fail "a run's counts made no 1000-wide PNG"
"$sim" --seeds 1:4 --generations 50 --counts | "$plot" - "$work/s.png" >/dev/null && png "$work/s.png" ||
  fail "a sweep's counts made no 1000-wide PNG"
"$sim" --seeds 1:4 --vary hatch=3,7 --generations 50 --counts >"$work/e.csv"
"$plot" "$work/e.csv" "$work/e.png" >/dev/null && png "$work/e.png" || fail "an experiment's counts made no PNG"
for picture in p e; do
  wrong=$(other_colours_in "$work/$picture.png")
  [ -z "$wrong" ] || fail "$picture.png draws in colours other than the kinds': $(echo $wrong)"
done
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
end_checks
