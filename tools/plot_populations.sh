#!/usr/bin/env bash
# Turns the CSV of `vivar-sim --counts` into a PNG plot of each population
# over the generations. The CSV of a sweep (`vivar-sim --seeds A:B --counts`)
# becomes each population's median across the seeds, with the band from the
# 10th to the 90th percentile. The CSV of an experiment (`--seeds A:B --vary
# ... --counts`) becomes one curve for each varied value, or combination of
# values: each population's mean across the seeds. `--only NAME=VALUE`
# (repeatable) keeps only the runs with that size or rule, drawn as a sweep
# when no other varies.
#   vivar-sim --seed 1 --generations 2000 --counts | tools/plot_populations.sh - plot.png ["title"]
#   vivar-sim --seeds 1:200 --generations 2000 --counts | tools/plot_populations.sh - sweep.png ["title"]
#   vivar-sim --seeds 1:50 --vary hatch=3,5,7 --generations 500 --counts > hatch.csv
#   tools/plot_populations.sh hatch.csv hatch.png
#   tools/plot_populations.sh --only hatch=5 hatch.csv hatch-5.png
set -eu
source "$(dirname "$0")/plot_common.sh"
usage="usage: $0 [--only NAME=VALUE]... COUNTS.csv|- OUTPUT.png [TITLE]"
only=()
while [ $# -gt 0 ] && [ "$1" = --only ]; do
  [ $# -ge 2 ] && [[ $2 == ?*=?* ]] || { echo "$0: --only needs NAME=VALUE" >&2; exit 2; }
  only+=("$2")
  shift 2
done
if [ $# -lt 2 ]; then
  echo "$usage" >&2
  exit 2
fi
input=$1 output=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
data=$work/counts.csv
if [ "$input" = - ]; then cat >"$data"; else cp "$input" "$data"; fi

# Named, coloured and drawn as in the window's chart.
populations=("brown lizards" "green lizards" "brown eggs" "green eggs" "cats")

header=$(head -n 1 "$data")
counts_header=generation,empty,lizard1,lizard2,egg1,egg2,cat
if [ "$header" = "$counts_header" ]; then
  [ ${#only[@]} -eq 0 ] || { echo "$0: --only goes with the CSV of --seeds" >&2; exit 2; }
  title=${3:-vivar populations}
  separator='","'
  size="1000,560"
  plot="set title \"$title\""$'\n'"plot "
  for i in "${kind_drawing_order[@]}"; do
    plot+="\"$data\" every ::1 using 1:$((i + 3)) with lines lw ${kind_widths[i]} dt ${kind_dashes[i]}"
    plot+=" lc rgb \"${kind_colours[i]}\" title \"${populations[i]}\", "
  done
  plot="${plot%, }"
elif [[ $header == seed,$counts_header || $header == *,seed,$counts_header ]]; then
  # Each run's rows as "SERIES,seed,generation,counts...": the rows --only
  # keeps, the series naming the values of the settings (the size and the
  # rules that lead every row) that take more than one value among them.
  runs=$work/runs.csv
  awk -F, -v only="$(IFS=,; echo "${only[*]}")" -v runs="$runs" '
    function fail(message) { print "'"$0"': " message > "/dev/stderr"; failed = 1; exit 2 }
    FNR == 1 {
      if (NR == 1) {
        settings = NF - 8
        for (c = 1; c <= settings; ++c) column[$c] = c
        wanted = split(only, pairs, ",")
        for (w = 1; w <= wanted; ++w) {
          split(pairs[w], pair, "=")
          if (!(pair[1] in column)) fail("--only " pairs[w] ": the table has no column " pair[1])
          keep_column[w] = column[pair[1]]; keep_value[w] = substr(pairs[w], length(pair[1]) + 2)
        }
      }
      next
    }
    { for (w = 1; w <= wanted; ++w) if ($keep_column[w] != keep_value[w]) next }
    NR == FNR {
      kept++
      for (c = 1; c <= settings; ++c) if (!((c, $c) in taken)) { taken[c, $c] = 1; values_of[c]++ }
      next
    }
    {
      series = ""
      for (c = 1; c <= settings; ++c)
        if (values_of[c] > 1) series = series (series == "" ? "" : " ") name_of(c) "=" $c
      line = series
      for (c = settings + 1; c <= NF; ++c) line = line "," $c
      print line > runs
    }
    function name_of(c,   name) { for (name in column) if (column[name] == c) return name }
    END {
      if (failed) exit 2
      if (!kept) fail("no runs" (wanted ? " with " only : "") " in the table")
    }
  ' "$data" "$data"
  seeds=$(awk -F, '$3 == 0 && $1 == first { n++ } NR == 1 { first = $1; n = 1 } END { print n }' "$runs")
  if [ -z "$(head -n 1 "$runs" | cut -d, -f1)" ]; then
    title=${3:-vivar populations over $seeds seeds${only[*]:+ with ${only[*]}}: median and 10 to 90 % band}
    # One line per generation: for each population its 10th, 50th and 90th
    # percentile across the seeds, interpolated between the nearest ranks.
    # sort groups the values of a generation and population in order, so
    # that a large sweep needs no more memory than one group.
    bands=$work/bands.dat
    separator=whitespace
    cut -d, -f2- "$runs" | awk -F, '{ for (c = 4; c <= 8; ++c) print $2, c - 3, $c }' \
      | sort -k1,1n -k2,2n -k3,3n \
      | awk '
          function at(q,   position, below) {
            position = 1 + (n - 1) * q
            below = int(position)
            return below >= n ? v[n] : v[below] + (position - below) * (v[below + 1] - v[below])
          }
          function close_group() {
            if (n > 0) row = row " " at(0.1) " " at(0.5) " " at(0.9)
            n = 0
          }
          NR == 1 || $1 != generation {
            close_group()
            if (NR > 1) print row
            row = generation = $1
            population = $2
          }
          $2 != population {
            close_group()
            population = $2
          }
          { v[++n] = $3 }
          END { close_group(); print row }
        ' >"$bands"
    # Three panels, so that the bands do not hide one another: the adult
    # lizards, the eggs, the cats.
    size="1000,900"
    plot="set multiplot layout 3,1 title \"$title\""$'\n'
    plot+="set lmargin at screen 0.08"$'\n'"set rmargin at screen 0.74"$'\n'
    for panel in "0 1" "2 3" "4"; do
      plot+="plot "
      for i in $panel; do
        low=$((3 * i + 2)) high=$((3 * i + 4))
        plot+="\"$bands\" using 1:$low:$high with filledcurves fs transparent solid 0.25 noborder"
        plot+=" lc rgb \"${kind_colours[i]}\" notitle, "
      done
      for i in $panel; do
        median=$((3 * i + 3))
        plot+="\"$bands\" using 1:$median with lines lw ${kind_widths[i]} dt ${kind_dashes[i]}"
        plot+=" lc rgb \"${kind_colours[i]}\" title \"${populations[i]}\", "
      done
      plot="${plot%, }"$'\n'
    done
    plot+="unset multiplot"
  else
    # For each series, each population's mean across its seeds at every
    # generation, in a file of its own: "generation brown green ...".
    awk -F, -v dir="$work" '
      {
        if (!($1 in number)) { number[$1] = ++series; print $1 > (dir "/series.txt") }
        s = number[$1]; key = s SUBSEP $3
        if (!(key in runs)) order[s, ++generations[s]] = $3
        runs[key]++
        for (p = 1; p <= 5; ++p) sum[key, p] += $(p + 4)
      }
      END {
        for (s = 1; s <= series; ++s)
          for (g = 1; g <= generations[s]; ++g) {
            key = s SUBSEP order[s, g]; line = order[s, g]
            for (p = 1; p <= 5; ++p) line = line " " sum[key, p] / runs[key]
            print line > (dir "/series-" s ".dat")
          }
      }
    ' "$runs"
    mapfile -t names <"$work/series.txt"
    varied=$(sed 's/=[^ ]*//g; s/ /, /g' <<<"${names[0]}")
    title=${3:-vivar populations${only[*]:+ with ${only[*]}}: the mean over $seeds seeds for each $varied}
    # The key names the varied rule, and each curve its value alone when
    # only one rule varies.
    if [[ $varied == *,* ]]; then
      key_title=$varied
      values=("${names[@]}")
    else
      key_title=$(rule_words "$varied")
      values=("${names[@]#*=}")
    fi
    # Three panels, as for a sweep. Each curve in its kind's colour and
    # width, as the chart draws it; a dash pattern for each value: solid,
    # dashed, dash-dotted, dotted, dash-dot-dotted.
    value_dashes=(1 2 4 3 5)
    separator=whitespace
    size="1000,900"
    plot="set multiplot layout 3,1 title \"$title\""$'\n'
    plot+="set lmargin at screen 0.08"$'\n'"set rmargin at screen 0.68"$'\n'"set yrange [0:*]"$'\n'
    plot+="set key Left reverse title \"$key_title\""$'\n'
    for panel in "adult lizards:0 1" "eggs:2 3" "cats:4"; do
      plot+="set title \"${panel%%:*}\""$'\n'"plot "
      for p in ${panel#*:}; do
        plot+="keyentry with lines lw ${kind_widths[p]} lc rgb \"${kind_colours[p]}\" title \"${populations[p]}\", "
      done
      for s in "${!names[@]}"; do
        plot+="keyentry with lines lw 1.5 dt ${value_dashes[s % 5]} lc rgb \"${other_colours[0]}\" title \"${values[s]}\", "
      done
      for p in ${panel#*:}; do
        for s in "${!names[@]}"; do
          plot+="\"$work/series-$((s + 1)).dat\" using 1:$((p + 2)) with lines lw ${kind_widths[p]} dt ${value_dashes[s % 5]}"
          plot+=" lc rgb \"${kind_colours[p]}\" notitle, "
        done
      done
      plot="${plot%, }"$'\n'
    done
    plot+="unset multiplot"
  fi
else
  echo "$0: not the output of vivar-sim --counts" >&2
  exit 2
fi

gnuplot <<GNUPLOT
set terminal pngcairo size $size font "DejaVu Sans,11"
set output "$output"
set datafile separator $separator
set key outside right top
set xlabel "generation"
set ylabel "squares"
set grid ytics lc rgb "#dddddd"
# Room above the highest curve, so that none runs along the top edge.
set offsets 0, 0, graph 0.1, 0
$plot
GNUPLOT
echo "$output"
