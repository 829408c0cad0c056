#!/usr/bin/env bash
# Draws the answer of an experiment (`vivar-sim --seeds A:B --vary ...
# --summary`) as a PNG: an outcome of the runs against one varied rule, one
# line for each combination of the other varied rules, with 95 % error bars.
# Prints the table it plots as CSV on standard output.
#   vivar-sim --seeds 1:100 --vary size=20:200:20 --generations 2000 --summary \
#     | tools/plot_experiment.sh - survival.png size
#   tools/plot_experiment.sh experiment.csv hatch.png hatch first-extinct ["title"]
# The outcomes, one or more separated by commas (default: both-survive,one-survives):
#   both-survive   % of runs in which both lizard species outlive the last generation
#   one-survives   % of runs in which at least one of them does
#   first-extinct  mean generation at which the first species died out, over
#                  the runs in which one did
set -eu
source "$(dirname "$0")/plot_common.sh"
if [ $# -lt 3 ]; then
  echo "usage: $0 SUMMARY.csv|- OUTPUT.png RULE [OUTCOME[,OUTCOME]...] [TITLE]" >&2
  exit 2
fi
input=$1 output=$2 rule=$3 outcomes=${4:-both-survive,one-survives} title=${5:-}
for outcome in ${outcomes//,/ }; do
  case $outcome in
    both-survive | one-survives | first-extinct) ;;
    *) echo "$0: unknown outcome '$outcome': both-survive, one-survives or first-extinct" >&2; exit 2 ;;
  esac
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
data=$work/runs.csv
if [ "$input" = - ]; then cat >"$data"; else cp "$input" "$data"; fi

# For each outcome, each combination of the other varied rules (a series)
# and each value of the rule: the outcome with its 95 % interval (Wilson's
# for a share, the normal one for a mean) and the number of runs behind it.
# Every row names the size and every rule before the seed; those that take
# more than one value in the table are the varied ones. The values keep the
# experiment's order; the position on the x axis is the value itself when
# the values are numbers, the side N of NxN boards, or else the value's
# place in that order, with the value as its label.
table=$work/table.csv
awk -F, -v rule="$rule" -v outcomes="$outcomes" -v table="$table" '
  function fail(message) { print "'"$0"': " message > "/dev/stderr"; failed = 1; exit 2 }
  FNR == 1 && NR == 1 {
    for (c = 1; c <= NF; ++c) column[$c] = c
    if (!("seed" in column) || !("species1_extinct_at" in column) || !("species2_extinct_at" in column))
      fail("not the output of vivar-sim --summary")
    settings = column["seed"] - 1
    next
  }
  # The first reading counts the values each setting takes.
  NR == FNR {
    for (c = 1; c <= settings; ++c)
      if (!((c, $c) in taken)) { taken[c, $c] = 1; values_of[c]++ }
    next
  }
  FNR == 1 {
    if (!(rule in column) || column[rule] > settings || values_of[column[rule]] < 2)
      fail("the rule " rule " is not one the experiment varied")
    x = column[rule]
    next
  }
  {
    series = ""
    for (c = 1; c <= settings; ++c)
      if (c != x && values_of[c] > 1) series = series (series == "" ? "" : " ") header_name(c) "=" $c
    if (!(series in seen_series)) { seen_series[series] = 1; series_order[++series_count] = series }
    if (!($x in seen_value)) { seen_value[$x] = ++value_count; value_order[value_count] = $x }
    key = series SUBSEP $x
    runs[key]++
    gone1 = $column["species1_extinct_at"]; gone2 = $column["species2_extinct_at"]
    if (gone1 == "" && gone2 == "") both[key]++
    if (gone1 == "" || gone2 == "") one[key]++
    if (gone1 != "" || gone2 != "") {
      first = gone1 == "" ? gone2 : gone2 == "" ? gone1 : (gone1 + 0 < gone2 + 0 ? gone1 : gone2)
      extinct[key]++; sum[key] += first; squares[key] += first * first
    }
    numeric = numeric && $x ~ /^[0-9]+$/
    split($x, sides, "x")
    square = square && $x ~ /^[0-9]+x[0-9]+$/ && sides[1] == sides[2]
  }
  BEGIN { numeric = square = 1 }
  function header_name(c,   name) { for (name in column) if (column[name] == c) return name }
  function wilson(successes, n, bound,   p, z, centre, half) {
    p = successes / n; z = 1.96
    centre = (p + z * z / (2 * n)) / (1 + z * z / n)
    half = z * sqrt(p * (1 - p) / n + z * z / (4 * n * n)) / (1 + z * z / n)
    return 100 * (centre + bound * half)
  }
  END {
    if (failed) exit 2
    if (value_count == 0) fail("no runs in the input")
    print rule ",position,series,outcome,value,low,high,runs" > table
    n_outcomes = split(outcomes, wanted, ",")
    for (o = 1; o <= n_outcomes; ++o)
      for (s = 1; s <= series_count; ++s)
        for (v = 1; v <= value_count; ++v) {
          value = value_order[v]
          key = series_order[s] SUBSEP value
          if (!(key in runs)) continue
          n = runs[key]
          split(value, sides, "x")
          position = numeric ? value : square ? sides[1] : v
          if (wanted[o] == "first-extinct") {
            m = extinct[key]
            if (m == 0) continue
            mean = sum[key] / m
            spread = m > 1 ? 1.96 * sqrt((squares[key] - m * mean * mean) / (m - 1) / m) : 0
            line = sprintf("%.1f,%.1f,%.1f,%d", mean, mean - spread, mean + spread, m)
          } else {
            k = wanted[o] == "both-survive" ? both[key] + 0 : one[key] + 0
            line = sprintf("%.1f,%.1f,%.1f,%d", 100 * k / n, wilson(k, n, -1), wilson(k, n, 1), n)
          }
          print value "," position "," series_order[s] "," wanted[o] "," line > table
        }
    print (numeric ? "numeric" : square ? "square" : "labels") > (table ".axis")
  }
' "$data" "$data"
cat "$table"

# One line for each outcome and series, on the left axis for shares and on
# the right one for generations when both are drawn.
labels_both="both species survive" labels_one="at least one species survives"
labels_first="first species died out (mean generation)"
axis=$(cat "$table.axis")
generations=$(awk -F, 'NR == 1 { for (c = 1; c <= NF; ++c) if ($c == "generations") g = c; next } { print $g; exit }' "$data")
# The runs behind each point, when every point has as many.
per_point=$(awk -F, 'NR > 1 && $4 != "first-extinct" { n[$8] = 1 } END { for (k in n) { c++; v = k } if (c == 1) print v }' \
  "$table")
if [ -z "$title" ]; then
  title="vivar: ${per_point:+$per_point }runs of $generations generations for each $rule"
fi
shares=0 means=0
case ",$outcomes," in *,both-survive,* | *,one-survives,*) shares=1 ;; esac
case ",$outcomes," in *,first-extinct,*) means=1 ;; esac
# A series keeps its colour across the outcomes, and an outcome its dashes
# and points across the series; with one series, each outcome has a colour.
# None of them is a kind's colour, since no line here stands for a kind.
palette=("${other_colours[@]}")
mapfile -t series_names < <(awk -F, 'NR > 1 && !seen[$3]++ { print $3 }' "$table")
plot="plot " index=0
while IFS= read -r block; do
  outcome=${block%%|*} series=${block#*|}
  rows=$work/block-$index.csv
  line=0
  while [ "${series_names[line]}" != "$series" ]; do line=$((line + 1)); done
  [ "${#series_names[@]}" -gt 1 ] || line=$index
  case $outcome in
    both-survive) style="dt 1 pt 7" ;;
    one-survives) style="dt 2 pt 5" ;;
    *) style="dt 3 pt 9" ;;
  esac
  [[ $outcomes == *,* ]] || style="dt 1 pt 7"
  awk -F, -v outcome="$outcome" -v series="$series" 'NR > 1 && $4 == outcome && $3 == series' "$table" >"$rows"
  case $outcome in
    both-survive) name=$labels_both ;;
    one-survives) name=$labels_one ;;
    *) name=$labels_first ;;
  esac
  [ -z "$series" ] || name="$name, $series"
  axes="x1y1"
  [ "$outcome" != first-extinct ] || [ "$shares" -eq 0 ] || axes="x1y2"
  using="2:5:6:7"
  [ "$axis" != labels ] || using="2:5:6:7:xtic(1)"
  plot+="\"$rows\" using $using axes $axes with yerrorlines lw 2 $style ps 0.8"
  plot+=" lc rgb \"${palette[line % ${#palette[@]}]}\" title \"$name\", "
  index=$((index + 1))
done < <(awk -F, 'NR > 1 && !seen[$4 "|" $3]++ { print $4 "|" $3 }' "$table")
plot="${plot%, }"

case $axis in
  square) xlabel="board side N (an N x N board)" ;;
  *) xlabel=$(rule_words "$rule") ;;
esac
# A tic at each value tried, when they are few enough to read.
xtics=""
positions=$(awk -F, 'NR > 1 && !seen[$2]++ { printf "%s%s", n++ ? "," : "", $2 }' "$table")
if [ "$axis" != labels ] && [ "$(tr ',' '\n' <<<"$positions" | wc -l)" -le 20 ]; then
  xtics="set xtics ($positions)"
fi
axes_setup=""
if [ "$shares" -eq 1 ]; then
  axes_setup="set ylabel \"% of runs\""$'\n'"set yrange [0:100]"
  if [ "$means" -eq 1 ]; then
    axes_setup+=$'\n'"set y2label \"generation\""$'\n'"set y2tics"$'\n'"set y2range [0:*]"$'\n'"set ytics nomirror"
  fi
else
  axes_setup="set ylabel \"generation\""$'\n'"set yrange [0:*]"
fi
gnuplot <<GNUPLOT
set terminal pngcairo size 1000,560 font "DejaVu Sans,11"
set output "$output"
set datafile separator ","
set title "$title"
set key below
set xlabel "$xlabel"
set offsets graph 0.03, graph 0.03, 0, 0
set grid ytics lc rgb "#dddddd"
$xtics
$axes_setup
$plot
GNUPLOT
