#!/usr/bin/env bash
# What a newcomer meets first: the colour buttons keep the plane dark from the
# black start, letters answer with Shift, hiding the chart gives the view its
# room, the status line tells when a species dies out, and Ctrl+Q quits.
#   first_use.sh VIVAR VIVAR-SIM PICTURES-DIR
source "$(dirname "$0")/session.sh"
vivar=$1 sim=$2 pictures=$3
status_log=$work/status
# The status line holds its items together with no-break spaces.
status_lines() { sed 's/\xc2\xa0/ /g' "$status_log"; }
said() { status_lines | grep -q -F "$1"; }
last_said() { status_lines | tail -n 1 | grep -q -F "$1"; }
# The viewer's area: the window's child at its top left corner.
view_width() {
  xwininfo -id "$window" -children | awk '$NF == "+0+0" && $(NF-1) ~ /^[0-9]+x[0-9]+\+0\+0$/ { split($(NF-1), g, "x"); print g[1] }' |
    sort -n | tail -n 1
}
# How bright the middle of the view is, 0 to 100.
view_brightness() {
  xwd -id "$window" -silent | convert xwd:- -crop 400x400+250+200 -colorspace Gray -format '%[fx:int(100*mean+0.5)]' info:
}

seed=16
read -r brown_out green_out < <("$sim" --seed "$seed" --generations 200 --summary | awk -F, '
  NR == 1 { for (c = 1; c <= NF; ++c) column[$c] = c; next }
  { print $column["species1_extinct_at"], $column["species2_extinct_at"] }')
[ -n "$brown_out" ] && [ -n "$green_out" ] || die "seed $seed no longer loses both species within 200 generations"

cd "$pictures" || die "no pictures folder"
VIVAR_STATUS_LOG=$status_log start_vivar "$vivar" --seed "$seed" --pace 0

# From the black start, less green and less blue take components below 0.
drawn() { [ "$(view_brightness)" -gt 0 ]; }
wait_for 5 drawn || die "the view stayed black"
sleep 0.3
dark=$(view_brightness)
button 5
button 7
sleep 0.5
after=$(view_brightness)
[ "$after" -le $(( dark + 3 )) ] || fail "less green and less blue brightened the plane from $dark to $after"

view_wider_than() { [ "$(view_width)" -gt "$1" ]; }
view_as_wide_as() { [ "$(view_width)" -eq "$1" ]; }
wide=$(view_width)
key c
wait_for 3 view_wider_than $(( wide + 200 )) || fail "hiding the chart left the view $(view_width) wide, against $wide with it"
key C
wait_for 3 view_as_wide_as "$wide" || fail "showing the chart again left the view $(view_width) wide, not $wide"

button 3  # fill
filled() { status_lines | grep -q "brown lizards [1-9]"; }
wait_for 5 filled || die "the fill did not reach the status line"
key shift+n
wait_for 5 said "Generation 1 · stopped" || fail "Shift+N ran no generation"
sleep 0.5
said "Generation 2 " && fail "Shift+N ran more than one generation"

key space
wait_for 30 said "green lizards died out at generation $green_out" ||
  fail "no notice that the green lizards died out at generation $green_out: $(status_lines | tail -n 1)"
wait_for 30 said "brown lizards died out at generation $brown_out" ||
  fail "no notice that the brown lizards died out at generation $brown_out: $(status_lines | tail -n 1)"
key space
key 3  # clear: the notices go
wait_for 5 last_said "Generation 0 · stopped" || fail "clear did not restart the status line"
last_said "died out" && fail "the notice outlived the clear"

key ctrl+q
wait_for 10 bash -c "! kill -0 $pid 2>/dev/null" || die "still running long after Ctrl+Q"
wait "$pid"; status=$?; pid=
[ "$status" -eq 0 ] || fail "Ctrl+Q ended with status $status"
[ ! -s "$err" ] || { fail "stderr not empty"; cat "$err"; }

end_checks
