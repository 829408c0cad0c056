#!/usr/bin/env bash
# Generations shown per second at --pace 0 on the busy board (seed 5), with
# a square picked (the inspector retold after every generation, the model
# keeping that square's turns) and with none, side by side, alternating
# three runs of each. The figure to watch is the ratio of the medians.
#   bench/inspector_figures.sh [BUILD-DIR] [SECONDS]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
seconds=${2:-10}
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1400x1000x24" "$0" "$build" "$seconds"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
cd "$here/../pictures"

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
  local first start
  first=$(generation) start=$(date +%s%N)
  sleep "$seconds"
  local last end
  last=$(generation) end=$(date +%s%N)
  xdotool windowfocus --sync "$window" key ctrl+q
  wait "$pid" || true
  rm -f "$work/status"
  awk -v g=$(( last - first )) -v ns=$(( end - start )) 'BEGIN { printf "%.0f", g / (ns / 1e9) }'
}

none=() picked=()
for _ in 1 2 3; do
  none+=("$(rate none)")
  picked+=("$(rate picked)")
done
median() { printf '%s\n' "$@" | sort -n | sed -n 2p; }
n=$(median "${none[@]}") p=$(median "${picked[@]}")
echo "generations shown per second at --pace 0, seed 5, ${seconds} s runs:"
echo "  none picked:     median $n of ${none[*]}"
echo "  a square picked: median $p of ${picked[*]}"
awk -v n="$n" -v p="$p" 'BEGIN { printf "  picked / none: %.0f %%\n", 100 * p / n }'
