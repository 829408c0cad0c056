#!/usr/bin/env bash
# Installs into a temporary prefix, then starts vivar the way a desktop
# launcher does, through its desktop entry's command with the prefix's bin/
# on the PATH, from another folder; the board must show the pictures.
#   install.sh BUILD-DIR WM_CLOSE PICTURES-DIR
source "$(dirname "$0")/session.sh"
build=$1 wm_close=$2 pictures=$3

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null || die "install failed"
for f in bin/vivar bin/vivar-sim share/applications/vivar.desktop share/vivar/pictures/vacio.png \
         share/vivar/pictures/gclv.png share/vivar/pictures/menosAzul.bmp; do
  [ -e "$prefix/$f" ] || die "not installed: $f"
done
[ "$(ls "$prefix/share/vivar/pictures" | wc -l)" -eq "$(ls "$pictures"/*.png "$pictures"/*.bmp | wc -l)" ] ||
  die "not every picture installed"
"$prefix/bin/vivar-sim" --seed 1 --generations 1 --counts >/dev/null || die "installed vivar-sim does not run"

command=$(sed -n 's/^Exec=//p' "$prefix/share/applications/vivar.desktop")
[ -n "$command" ] || die "no Exec line"
mkdir "$work/elsewhere" && cd "$work/elsewhere"
start_vivar env "PATH=$prefix/bin:$PATH" sh -c "$command"
fill_see_pictures_and_close "$pictures"
echo "ok: installed to $prefix and started from another folder"
