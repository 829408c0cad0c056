#!/usr/bin/env bash
# vivar.exe from the zip under Wine on a 500 x 500 board, seed 5, filled
# and playing at --pace 0: generations shown per second over ten seconds,
# with the trace and with --quiet, and the 3D view captured whole (the map)
# and zoomed in by the wheel (the pictures) in the folder given.
#   bench/windows_large_board.sh [WINDOWS-BUILD-DIR] [SHOTS-DIR]
source "$(dirname "$0")/lib.sh"
windows=$(cd "${1:-$bench_dir/../build-windows}" && pwd)
shots=$(mkdir -p "${2:-.}" && cd "${2:-.}" && pwd)
on_a_display 1280x1024x24 "$0" "$windows" "$shots"
wine_prefix
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
unzip -q "$(ls "$windows"/vivar-*-win64.zip | head -n 1)" -d "$work"
cd "$(ls -d "$work"/vivar-*-win64)"
counts=$WINEPREFIX/drive_c/counts.csv
# The 3D view is a GL child window that Wine draws off screen, in an X
# window of its own: the largest unnamed window there is.
view_window() {
  xwininfo -root -tree | awk '/has no name/ { split($0, part, ")"); size = part[3]; sub(/^ */, "", size);
    split(size, corner, "+"); split(corner[1], wh, "x");
    if (wh[1] * wh[2] > best) { best = wh[1] * wh[2]; id = $1 } } END { if (best > 10000) print id }'
}

run() {  # NAME [--quiet]
  rm -f "$counts"
  wine ./vivar.exe --size 500x500 --seed 5 --pace 0 ${2:-} --counts 'C:\counts.csv' >/dev/null 2>&1 &
  until xdotool search --name '^vivar$' >/dev/null 2>&1; do sleep 0.2; done
  sleep 4
  local window n0 n1 t0 t1
  window=$(xdotool search --name '^vivar$' | head -n 1)
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove $((X + 15)) $((Y + 126)) click 1 && sleep 3  # fill
  xdotool mousemove $((X + 15)) $((Y + 18)) click 1 && sleep 3   # play
  n0=$(wc -l <"$counts") t0=$(date +%s%N); sleep 10; n1=$(wc -l <"$counts") t1=$(date +%s%N)
  echo "500x500 under Wine, $1: $(awk -v n=$((n1 - n0)) -v ms=$(((t1 - t0) / 1000000)) \
    'BEGIN { printf "%.1f", 1000 * n / ms }') generations shown per second at --pace 0"
  xdotool mousemove $((X + 15)) $((Y + 54)) click 1 && sleep 3   # stop
  import -window "$(view_window)" "$shots/wine-500x500-map.png"
  xdotool mousemove $((X + WIDTH * 30 / 100)) $((Y + HEIGHT * 40 / 100))
  for _ in $(seq 28); do xdotool click 4; sleep 0.15; done
  sleep 3
  import -window "$(view_window)" "$shots/wine-500x500-pictures.png"
  "$bench_dir/../build/wm_close" "$window" 2>/dev/null || xdotool key --window "$window" ctrl+q
  wait || true
}
run "with the trace"
run "--quiet" --quiet
