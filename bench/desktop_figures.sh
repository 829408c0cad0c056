#!/usr/bin/env bash
# Figures of the real program on a virtual display: start-up to the idle
# line, CPU used while stopped and while running, peak resident memory.
#   bench/desktop_figures.sh [build-dir]
source "$(dirname "$0")/lib.sh"
build=$(cd "${1:-$bench_dir/../build}" && pwd)
pictures=$(cd "$bench_dir/../pictures" && pwd)
on_a_display 1280x1024x24 "$0" "$build"
runtime_folder
out=$work/out
ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
close() { "$build/wm_close" "$(xdotool search --name '^vivar$' | head -n 1)"; wait "$1" || true; }
wait_idle() {
  until grep -q 'IDLE' "$out"; do sleep 0.005; done
}

cd "$pictures"
# Start-up: from launch to the idle line, median of five.
times=()
for _ in 1 2 3 4 5; do
  : >"$out"
  start=$(now_ms)
  "$build/vivar" >"$out" 2>/dev/null &
  pid=$!
  wait_idle
  times+=($(( $(now_ms) - start )))
  close "$pid"
done
startup=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)
echo "start-up to the idle line: ${startup} ms (median of ${times[*]})"

# CPU over ten seconds, stopped and then running.
: >"$out"
"$build/vivar" >"$out" 2>/dev/null &
pid=$!
wait_idle
sleep 1
before=$(cpu_ticks "$pid"); sleep 10; after=$(cpu_ticks "$pid")
echo "CPU while stopped: $(awk -v t=$(( after - before )) -v hz="$ticks" 'BEGIN { printf "%.1f", 100 * t / hz / 10 }') % of a core"
xdotool mousemove 15 126 click 1 mousemove 15 18 click 1  # fill, play
sleep 2
before=$(cpu_ticks "$pid"); sleep 10; after=$(cpu_ticks "$pid")
echo "CPU while running: $(awk -v t=$(( after - before )) -v hz="$ticks" 'BEGIN { printf "%.1f", 100 * t / hz / 10 }') % of a core"
echo "peak resident memory: $(awk '/VmHWM/ { printf "%.0f MB", $2 / 1024 }' "/proc/$pid/status")"
close "$pid"
