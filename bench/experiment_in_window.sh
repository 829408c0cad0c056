#!/usr/bin/env bash
# An experiment run from the window beside vivar-sim's run of the same, and
# what the terrarium does meanwhile. The window plays seed 5 at the default
# pace throughout; an experiment of hatch 1 to 10 x SEEDS seeds x
# GENERATIONS generations is set up in its dialog (cores: the default, all
# but one) and timed from Return to its table's last row, in turn with
# `vivar-sim --jobs N` running the same beside the same window, N being the
# cores the dialog chose, twice each. Prints the best times and their ratio,
# and, without and with an experiment running, the generations the window
# showed a second and the longest a key waited for its answer on the status
# line.
#   bench/experiment_in_window.sh [build-dir] [SEEDS, default 40] [GENERATIONS, default 2000]
source "$(dirname "$0")/lib.sh"
build=$(cd "${1:-$bench_dir/../build}" && pwd)
seeds=${2:-40}
generations=${3:-2000}
on_a_display 1280x1024x24 "$0" "$build" "$seeds" "$generations"
runtime_folder
export HOME=$work/home
mkdir -p "$HOME"
status=$work/status counts=$work/counts.csv table=$work/window.csv
runs=$(( 10 * seeds ))
jobs=$(( $(nproc) > 1 ? $(nproc) - 1 : 1 ))
shown() { echo $(( $(wc -l <"$counts") - 1 )); }
rows() { if [ -f "$1" ]; then wc -l <"$1"; else echo 0; fi; }

# Generations shown a second over ten seconds, in $rate.
rate_of_showing() {
  local from start
  from=$(shown); start=$(now_ms); sleep 10
  rate=$(awk -v n=$(( $(shown) - from )) -v ms=$(( $(now_ms) - start )) 'BEGIN { printf "%.2f", 1000 * n / ms }')
}
# Slower, then faster again: the longest of four waits for the status
# line's answer, in $answer.
answer_ms() {
  local lines start waited k
  answer=0
  for k in minus:1500 plus:900 minus:1500 plus:900; do
    lines=$(wc -l <"$status"); start=$(now_ms)
    xdotool windowfocus --sync "$window" key "${k%:*}"
    until tail -n +$(( lines + 1 )) "$status" | sed 's/\xc2\xa0/ /g; s/\([0-9]\),\([0-9]\)/\1\2/g' |
      grep -q -F "pace ${k#*:} ms"; do
      sleep 0.005
    done
    waited=$(( $(now_ms) - start ))
    [ "$waited" -le "$answer" ] || answer=$waited
    sleep 0.5
  done
}

cd "$bench_dir/../pictures"
VIVAR_STATUS_LOG=$status "$build/vivar" --seed 5 --counts "$counts" >/dev/null 2>"$work/err" &
pid=$!
before_clean_up() { kill "$pid" 2>/dev/null; }
until window=$(xdotool search --name '^vivar$' 2>/dev/null | head -n 1) && [ -n "$window" ]; do sleep 0.1; done
sleep 1
xdotool mousemove 15 126 click 1  # fill
xdotool mousemove 15 18 click 1   # play
until [ -f "$counts" ] && [ "$(shown)" -ge 2 ]; do sleep 0.2; done
rate_of_showing; alone_rate=$rate
answer_ms; alone_answer=$answer

# The first set-up opens from E; later ones from the experiment window's
# Set up… (Alt+S), whose dialog keeps the fields, the table's name aside.
field() { xdotool key ctrl+a; xdotool type --delay 5 "$1"; }
experiment_dialog() {
  local dialog
  until dialog=$(xdotool search --onlyvisible --name '^Experiment$' 2>/dev/null | head -n 1) && [ -n "$dialog" ]; do
    sleep 0.1
  done
  xdotool windowfocus --sync "$dialog"
  sleep 0.3
}
set_up() {  # TABLE [LAST-SEED]
  if [ -n "${2:-}" ]; then
    xdotool windowfocus --sync "$experiment_window" key alt+s
    experiment_dialog
    xdotool key Tab Tab Tab
    field "$2"; xdotool key Tab Tab Tab
  elif [ -z "${experiment_window:-}" ]; then
    xdotool windowfocus --sync "$window" key e
    experiment_dialog
    field 1:10:1; xdotool key Tab Tab
    field 1; xdotool key Tab
    field "$seeds"; xdotool key Tab
    field "$generations"; xdotool key Tab Tab
  else
    xdotool windowfocus --sync "$experiment_window" key alt+s
    experiment_dialog
    xdotool key Tab Tab Tab Tab Tab Tab
  fi
  field "$1"
  xdotool key Return
}
# An experiment from Return to its table's last row, with nothing else
# asked of the window meanwhile, in $window_ms.
timed_in_window() {  # TABLE
  local start
  set_up "$1"
  start=$(now_ms)
  until [ "$(rows "$1")" -gt "$runs" ]; do sleep 0.05; done
  window_ms=$(( $(now_ms) - start ))
  experiment_window=$(xdotool search --onlyvisible --name '^vivar experiment$' 2>/dev/null | head -n 1)
}
experiment=(--seeds "1:$seeds" --vary hatch=1:10:1 --generations "$generations" --summary --jobs "$jobs")
best_window="" best_sim=""
for round in 1 2; do
  timed_in_window "$work/window-$round.csv"
  best_window=$(least_of "$best_window" "$window_ms")
  best_sim=$(least_of "$best_sim" $(( $(elapsed_ns "$build/vivar-sim" "${experiment[@]}") / 1000000 )))
done
"$build/vivar-sim" "${experiment[@]}" | cmp -s - "$work/window-1.csv" || echo "the window's table differs from vivar-sim's" >&2
# The terrarium while one more runs, three times as long.
set_up "$work/window-busy.csv" $(( 3 * seeds ))
sleep 3
rate_of_showing; busy_rate=$rate
answer_ms; busy_answer=$answer
[ "$(rows "$work/window-busy.csv")" -le $(( 3 * runs )) ] || echo "the experiment ended before the terrarium was measured" >&2
"$build/wm_close" "$window"
wait "$pid" || true
before_clean_up() { :; }

awk -v runs="$runs" -v g="$generations" -v jobs="$jobs" -v w="$best_window" -v s="$best_sim" \
  -v ar="$alone_rate" -v br="$busy_rate" -v aa="$alone_answer" -v ba="$busy_answer" 'BEGIN {
  printf "experiment of %d runs (hatch 1 to 10) x %d generations on %d core(s), beside seed 5 playing at the default pace:\n", runs, g, jobs
  printf "  the window: %.1f s, %.1f runs a second (from Return to the last row; best of two)\n", w / 1000, runs * 1000 / w
  printf "  vivar-sim --jobs %d: %.1f s, %.1f runs a second (best of two, taken in turn with the window)\n", jobs, s / 1000, runs * 1000 / s
  printf "  the window runs at %.2f of vivar-sim'"'"'s rate\n", s / w
  printf "  generations shown a second: %s without the experiment, %s with it\n", ar, br
  printf "  longest wait for a key'"'"'s answer: %d ms without, %d ms with it\n", aa, ba
}'
[ ! -s "$work/err" ] || { echo "stderr:"; cat "$work/err"; }
