#!/usr/bin/env bash
# The window at --pace 0 on a virtual display, with the chart shown:
# generations shown per second, whether the board turns under a drag while
# it runs, and peak resident memory after 1,000 generations and after the
# last one. Given board sizes, only the generations shown per second, the
# longest a key waited for its answer on the status line while the run went
# on, how long a drag took to turn the view, and the peak memory on a board
# of each size, seed 5, after 10 seconds. Given "recording" (and a film's
# size, default 1280x720, and name, default film.webm), the generations
# shown per second while a film is recorded, beside a run without one.
#   bench/window_pace.sh [build-dir] [generations, default 3000] [WxH...]
#   bench/window_pace.sh [build-dir] [generations] recording [FILM-WxH] [NAME.webm|NAME.gif] [--size WxH]
source "$(dirname "$0")/lib.sh"
build=$(cd "${1:-$bench_dir/../build}" && pwd)
last=${2:-3000}
shift $(( $# < 2 ? $# : 2 ))
pictures=$(cd "$bench_dir/../pictures" && pwd)
on_a_display 1280x1024x24 "$0" "$build" "$last" "$@"
runtime_folder
counts=$work/counts.csv
shown() { echo $(( $(wc -l <"$counts") - 2 )); }
peak_mb() { awk '/VmHWM/ { printf "%.0f", $2 / 1024 }' "/proc/$1/status"; }
wait_shown() { until [ "$(shown)" -ge "$1" ]; do sleep 0.2; done; }
# The board's outline in the viewer: the bounding box of what is not black.
outline() {
  xwd -root -silent | convert xwd:- -crop 900x790+30+0 +repage -fuzz 4% -trim -format '%w %h\n' info:
}

# Seed 5 filled and playing at --pace 0 with the given options, then the
# generations shown per second over ten seconds in $rate; with $film set,
# recording a film of size $film_size named $film in the work folder.
run_and_rate() {
  rm -f "$counts"
  VIVAR_STATUS_LOG=$work/status "$build/vivar" "$@" --seed 5 --pace 0 --counts "$counts" >/dev/null 2>"$work/err" &
  pid=$!
  until xdotool search --name '^vivar$' >/dev/null 2>&1; do sleep 0.1; done
  sleep 1
  xdotool mousemove 15 126 click 1  # fill
  if [ -n "${film:-}" ]; then
    local title="Record a film of the generations shown" dialog
    xdotool key v
    until dialog=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1) && [ -n "$dialog" ]; do
      sleep 0.1
    done
    xdotool windowfocus --sync "$dialog"
    sleep 0.3
    xdotool key ctrl+a && xdotool type --delay 5 "$work/$film"
    xdotool key Tab ctrl+a && xdotool type --delay 5 "$film_size"
    xdotool key Return
    sleep 1
  fi
  xdotool mousemove 15 18 click 1  # play
  sleep 3
  local from start
  from=$(shown); start=$(now_ms); sleep 10
  rate=$(awk -v n=$(( $(shown) - from )) -v ms=$(( $(now_ms) - start )) 'BEGIN { printf "%.1f", 1000 * n / ms }')
}
# Slower, then faster again: each key changes the pace on the status line,
# whose log tells when the window answered. The longest of four waits, in
# $answer.
answer_ms() {
  local window lines start waited k pace
  window=$(xdotool search --name '^vivar$' | head -n 1)
  answer=0
  for k in minus:25 plus:0 minus:25 plus:0; do
    pace=${k#*:}
    lines=$(wc -l <"$work/status"); start=$(now_ms)
    xdotool windowfocus --sync "$window" key "${k%:*}"
    until tail -n +$(( lines + 1 )) "$work/status" | sed 's/\xc2\xa0/ /g' | grep -q -F "pace $pace ms"; do
      sleep 0.005
    done
    waited=$(( $(now_ms) - start ))
    [ "$waited" -le "$answer" ] || answer=$waited
    sleep 0.5
  done
}
# A drag across the board while it runs: how long until the view has turned
# (its outline changed), in $drag, polled by screenshots, each of which takes
# $poll ms of it.
drag_ms() {
  local w0 h0 w h start
  # The examiner turns from the second motion on, the first marking where
  # the drag starts; Qt merges motions that come at once.
  xdotool mousemove 480 400 mousedown 1 && sleep 0.05
  xdotool mousemove 482 400 && sleep 0.05
  xdotool mousemove 484 400 && sleep 0.5
  start=$(now_ms); read -r w0 h0 < <(outline); poll=$(( $(now_ms) - start ))
  start=$(now_ms)
  xdotool mousemove 600 440
  drag="over 5000"
  while [ $(( $(now_ms) - start )) -lt 5000 ]; do
    read -r w h < <(outline)
    if [ $(( (w - w0) * (w - w0) + (h - h0) * (h - h0) )) -gt 400 ]; then drag=$(( $(now_ms) - start )); break; fi
  done
  sleep 0.3
  xdotool mouseup 1
}
close_window() {
  "$build/wm_close" "$(xdotool search --name '^vivar$' | head -n 1)"
  wait "$pid" || true
  [ ! -s "$work/err" ] || { echo "stderr:"; cat "$work/err"; }
}

cd "$pictures"
if [ "${1:-}" = recording ]; then
  film_size=${2:-1280x720}
  name=${3:-film.webm}
  shift $(( $# < 3 ? $# : 3 ))
  film="" run_and_rate "$@"
  plain=$rate
  close_window
  film=$name run_and_rate "$@"
  close_window
  echo "generations shown per second at --pace 0, chart shown${*:+, $*}: $plain without a film," \
    "$rate recording a $film_size $name ($(stat -c %s "$work/$name") bytes)"
  exit 0
fi
if [ $# -gt 0 ]; then
  for size in "$@"; do
    run_and_rate --size "$size"
    answer_ms
    drag_ms
    echo "$size: $rate generations shown per second at --pace 0, a key answered within $answer ms," \
      "a drag within $drag ms (screenshots of $poll ms), peak resident memory $(peak_mb "$pid") MB"
    close_window
  done
  exit 0
fi
run_and_rate
echo "generations shown per second at --pace 0, chart shown: $rate"

# A drag across the board turns it; the outline changes once the view has.
read -r w0 h0 < <(outline)
xdotool mousemove 480 400 mousedown 1
for x in 500 520 540 560 580 600; do xdotool mousemove "$x" 420; sleep 0.05; done
sleep 0.3
xdotool mouseup 1
start=$(now_ms)
turned=no
while [ $(( $(now_ms) - start )) -lt 5000 ]; do
  read -r w h < <(outline)
  if [ $(( (w - w0) * (w - w0) + (h - h0) * (h - h0) )) -gt 400 ]; then turned=yes; break; fi
done
echo "the board turned under a drag while running: $turned (outline ${w0}x${h0} became ${w}x${h})"

wait_shown 1000
echo "peak resident memory after 1,000 generations: $(peak_mb "$pid") MB"
wait_shown "$last"
echo "peak resident memory after $last generations: $(peak_mb "$pid") MB"
close_window
