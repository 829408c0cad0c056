#!/usr/bin/env bash
# vivar-sim's films, without a display: one frame per generation, the
# first board's included, at the size and rate asked for, the same file
# byte for byte from the same seed; each frame shows its generation's
# board, square by square, as --save-board --at K writes it, a WebM's
# board map nearest its kinds' colours in 99 % of the squares of each
# frame; a caption and the chart when asked for; mistakes refused in one
# line.
#   sim_films.sh VIVAR-SIM PICTURES-DIR
source "$(dirname "$0")/lib.sh"
sim=$(realpath "$1") pictures=$(realpath "$2")
bench=$(dirname "$tests_dir")/bench
# The map's colours, in the order of its kinds.
source "$tools/kind_colours.sh"
unset DISPLAY WAYLAND_DISPLAY
export LC_ALL=C  # join and sort in one order
cd "$work" || exit 1

# width,height,frames,rate as ffprobe reads them.
probe() {
  ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=width,height,nb_read_frames,r_frame_rate \
    -of default=noprint_wrappers=1 "$1" | sort | tr '\n' ' '
}
expect_probe() {  # FILE WIDTH HEIGHT FRAMES RATE
  local want="height=$3 nb_read_frames=$4 r_frame_rate=$5/1 width=$2 "
  [ "$(probe "$1")" = "$want" ] || fail "$1: ffprobe reads '$(probe "$1")', not '$want'"
}

for film in run.webm run.gif; do
  "$sim" --seed 5 --generations 30 --film "$film" >/dev/null 2>"$work/err" || fail "$film: status $?: $(cat "$work/err")"
  [ ! -s "$work/err" ] || fail "$film: stderr: $(cat "$work/err")"
  expect_probe "$film" 640 640 31 10
  "$sim" --seed 5 --generations 30 --film "again-$film" >/dev/null
  cmp -s "$film" "again-$film" || fail "$film: a second run of the same seed made another file"
done
"$sim" --seed 5 --generations 30 --film other.webm --seed 6 >/dev/null
cmp -s run.webm other.webm && fail "another seed made the same film"
"$sim" --seed 5 --generations 12 --film small.gif --film-size 96x64 --film-rate 4 >/dev/null
expect_probe small.gif 96 64 13 4
"$sim" --seed 5 --generations 4 --film wide.webm --film-size 1280x720 --film-rate 25 --size 7x31 >/dev/null
expect_probe wide.webm 1280 720 5 25
# The film goes with the trace and the counts as they are.
"$sim" --seed 5 --generations 30 --counts | cmp -s - <("$sim" --seed 5 --generations 30 --counts --film x.gif) ||
  fail "--film changed the counts"
# A board file's run, and other rules.
"$sim" --seed 8 --generations 10 --save-board start.vivar >/dev/null
"$sim" --board start.vivar --generations 6 --film board.gif >/dev/null
expect_probe board.gif 640 640 7 10
"$sim" --seed 8 --generations 6 --rule hatch=2 --summary --film rule.webm >/dev/null
expect_probe rule.webm 640 640 7 10

# The colour of every square's middle in frame K of a film, one line of
# "x y #RRGGBB" per square, for a board W x H drawn SIDE pixels a square
# from (LEFT, TOP).   middles FILM K W H SIDE LEFT TOP
middles() {
  ffmpeg -v error -y -i "$1" -vf "select=eq(n\\,$2)" -frames:v 1 "$work/frame.png" || return 1
  convert "$work/frame.png" -depth 8 txt:- | awk -v w="$3" -v h="$4" -v s="$5" -v l="$6" -v t="$7" '
    NR > 1 { split($1, at, "[,:]"); px = at[1]; py = at[2]
      if (px >= l && py >= t && (px - l) % s == int(s / 2) && (py - t) % s == int(s / 2)) {
        x = int((px - l) / s); y = int((py - t) / s); if (x < w && y < h) print x, y, $3 } }'
}
# The kinds grid of a board file, one line of "x y LETTER" per square; its
# rows may begin with any kind's letter, so the size says where it ends.
#   kinds BOARD-FILE
kinds() {
  awk '/^size / { split($2, wh, "x") } /^kinds$/ { on = 1; y = 0; next }
    on && y < wh[2] { for (x = 0; x < length($0); x++) print x, y, substr($0, x + 1, 1); y++ }' "$1"
}

# A board map, where squares are too small for pictures: 60 x 40 squares of
# 4 pixels, in the palette's colours, exact in a GIF.
"$sim" --seed 21 --size 60x40 --generations 15 --film map.gif --film-size 240x160 >/dev/null
for k in 0 7 15; do
  "$sim" --seed 21 --size 60x40 --generations 15 --save-board "map-$k.vivar" --at "$k" >/dev/null
  wrong=$(join -j1 <(kinds "map-$k.vivar" | awk '{ print $1 "," $2, $3 }' | sort) \
                   <(middles map.gif "$k" 60 40 4 0 0 | awk '{ print $1 "," $2, $3 }' | sort) |
    awk -v colours="${map_colours[*]}" '
    BEGIN { split(toupper(colours), m, " "); c["."] = m[1]; c["B"] = m[2]; c["G"] = m[3]; c["b"] = m[4]; c["g"] = m[5]
            c["C"] = m[6]; c["E"] = m[6] }
    { n++; if (c[$2] != toupper(substr($3, 1, 7))) bad++ } END { print n + 0, bad + 0 }')
  [ "$wrong" = "2400 0" ] || fail "board map frame $k: squares compared, wrong: $wrong"
done

# A board map in a WebM: each square's middle is nearest its kind's colour
# in 99 % of the squares of each frame where squares are two pixels wide,
# and in 98 % where they are about a pixel and a half (98.4 % here), as
# VP8's one colour for each 2 x 2 pixels falls on squares of kinds told
# apart by colour more than by brightness. A film of 0.3 bits a pixel
# that averaged each block's colours kept some 60 %.
for case in "99 240x180" "98 172x130"; do
  read -r least size <<<"$case"
  "$bench/film_colours.sh" --least "$least" "$sim" 120x90 "$size" webm 0 10 20 >"$work/colours" 2>&1 ||
    fail "a board map's WebM of $size keeps its kinds' colours in too few squares: $(grep -v '^ ' "$work/colours")"
done

# Pictures, where squares are large: each square of the frame, shrunk to
# 8 x 8 pixels, is nearest to a picture of the kind the board has there,
# turned as on the window's tiles and shrunk alike over the squares' black,
# through VP8's losses.
for picture in "$pictures"/*.png; do
  name=$(basename "$picture" .png)
  case $name in lc[di]*) kind=B ;; lch) kind=b ;; lv[di]*) kind=G ;; lvh) kind=g ;; g[di]*) kind=C ;;
    gcl*) kind=E ;; vacio) kind=. ;; *) continue ;; esac
  convert "$picture" -transverse -background black -flatten -scale 8x8 -depth 8 txt:- |
    awk -v k="$kind" 'NR > 1 { gsub(/[()]/, "", $2); split($2, c, ","); v = v " " c[1] " " c[2] " " c[3] }
      END { print k v }'
done >"$work/thumbs"
[ "$(wc -l <"$work/thumbs")" -eq 53 ] || fail "$(wc -l <"$work/thumbs") tile pictures, not 53"
for k in 0 9 20; do
  "$sim" --seed 5 --generations 30 --save-board "run-$k.vivar" --at "$k" >/dev/null
  ffmpeg -v error -y -i run.webm -vf "select=eq(n\\,$k)" -frames:v 1 "$work/frame.png"
  wrong=$(join -j1 <(kinds "run-$k.vivar" | awk '{ print $1 "," $2, $3 }' | sort) \
    <(convert "$work/frame.png" -scale 160x160 -depth 8 txt:- | awk -v thumbs="$work/thumbs" '
        BEGIN { while ((getline line < thumbs) > 0) { n++; pictures[n] = line } }
        NR > 1 { split($1, at, "[,:]"); gsub(/[()]/, "", $2); split($2, c, ",")
          at_ = int(at[1] / 8) "," int(at[2] / 8); i = (at[2] % 8) * 8 + at[1] % 8
          for (j = 1; j <= 3; j++) v[at_, 3 * i + j] = c[j]; squares[at_] = 1 }
        END { for (sq in squares) { best = 1e12
            for (p = 1; p <= n; p++) { split(pictures[p], t, " "); d = 0
              for (j = 1; j <= 192; j++) d += (v[sq, j] - t[j + 1]) ^ 2
              if (d < best) { best = d; seen = t[1] } }
            print sq, seen } }' | sort) |
    awk '{ squares++; if ($2 != $3) { bad++; print $0 > "/dev/stderr" } } END { print squares + 0, bad + 0 }')
  [ "$wrong" = "400 0" ] || fail "pictures frame $k: squares compared, wrong: $wrong"
done

# The caption and the chart: the same file from the same seed; beside the
# board, the chart's light page where a film of the board alone is black,
# and under it the caption's letters on black.
brightness() { convert "$1" -crop "$2" +repage -colorspace Gray -format '%[fx:mean]' info:; }
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
for extras in "--film-caption --film-chart" ""; do
  # shellcheck disable=SC2086
  "$sim" --seed 5 --generations 12 --film "told.gif" --film-size 640x360 $extras >/dev/null 2>"$work/err" ||
    fail "$extras: status $?: $(cat "$work/err")"
  [ ! -s "$work/err" ] || fail "$extras: stderr: $(cat "$work/err")"
  expect_probe told.gif 640 360 13 10
  ffmpeg -v error -y -i told.gif -vf "select=eq(n\\,12)" -frames:v 1 "$work/told${extras:+-extras}.png"
done
"$sim" --seed 5 --generations 12 --film told-again.gif --film-size 640x360 --film-caption --film-chart >/dev/null
"$sim" --seed 5 --generations 12 --film told.gif --film-size 640x360 --film-caption --film-chart >/dev/null
cmp -s told.gif told-again.gif || fail "a second film with a caption and the chart made another file"
chart=$(brightness "$work/told-extras.png" 120x280+510+10) alone=$(brightness "$work/told.png" 120x280+510+10)
above "$chart" 0.7 && ! above "$alone" 0.3 ||
  fail "the chart's side is $chart bright, $alone without the chart: no chart beside the board"
caption=$(brightness "$work/told-extras.png" 110x14+20+342) alone=$(brightness "$work/told.png" 110x14+20+342)
above "$caption" 0.03 && ! above "$caption" 0.6 && ! above "$alone" 0.01 ||
  fail "the caption's strip is $caption bright ($alone without it): no letters on black"

# Mistakes: one line and status 2; a film that cannot be written, status 1.
refused() {  # STATUS ARGUMENTS...
  local want=$1
  shift
  "$sim" --seed 1 --generations 2 "$@" >"$work/out" 2>"$work/err"
  local status=$?
  [ "$status" -eq "$want" ] && [ "$(wc -l <"$work/err")" -eq 1 ] && grep -q '^vivar-sim: ' "$work/err" ||
    fail "$*: status $status (not $want), stderr: $(cat "$work/err")"
}
refused 2 --film run.mp4
refused 2 --film run
refused 2 --film x.webm --film-size 7681x4320
refused 2 --film x.webm --film-size 7680x4321
refused 2 --film x.webm --film-size 15x100
refused 2 --film x.webm --film-size 640
refused 2 --film x.gif --film-rate 0
refused 2 --film x.gif --film-rate 51
refused 2 --film-size 320x240
refused 2 --film-caption
refused 2 --film-chart
refused 2 --seeds 1:3 --counts --film x.gif
refused 1 --film "$work/no/such/folder/x.webm"
[ ! -e "$work/no" ] || fail "a film that could not be made left a folder"
# A full disk and the rest: sim_film_failures.sh.
"$sim" --seed 1 --generations 2 --film "$work/largest.gif" --film-size 7680x4320 >/dev/null ||
  fail "the largest size was refused"

end_checks
