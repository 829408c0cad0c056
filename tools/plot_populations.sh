#!/usr/bin/env bash
# Turns the CSV of `vivar-sim --counts` into a PNG plot of each population
# over the generations.
#   vivar-sim --seed 1 --generations 2000 --counts | tools/plot_populations.sh - plot.png ["title"]
#   tools/plot_populations.sh counts.csv plot.png ["title"]
set -eu
if [ $# -lt 2 ]; then
  echo "usage: $0 COUNTS.csv|- OUTPUT.png [TITLE]" >&2
  exit 2
fi
input=$1 output=$2 title=${3:-vivar populations}
data=$(mktemp)
trap 'rm -f "$data"' EXIT
if [ "$input" = - ]; then cat >"$data"; else cp "$input" "$data"; fi
[ "$(head -n 1 "$data")" = "generation,empty,lizard1,lizard2,egg1,egg2,cat" ] \
  || { echo "$0: not the output of vivar-sim --counts" >&2; exit 2; }

gnuplot <<GNUPLOT
set terminal pngcairo size 1000,560 font "DejaVu Sans,11"
set output "$output"
set datafile separator ","
set key outside right top
set title "$title"
set xlabel "generation"
set ylabel "squares"
set grid ytics lc rgb "#dddddd"
plot "$data" every ::1 using 1:3 with lines lw 2 lc rgb "#8b5a2b" title "lizards, first species", \
     "$data" every ::1 using 1:4 with lines lw 2 lc rgb "#2e8b2e" title "lizards, second species", \
     "$data" every ::1 using 1:5 with lines lw 1 dt 2 lc rgb "#c49a6c" title "eggs, first species", \
     "$data" every ::1 using 1:6 with lines lw 1 dt 2 lc rgb "#7ccd7c" title "eggs, second species", \
     "$data" every ::1 using 1:7 with lines lw 2 lc rgb "#e07b00" title "cats"
GNUPLOT
echo "$output"
