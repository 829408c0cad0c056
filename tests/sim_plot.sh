#!/usr/bin/env bash
# vivar-sim --plot as a user sees it: an experiment's table drawn into a PNG
# of the size asked and an SVG that is well-formed XML and holds the shares
# it shows, its points printed as the shares the table gives, and the
# tables and settings it cannot plot refused in one line.
#   sim_plot.sh VIVAR-SIM
source "$(dirname "$0")/lib.sh"
sim=$(realpath "$1")

"$sim" --seeds 1:8 --vary hatch=2,6 --vary meal=2,4 --generations 60 --summary >"$work/two.csv" \
  || die "the experiment exited $?"

# The points printed are the shares computed from the table's own rows.
"$sim" --plot "$work/two.csv" "$work/grid.png" --plot-size 700x450 >"$work/points.txt" 2>"$work/err" \
  || die "--plot exited $?"
[ "$(identify -format '%m %wx%h' "$work/grid.png" 2>/dev/null)" = "PNG 700x450" ] || fail "the grid is not a 700x450 PNG"
expected=$(awk -F, 'NR > 1 {
    key = "hatch=" $2 " meal=" $4; if (!(key in runs)) order[++n] = key
    runs[key]++; if ($14 == "" && $15 == "") both[key]++; if ($14 == "" || $15 == "") one[key]++ }
  END { for (i = 1; i <= n; ++i) { k = order[i]
    printf "%s runs=%d both=%.3f one=%.3f\n", k, runs[k], both[k] / runs[k], one[k] / runs[k] } }' "$work/two.csv")
[ "$(cat "$work/points.txt")" = "$expected" ] || fail "the points are not the table's: $(cat "$work/points.txt")"

# The SVG: well-formed, of the size asked, with every cell's share in it.
"$sim" --plot "$work/two.csv" "$work/grid.svg" >/dev/null || fail "--plot to SVG exited $?"
if command -v xmllint >/dev/null; then
  xmllint --noout "$work/grid.svg" || fail "the SVG is not well-formed"
fi
grep -q 'width="1200" height="800"' "$work/grid.svg" || fail "the SVG is not 1200x800"
while read -r point; do
  share=$(sed 's/.* both=\([0-9.]*\) .*/\1/' <<<"$point")
  percent=$(awk -v s="$share" 'BEGIN { printf "%d %%", s * 100 + 0.5 }')
  grep -q ">$percent</text>" "$work/grid.svg" || fail "the SVG has no cell of $percent ($point)"
done <"$work/points.txt"

# Against one setting, and the other pictures, in both languages.
for show in survival populations extinction; do
  for language in en es; do
    "$sim" --plot "$work/two.csv" "$work/$show-$language.png" --against hatch --show "$show" --language "$language" \
      >/dev/null || fail "--show $show --language $language exited $?"
    [ "$(identify -format '%m %wx%h' "$work/$show-$language.png" 2>/dev/null)" = "PNG 1200x800" ] \
      || fail "--show $show --language $language is not a 1200x800 PNG"
  done
done
"$sim" --plot "$work/two.csv" "$work/es.svg" --against meal --language es >/dev/null || fail "the Spanish SVG exited $?"
grep -q 'sobreviven' "$work/es.svg" || fail "the Spanish SVG is not in Spanish"

# A table of one row still draws.
head -n 2 "$work/two.csv" >"$work/one.csv"
"$sim" --plot "$work/one.csv" "$work/one.png" >/dev/null || fail "a table of one row exited $?"

# Refused in one line, with status 2, and nothing written: a file that is
# not such a table, naming its line; a setting the table does not vary.
{ head -n 3 "$work/two.csv"; echo "not,a,row"; } >"$work/bad.csv"
refused_in_one_line "--plot $work/bad.csv $work/bad.png" "$sim"
grep -q "bad.csv:4: " "$work/err" || fail "the refusal does not name line 4: $(cat "$work/err")"
"$sim" --seeds 1:2 --counts --generations 5 >"$work/counts.csv"
refused_in_one_line "--plot $work/counts.csv $work/bad.png" "$sim"
refused_in_one_line "--plot $work/two.csv $work/bad.png --against size" "$sim"
grep -q -- "--against size" "$work/err" || fail "the refusal does not name --against size: $(cat "$work/err")"
refused_in_one_line "--plot $work/two.csv $work/bad.gif" "$sim"
refused_in_one_line "--plot $work/two.csv $work/bad.png --seeds 1:2" "$sim"
refused_in_one_line "--against hatch" "$sim"
[ ! -e "$work/bad.png" ] || fail "wrote a plot of what it refused"

end_checks
