#!/usr/bin/env bash
# The chart hides no line under another: in a run without lizards, the
# lines of both species and both kinds of eggs lie on one another at 0 for
# its whole length, and each of the four still shows along it, in its
# kind's colour.
#   chart_lines.sh VIVAR PICTURES-DIR
source "$(dirname "$0")/session.sh"
vivar=$1 pictures=$2
source "$tools/kind_colours.sh"
status_log=$work/status
status() { sed 's/\xc2\xa0/ /g' "$status_log" 2>/dev/null | tail -n 1; }
cd "$pictures" || die "no pictures folder"

# The most pixels of a colour in one row of the side column, right of the
# viewer's own buttons: a line across the chart shown on half its length
# has a hundred or more, a legend's short stretch of it some twenty.
longest_run_of() {  # PNG COLOUR
  local width height
  read -r width height < <(identify -format '%w %h' "$1")
  convert "$1" -alpha off -fuzz 12% -transparent "$2" -alpha extract -negate \
    -filter box -resize "1x${height}!" -format "%[fx:int(maxima*$width+0.5)]" info:
}

VIVAR_STATUS_LOG=$status_log start_vivar "$vivar" --rule fill=90:0:0:10 --seed 3 --pace 0
button 3  # fill
# Thirty steps: the lines reach three quarters across the chart, to 30 of
# its 40 generations.
at() { status | grep -q "^Generation $1 · stopped "; }
for generation in $(seq 30); do
  key shift+n
  wait_for 5 at "$generation" || die "step $generation ran no generation: $(status)"
done
status | grep -q 'brown lizards 0, eggs 0 · green lizards 0, eggs 0' || die "lizards in a fill without any: $(status)"
sleep 1  # the chart's next update
eval "$(xdotool getwindowgeometry --shell "$window")"
xwd -id "$window" -silent | convert xwd:- -crop "$(( WIDTH / 4 ))x${HEIGHT}+$(( WIDTH * 3 / 4 ))+0" +repage "$work/side.png"
names=("brown lizards" "green lizards" "brown eggs" "green eggs")
for line in 0 1 2 3; do
  pixels=$(longest_run_of "$work/side.png" "${map_colours[line + 1]}")
  echo "${names[line]}: $pixels pixels in a row"
  [ "$pixels" -ge 40 ] || fail "the ${names[line]}' line (${map_colours[line + 1]}) does not show at 0: $pixels pixels in a row"
done
key ctrl+q
wait "$pid" || fail "exit status $?"
pid=
end_checks
