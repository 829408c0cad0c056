#!/usr/bin/env bash
# The Windows build under Wine beside the Debian build, measured in one run:
#   - vivar.exe's start-up to its idle line, median of five, on a Wine
#     prefix made beforehand;
#   - vivar-sim's generations per second on the busy board (seed 5,
#     --counts), best of three for each build, and the ratio of the two. A
#     run's start (Wine's own takes a fifth of a second) is left out: the
#     time of one generation is taken from the time of many.
#   bench/windows_figures.sh [WINDOWS-BUILD-DIR] [DEBIAN-BUILD-DIR]
source "$(dirname "$0")/lib.sh"
windows=$(cd "${1:-$bench_dir/../build-windows}" && pwd)
debian=$(cd "${2:-$bench_dir/../build}" && pwd)
on_a_display 1280x1024x24 "$0" "$windows" "$debian"
wine_prefix
zip=$(ls "$windows"/vivar-*-win64.zip | head -n 1)
unzip -q "$zip" -d "$work"
app=$(ls -d "$work"/vivar-*-win64)

# Start-up: from the command to the idle line, which follows the window's
# first show.
startups=()
for _ in 1 2 3 4 5; do
  start=$(date +%s%N)
  wine "$app/vivar.exe" >"$work/out" 2>/dev/null &
  pid=$!
  until grep -q -F 'IDLE' "$work/out" 2>/dev/null; do sleep 0.01; done
  startups+=($(( ($(date +%s%N) - start) / 1000000 )))
  window=$(xdotool search --name '^vivar$' | head -n 1)
  "$debian/wm_close" "$window"
  wait "$pid"
done
median=$(printf '%s\n' "${startups[@]}" | sort -n | sed -n 3p)
echo "vivar.exe start-up to the idle line: median $median ms of ${startups[*]} ms"

# A Wine server that stays, as Windows does, so that what is timed is the
# program rather than Wine starting and stopping its server.
wineserver -k 2>/dev/null || true
wineserver -p
# Wine's own complaints are not the program's.
quietly() { "$@" 2>/dev/null; }
generations=200000
rate() {  # generations per second of a vivar-sim command, its start left out
  local many one
  many=$(best_of_three_ns quietly "$@" --seed 5 --counts --generations "$generations")
  one=$(best_of_three_ns quietly "$@" --seed 5 --counts --generations 1)
  echo $(( (generations - 1) * 1000000000 / (many - one) ))
}
linux_rate=$(rate "$debian/vivar-sim")
windows_rate=$(rate wine "$app/vivar-sim.exe")
echo "busy board (seed 5), --counts: Debian $linux_rate generations/s, Windows under Wine $windows_rate generations/s" \
     "($(( 100 * windows_rate / linux_rate )) %)"
