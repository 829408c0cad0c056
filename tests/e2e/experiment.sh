#!/usr/bin/env bash
# An experiment set up, run and followed in the window: its table is
# vivar-sim's byte for byte, the plot's points say the table's shares, a
# click on a point puts one of its runs in the terrarium, and a stopped
# experiment continued from the dialog gives the table of a whole one.
#   experiment.sh VIVAR VIVAR-SIM WM_CLOSE
source "$(dirname "$0")/session.sh"
vivar=$1 sim=$2 wm_close=$3
export HOME=$work/home
mkdir -p "$HOME"
status_log=$work/status plot_log=$work/plot
status_lines() { sed 's/\xc2\xa0/ /g' "$status_log"; }
rows() { [ -f "$1" ] && wc -l <"$1" || echo 0; }
has_rows() { [ "$(rows "$1")" -ge "$2" ]; }
experiment_window() { xdotool search --onlyvisible --name '^vivar experiment$' 2>/dev/null | head -n 1; }
experiment_up() { [ -n "$(experiment_window)" ]; }
# The lines of the plot's last drawing of that many runs.
plot_of() { awk -v runs="plot runs=$1" '$0 == runs { block = ""; on = 1; next } /^plot runs=/ { on = 0 } on { block = block $0 "\n" } END { printf "%s", block }' "$plot_log"; }
plot_drawn() { grep -q -x -F "plot runs=$1" "$plot_log" 2>/dev/null; }

# Set up… in the experiment's window, and the dialog it opens in focus.
set_up_again() {
  xdotool windowfocus --sync "$ew" key alt+s
  wait_for 10 dialog_up Experiment || die "Set up… opened no dialog ($1)"
  xdotool windowfocus --sync "$(dialog Experiment)"
  sleep 0.3
}
# Types into the dialog's field that has the focus, over what it holds.
type_field() { xdotool key ctrl+a; xdotool type --delay 5 "$1"; }

VIVAR_STATUS_LOG=$status_log VIVAR_PLOT_LOG=$plot_log start_vivar "$vivar"

# Hatch 1 to 10, seeds 1 to 20, 100 generations, set up with the keys.
table=$work/hatch.csv
key e
wait_for 10 dialog_up Experiment || die "E opened no experiment dialog"
xdotool windowfocus --sync "$(dialog Experiment)"
sleep 0.3
type_field 1:10:1
xdotool key Tab Tab
type_field 1
xdotool key Tab
type_field 20
xdotool key Tab
type_field 100
xdotool key Tab Tab
type_field "$table"
xdotool key Return
wait_for 10 dialog_gone Experiment || die "the dialog stayed after Return"
wait_for 60 plot_drawn 200 || die "the plot never drew the 200 runs; it drew: $(grep '^plot' "$plot_log" | tail -n 3)"

"$sim" --seeds 1:20 --vary hatch=1:10:1 --generations 100 --summary >"$work/sim.csv"
cmp "$table" "$work/sim.csv" || fail "the window's table differs from vivar-sim's"

# The shares each point says, against those the table gives.
awk -F, 'NR == 1 { for (c = 1; c <= NF; ++c) column[$c] = c; next }
  { h = $column["hatch"]; runs[h]++; one = $column["species1_extinct_at"] == ""; two = $column["species2_extinct_at"] == ""
    both[h] += one && two; any[h] += one || two; if (!(h in seen)) { seen[h] = 1; order[++n] = h } }
  END { for (i = 1; i <= n; ++i) { h = order[i]; printf "hatch=%s runs=%d both=%.3f one=%.3f\n", h, runs[h], both[h] / runs[h], any[h] / runs[h] } }' \
  "$work/sim.csv" >"$work/shares"
plot_of 200 | grep -v '^point ' >"$work/plotted"
diff "$work/shares" "$work/plotted" || fail "the plot's points differ from the table's shares"

# A click on hatch=2's point offers its runs; the first goes to the terrarium.
read -r x y < <(plot_of 200 | awk '$1 == "point" && $2 == 1 { split($4, at, ","); print at[1], at[2] }')
[ -n "${x:-}" ] || die "the plot logged no place for hatch=2's point"
ew=$(experiment_window)
[ -n "$ew" ] || die "no experiment window"
: >"$status_log"
xdotool mousemove --window "$ew" "$x" "$y" click 1
sleep 0.5
xdotool key Down Return
shown() { status_lines | tail -n 1 | grep -q -E "Generation 0 .*seed [0-9]+ .*rules hatch=2$"; }
wait_for 10 shown || fail "the main view does not hold a run of hatch=2: $(status_lines | tail -n 1)"
seed=$(status_lines | grep -o -E 'seed [0-9]+' | tail -n 1 | cut -d' ' -f2)
[ -n "$seed" ] && [ "$seed" -ge 1 ] && [ "$seed" -le 20 ] || fail "the run shown has seed '$seed', not one of 1 to 20"

# Stopped part-way and continued from the dialog: the whole table.
long=$work/long.csv
set_up_again "a second experiment"
xdotool key Tab Tab Tab
type_field 50
xdotool key Tab
type_field 200
xdotool key Tab
type_field 1
xdotool key Tab
type_field "$long"
xdotool key Return
wait_for 10 dialog_gone Experiment || die "the second dialog stayed after Return"
wait_for 30 has_rows "$long" 30 || die "the second experiment wrote no rows"
xdotool windowfocus --sync "$ew" key alt+t
sleep 1
stopped=$(rows "$long")
[ "$stopped" -lt 501 ] || die "the experiment finished before it could be stopped"
sleep 1
[ "$(rows "$long")" -eq "$stopped" ] || fail "rows still came after the stop"
set_up_again "after the stop"
xdotool key Return
wait_for 10 dialog_gone Experiment || die "the dialog stayed when continuing"
wait_for 120 has_rows "$long" 501 || die "the continued experiment stopped at $(rows "$long") rows"
wait_for 10 plot_drawn 500 || fail "the plot never drew the 500 runs"
"$sim" --seeds 1:50 --vary hatch=1:10:1 --generations 200 --summary >"$work/sim-long.csv"
cmp "$long" "$work/sim-long.csv" || fail "the continued table differs from vivar-sim's whole one"

# A table opened again, here vivar-sim's in two parts put together, is
# drawn as the window's own; a file that is not a table is refused naming
# its line.
"$sim" --seeds 1:20 --vary hatch=1:10:1 --generations 100 --summary --part 1/2 >"$work/parts.csv"
"$sim" --seeds 1:20 --vary hatch=1:10:1 --generations 100 --summary --part 2/2 >>"$work/parts.csv"
drawings_of_200() { [ "$(grep -c -x -F "plot runs=200" "$plot_log")" -ge "$1" ]; }
before=$(grep -c -x -F "plot runs=200" "$plot_log")
xdotool windowfocus --sync "$ew" key alt+o
answer_dialog "Open an experiment's table" "$work/parts.csv"
wait_for 10 drawings_of_200 $(( before + 1 )) || fail "the parts put together were not drawn"
plot_of 200 | grep -v '^point ' | diff "$work/shares" - || fail "the parts' plot differs from the table's shares"
printf 'size,hatch,mating\n20x20,5\n' >"$work/letter.csv"
xdotool windowfocus --sync "$ew" key alt+o
answer_dialog "Open an experiment's table" "$work/letter.csv"
refused() { grep -q -E '^problem: .*letter\.csv is not an experiment.s table: line [0-9]+' "$plot_log"; }
wait_for 10 refused || fail "a file that is not a table was not refused naming its line: $(grep '^problem' "$plot_log")"
[ ! -s "$err" ] || { fail "stderr not empty"; cat "$err"; }

# Closed during an experiment: the window goes, the table ends at a whole
# row, and one line on stderr says so.
closing=$work/closing.csv
set_up_again "a third experiment"
xdotool key Tab Tab Tab
type_field 1000
xdotool key Tab
type_field 50
xdotool key Tab Tab
type_field "$closing"
xdotool key Return
wait_for 30 has_rows "$closing" 30 || die "the third experiment wrote no rows"
# The terrarium steps meanwhile.
key n
stepped() { status_lines | tail -n 1 | grep -q -E "^Generation 1 · stopped"; }
wait_for 5 stepped || fail "N did not step the terrarium during the experiment: $(status_lines | tail -n 1)"
has_rows "$closing" 10001 && die "the third experiment finished before the close"
closed_at=$(now_ms)
close_vivar
echo "closed during an experiment in $(( $(now_ms) - closed_at )) ms"
[ "$(wc -l <"$err")" -eq 1 ] || fail "the close said $(wc -l <"$err") lines on stderr, not one: $(cat "$err")"
grep -q -F closing.csv "$err" || fail "the close's line does not name the table: $(cat "$err")"
[ "$(tail -c 1 "$closing" | od -An -c | tr -d ' ')" = '\n' ] || fail "the table closed with the window ends within a row"
"$sim" --seeds 1:1000 --vary hatch=1:10:1 --generations 50 --summary | head -c "$(stat -c %s "$closing")" >"$work/sim-closing.csv"
cmp "$closing" "$work/sim-closing.csv" || fail "the table closed with the window is not the start of vivar-sim's"
end_checks
