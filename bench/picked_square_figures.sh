#!/usr/bin/env bash
# Generations shown per second at --pace 0 on the busy board (seed 5), with
# a square picked (the inspector retold after every generation, the model
# keeping that square's turns) and with none, side by side, alternating
# runs of each (five unless RUNS says otherwise). The figure to watch is the
# ratio of the medians: the window's drawing on a software renderer swings
# by a third from one run to the next on a shared machine.
#   [RUNS=N] bench/picked_square_figures.sh [BUILD-DIR] [SECONDS]
source "$(dirname "$0")/lib.sh"
build=$(cd "${1:-$bench_dir/../build}" && pwd)
seconds=${2:-10}
on_a_display 1400x1000x24 "$0" "$build" "$seconds"
runtime_folder
cd "$bench_dir/../pictures"

# CPU time, in clock ticks, of the program and of the display server it
# draws through: less at the mercy of other load than the wall clock.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
xserver=$(pgrep -n Xvfb || true)
cpu() { echo $(( $(ticks "$1") + ${xserver:+$(ticks "$xserver")} + 0 )); }

# The generation the status line showed last.
generation() { sed 's/\xc2\xa0/ /g' "$work/status" | tail -n 1 | sed -E 's/^Generation ([0-9]+).*/\1/'; }

rate() {  # picked|none
  VIVAR_STATUS_LOG=$work/status "$build/vivar" --seed 5 --pace 0 --quiet 2>/dev/null &
  local pid=$!
  until [ -s "$work/status" ]; do sleep 0.05; done
  sleep 1
  local window
  window=$(xdotool search --name '^vivar$' | head -n 1)
  xdotool windowfocus --sync "$window" key 4
  if [ "$1" = picked ]; then
    # Pick mode, then a click in the middle of the board.
    xdotool windowfocus --sync "$window" key Escape
    xdotool mousemove 480 400 click 1
  fi
  xdotool windowfocus --sync "$window" key space
  sleep 2
  local first start cpu0
  first=$(generation) start=$(date +%s%N) cpu0=$(cpu "$pid")
  sleep "$seconds"
  local last end cpu1
  last=$(generation) end=$(date +%s%N) cpu1=$(cpu "$pid")
  xdotool windowfocus --sync "$window" key ctrl+q
  wait "$pid" || true
  rm -f "$work/status"
  awk -v g=$(( last - first )) -v ns=$(( end - start )) -v t=$(( cpu1 - cpu0 )) -v hz="$(getconf CLK_TCK)" \
    'BEGIN { printf "%.0f %.1f\n", g / (ns / 1e9), 1000 * t / hz / g }'
}

none=() picked=() none_cpu=() picked_cpu=()
for _ in $(seq "${RUNS:-5}"); do
  read -r r c < <(rate none); none+=("$r") none_cpu+=("$c")
  read -r r c < <(rate picked); picked+=("$r") picked_cpu+=("$c")
done
median() { printf '%s\n' "$@" | sort -n | sed -n "$(( ($# + 1) / 2 ))p"; }
n=$(median "${none[@]}") p=$(median "${picked[@]}")
nc=$(median "${none_cpu[@]}") pc=$(median "${picked_cpu[@]}")
echo "generations shown per second at --pace 0, seed 5, ${seconds} s runs:"
echo "  none picked:     median $n of ${none[*]}; CPU ms per generation: median $nc of ${none_cpu[*]}"
echo "  a square picked: median $p of ${picked[*]}; CPU ms per generation: median $pc of ${picked_cpu[*]}"
awk -v n="$n" -v p="$p" -v nc="$nc" -v pc="$pc" \
  'BEGIN { printf "  picked / none: %.0f %% of the rate, %.0f %% of the CPU time per generation\n", 100 * p / n, 100 * pc / nc }'
