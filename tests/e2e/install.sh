#!/usr/bin/env bash
# Installs into a temporary prefix, then starts vivar the way a desktop
# launcher does, through its desktop entry's command, from another folder;
# the board must show the pictures.
#   install.sh BUILD-DIR WM_CLOSE
set -u
build=$1 wm_close=$2
source "$(cd "$(dirname "$0")" && pwd)/session.sh"
die() { echo "FAIL: $*"; [ -f "$err" ] && cat "$err"; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null || die "install failed"
for f in bin/vivar bin/vivar-sim share/applications/vivar.desktop share/vivar/pictures/vacio.png \
         share/vivar/pictures/gclv.png share/vivar/pictures/menosAzul.bmp; do
  [ -e "$prefix/$f" ] || die "not installed: $f"
done
[ "$(ls "$prefix/share/vivar/pictures" | wc -l)" -eq 65 ] || die "not every picture installed"
"$prefix/bin/vivar-sim" --seed 1 --generations 1 --counts >/dev/null || die "installed vivar-sim does not run"

entry=$prefix/share/applications/vivar.desktop
command=$(sed -n 's/^Exec=//p' "$entry")
[ -n "$command" ] || die "no Exec line"
mkdir "$work/elsewhere" && cd "$work/elsewhere"
eval "$command" >"$out" 2>"$err" &
pid=$!
window=$(wait_for_window) && [ -n "$window" ] || die "vivar did not start"
button 3  # fill
# Brown and green lizards and orange cats make the board colourful; blank
# tiles would leave it grey.
board_saturation() {
  xwd -root -silent | convert xwd:- "$work/shot.png"
  saturation=$(convert "$work/shot.png" -crop 560x560+200+115 +repage -colorspace HSL -channel G -separate \
    -format '%[fx:int(1000*mean)]' info:)
  [ "$saturation" -ge 60 ]
}
wait_for 10 board_saturation
echo "mean saturation of the board: $saturation/1000"
[ "$saturation" -ge 60 ] || die "the board does not show the pictures"
grep -q 'not found' "$err" && die "pictures reported missing"
"$wm_close" "$window"
wait "$pid" || die "exit status $?"
pid=
[ ! -s "$err" ] || die "stderr not empty"
echo "ok: installed to $prefix and started from another folder"
