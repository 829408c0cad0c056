#!/usr/bin/env bash
# How many squares of a board map's frames show their kind's colour after
# the encoder: a film of seed 5 made by vivar-sim, frames decoded by
# ffmpeg, each square's middle pixel taken to the nearest colour of the
# map's palette (looks/kind_colours.h) and held against the kind that
# --save-board --at K writes for that square. Prints a line for each frame
# and the share of all of them; with --least P, exits with status 1 when
# any frame's share is below P %.
# With --film FILE, that film of the same run is measured instead, as
# when trying an encoder's settings on the frames of a GIF. With --frame
# PNG, that picture is measured as the one frame given, as a browser that
# played the film drew it.
#   bench/film_colours.sh [--least P] [--film FILE] [--frame PNG] [build-dir | vivar-sim] [BOARD-WxH] [FILM-WxH] [webm|gif] [FRAMES...]
# Default: a board of 500x500 in a WebM of 1280x720, frames 0, 25 and 50.
source "$(dirname "$0")/lib.sh"
least="" given="" picture=""
while [ $# -gt 0 ]; do
  case $1 in
    --least) least=$2; shift 2 ;;
    --film) given=$(realpath "$2"); shift 2 ;;
    --frame) picture=$(realpath "$2"); shift 2 ;;
    *) break ;;
  esac
done
sim=$(sim_of "${1:-}")
board=${2:-500x500}
film=${3:-1280x720}
kind=${4:-webm}
shift $(( $# < 4 ? $# : 4 ))
frames=${*:-0 25 50}

bw=${board%x*} bh=${board#*x} fw=${film%x*} fh=${film#*x}
last=0
for k in $frames; do [ "$k" -le "$last" ] || last=$k; done
# The palette as "#RRGGBB" in the board map's order: empty squares, then
# the populations' colours.
source "$bench_dir/../tools/kind_colours.sh"
colours="${map_colours[*]}"

if [ -n "$given" ]; then
  cp "$given" "$work/film.$kind"
else
  "$sim" --seed 5 --size "$board" --generations "$last" --film "$work/film.$kind" --film-size "$film" >/dev/null
fi
total=0 matched=0 below=0
for k in $frames; do
  "$sim" --seed 5 --size "$board" --generations "$last" --save-board "$work/board.vivar" --at "$k" >/dev/null
  if [ -n "$picture" ]; then
    ffmpeg -v error -y -i "$picture" -frames:v 1 -f rawvideo -pix_fmt rgb24 "$work/frame.rgb"
  else
    ffmpeg -v error -y -i "$work/film.$kind" -vf "select=eq(n\\,$k)" -frames:v 1 -f rawvideo -pix_fmt rgb24 \
      "$work/frame.rgb"
  fi
  # Kinds first, then the frame's pixels, one "r g b" a line.
  read -r n m < <(
    { awk '/^kinds$/ { on = 1; next } on { print "K", $0 }' "$work/board.vivar"
      od -An -v -tu1 -w3 "$work/frame.rgb"; } |
    awk -v bw="$bw" -v bh="$bh" -v fw="$fw" -v fh="$fh" -v colours="$colours" '
      function round(v) { return v < 0 ? -int(-v + 0.5) : int(v + 0.5) }
      function digit(c) { return index("0123456789ABCDEF", toupper(c)) - 1 }
      BEGIN {
        split(colours, hex, " ")
        for (i = 1; i <= 6; i++) for (j = 0; j < 3; j++)
          rgb[i, j] = 16 * digit(substr(hex[i], 2 + 2 * j, 1)) + digit(substr(hex[i], 3 + 2 * j, 1))
        look["."] = 1; look["B"] = 2; look["G"] = 3; look["b"] = 4; look["g"] = 5; look["C"] = 6; look["E"] = 6
        # As BoardPainter places a board map: each square its middle pixel.
        scale = fw / bw < fh / bh ? fw / bw : fh / bh
        left = round((fw - scale * bw) / 2); top = round((fh - scale * bh) / 2)
        for (x = 0; x < bw; x++) column[x] = int(left + (x + 0.5) * scale)
        y = 0; p = -1
      }
      $1 == "K" { if (y < bh) { for (x = 0; x < bw; x++) want[(int(top + (y + 0.5) * scale)) * fw + column[x]] = look[substr($2, x + 1, 1)] }
                  y++; next }
      { p++ }
      p in want {
        best = 0; bestd = 1e9
        for (i = 1; i <= 6; i++) { d = ($1 - rgb[i, 0]) ^ 2 + ($2 - rgb[i, 1]) ^ 2 + ($3 - rgb[i, 2]) ^ 2; if (d < bestd) { bestd = d; best = i } }
        n++; if (best == want[p]) m++; else wrong[want[p] " as " best]++
      }
      END {
        split("empty,brown lizard,green lizard,brown egg,green egg,cat", name, ",")
        for (w in wrong) { split(w, at, " as "); printf "  %s shown as %s: %d\n", name[at[1]], name[at[2]], wrong[w] > "/dev/stderr" }
        print n + 0, m + 0
      }')
  awk -v k="$k" -v n="$n" -v m="$m" 'BEGIN { printf "frame %d: %d of %d squares in their kind'\''s colour (%.2f %%)\n", k, m, n, 100 * m / n }'
  total=$((total + n)) matched=$((matched + m))
  if [ -n "$least" ] && awk -v n="$n" -v m="$m" -v l="$least" 'BEGIN { exit !(100 * m < l * n) }'; then
    below=1
  fi
done
share=$(awk -v n="$total" -v m="$matched" 'BEGIN { printf "%.2f", 100 * m / n }')
echo "board $board in a $film .$kind, $(stat -c %s "$work/film.$kind") bytes for $((last + 1)) frames:" \
  "$share % of the squares in their kind's colour"
exit "$below"
