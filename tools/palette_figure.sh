#!/usr/bin/env bash
# Draws the kinds' palette (looks/kind_colours.h) as docs/palette.md shows
# it: each kind's colour on the black around the board, as people see it
# with normal colour vision, with protanopia and with deuteranopia, the
# last two simulated as the palette's test does (Machado, Oliveira and
# Fernandes 2009, at full severity, in linear RGB).
#   tools/palette_figure.sh docs/palette.png
set -eu
if [ $# -ne 1 ]; then
  echo "usage: $0 OUTPUT.png" >&2
  exit 2
fi
output=$(realpath -m "$1")
source "$(dirname "$0")/kind_colours.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
protanopia="0.152286 1.052583 -0.204868 0.114503 0.786281 0.099216 -0.003882 -0.048116 1.051998"
deuteranopia="0.367322 0.860646 -0.227968 0.280085 0.672501 0.047413 -0.011820 0.042940 0.968881"
font=DejaVu-Sans

squares=()
for colour in "${map_colours[@]}"; do squares+=("xc:$colour"); done
convert -size 56x56 "${squares[@]}" -bordercolor black -border 5 +append normal.png
convert normal.png -colorspace RGB -color-matrix "$protanopia" -colorspace sRGB protanopia.png
convert normal.png -colorspace RGB -color-matrix "$deuteranopia" -colorspace sRGB deuteranopia.png
for row in normal:"normal vision" protanopia:protanopia deuteranopia:deuteranopia; do
  convert "${row%%:*}.png" +repage -background white -splice 110x0 -gravity west -font $font -pointsize 13 \
    -annotate +4+0 "${row#*:}" "row-${row%%:*}.png"
done
names=()
for name in "empty" "brown lizards" "green lizards" "brown eggs" "green eggs" "cats"; do
  names+=(-size 66x30 -gravity center caption:"$name")
done
convert -background white -font $font -pointsize 10 "${names[@]}" +append names.png
convert names.png +repage -background white -splice 110x0 names-row.png
convert row-normal.png row-protanopia.png row-deuteranopia.png names-row.png -background white -append +repage \
  -bordercolor white -border 10 "$output"
