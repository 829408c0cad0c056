# shellcheck shell=bash disable=SC2034  # the scripts that source this use its variables
# Sourced by the plot scripts: the kinds' colours and how the chart draws
# them, other colours for curves of other meanings, and a rule's name as an
# axis or a key says it.

# The kinds' colours, from the one palette the window and films draw with:
# brown lizards, green lizards, brown eggs, green eggs, cats.
source "$(dirname "${BASH_SOURCE[0]}")/kind_colours.sh"
kind_colours=("${map_colours[@]:1}")
# As the window's chart draws the kinds, so that no curve hides another
# equal to it: the brown species wide and the green one narrow over it, the
# eggs dashed over their adults, the cats dash-dotted; gnuplot's widths are
# about twice the chart's.
kind_widths=(4 2 4 2 2)
kind_dashes=(1 1 "(4,3)" "(4,3)" 4)
kind_drawing_order=(0 2 1 3 4)

# Curves that stand for something else than a kind take none of the kinds'
# hues: black, greys, a purple and a rose.
other_colours=("#000000" "#AA3377" "#777777" "#EE6677" "#444444" "#CC99BB")

# What a rule or setting of vivar-sim's means, to name an axis or a key by.
rule_words() {  # NAME
  case $1 in
    hatch) echo "hatch (visits an egg takes to hatch)" ;;
    mating) echo "mating (visits a mating lasts)" ;;
    meal) echo "meal (visits a meal lasts)" ;;
    fill) echo "fill (% empty, brown, green, cats)" ;;
    size) echo "size (width x height)" ;;
    *) echo "$1" ;;
  esac
}
