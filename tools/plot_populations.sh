#!/usr/bin/env bash
# Turns the CSV of `vivar-sim --counts` into a PNG plot of each population
# over the generations. The CSV of a sweep (`vivar-sim --seeds A:B --counts`)
# becomes each population's median across the seeds, with the band from the
# 10th to the 90th percentile.
#   vivar-sim --seed 1 --generations 2000 --counts | tools/plot_populations.sh - plot.png ["title"]
#   vivar-sim --seeds 1:200 --generations 2000 --counts | tools/plot_populations.sh - sweep.png ["title"]
#   tools/plot_populations.sh counts.csv plot.png ["title"]
set -eu
if [ $# -lt 2 ]; then
  echo "usage: $0 COUNTS.csv|- OUTPUT.png [TITLE]" >&2
  exit 2
fi
input=$1 output=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
data=$work/counts.csv
if [ "$input" = - ]; then cat >"$data"; else cp "$input" "$data"; fi

# Named and coloured as in the window's chart.
populations=("brown lizards" "green lizards" "brown eggs" "green eggs" "cats")
colours=("#9A6532" "#3C9A2A" "#C99A5E" "#8CCB5A" "#EE922F")
widths=(2 2 1 1 2)
dashes=(1 1 2 2 1)

case "$(head -n 1 "$data")" in
  generation,empty,lizard1,lizard2,egg1,egg2,cat)
    title=${3:-vivar populations}
    separator='","'
    size="1000,560"
    plot="set title \"$title\""$'\n'"plot "
    for i in 0 1 2 3 4; do
      plot+="\"$data\" every ::1 using 1:$((i + 3)) with lines lw ${widths[i]} dt ${dashes[i]}"
      plot+=" lc rgb \"${colours[i]}\" title \"${populations[i]}\", "
    done
    plot="${plot%, }"
    ;;
  seed,generation,empty,lizard1,lizard2,egg1,egg2,cat)
    seeds=$(tail -n +2 "$data" | cut -d, -f1 | uniq | wc -l)
    title=${3:-vivar populations over $seeds seeds: median and 10 to 90 % band}
    # One line per generation: for each population its 10th, 50th and 90th
    # percentile across the seeds, interpolated between the nearest ranks.
    # sort groups the values of a generation and population in order, so
    # that a large sweep needs no more memory than one group.
    bands=$work/bands.dat
    separator=whitespace
    tail -n +2 "$data" | awk -F, '{ for (c = 4; c <= 8; ++c) print $2, c - 3, $c }' \
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
        low=$((3 * i + 2)) median=$((3 * i + 3)) high=$((3 * i + 4))
        plot+="\"$bands\" using 1:$low:$high with filledcurves fs transparent solid 0.25 noborder"
        plot+=" lc rgb \"${colours[i]}\" notitle, "
        plot+="\"$bands\" using 1:$median with lines lw 2 lc rgb \"${colours[i]}\" title \"${populations[i]}\", "
      done
      plot="${plot%, }"$'\n'
    done
    plot+="unset multiplot"
    ;;
  *)
    echo "$0: not the output of vivar-sim --counts" >&2
    exit 2
    ;;
esac

gnuplot <<GNUPLOT
set terminal pngcairo size $size font "DejaVu Sans,11"
set output "$output"
set datafile separator $separator
set key outside right top
set xlabel "generation"
set ylabel "squares"
set grid ytics lc rgb "#dddddd"
$plot
GNUPLOT
echo "$output"
