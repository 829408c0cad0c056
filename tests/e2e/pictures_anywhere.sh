#!/usr/bin/env bash
# The built program started from an empty folder finds its pictures and
# bitmaps and says nothing on stderr; so do vivar and vivar-sim --film copied
# with what their build folder keeps beside them to another folder, as a
# moved build folder is. A copy of the program alone, with no pictures
# anywhere, says so in one line on stderr, on the status line and in a
# message beside the window, and still runs.
#   pictures_anywhere.sh VIVAR WM_CLOSE PICTURES-DIR VIVAR-SIM
source "$(dirname "$0")/session.sh"
vivar=$1 wm_close=$2 pictures=$3 sim=$4
build=$(dirname "$vivar")

mkdir "$work/empty" && cd "$work/empty"
start_vivar "$vivar"
fill_see_pictures_and_close "$pictures"

# The build folder's programs and what lies beside them, elsewhere under
# another name; started from an empty folder, with no VIVAR_PICTURES.
unset VIVAR_PICTURES
moved="$work/moved build"
mkdir "$moved"
[ -d "$build/pictures" ] || die "the build folder keeps no pictures beside its programs"
cp -a "$vivar" "$sim" "$build"/vivar-films.* "$build/pictures" "$moved/"
[ "$(ls "$moved/pictures" | wc -l)" -eq "$(ls "$pictures"/*.png "$pictures"/*.bmp | wc -l)" ] ||
  die "the build folder's pictures/ does not hold every picture and bitmap"
start_vivar "$moved/vivar"
fill_see_pictures_and_close "$pictures"
"$moved/vivar-sim" --seed 3 --generations 2 --film "$work/moved.gif" >/dev/null 2>"$err" || die "vivar-sim --film failed"
[ ! -s "$err" ] || die "the moved vivar-sim says: $(cat "$err")"
[ -s "$work/moved.gif" ] || die "the moved vivar-sim made no film"
# It took the pictures beside it: without them it looks there and says so.
rm -r "$moved/pictures"
"$moved/vivar-sim" --seed 3 --generations 2 --film "$work/bare.gif" >/dev/null 2>"$err" || die "vivar-sim --film failed"
grep -q -F "pictures not found; looked in $work/empty, $work/share/vivar/pictures, $moved/pictures " "$err" ||
  die "without its pictures the moved vivar-sim does not say where it looked: $(cat "$err")"

mkdir "$work/bin" && cp "$vivar" "$work/bin/vivar"
VIVAR_STATUS_LOG=$work/status start_vivar "$work/bin/vivar"
told_beside() { xdotool search --onlyvisible --name '^vivar: pictures not found$' | grep -q .; }
wait_for 10 told_beside || die "no message beside the window about the missing pictures"
grep -q -E "· ([0-9]+) of \1 pictures not found \(VIVAR_PICTURES\)$" "$work/status" ||
  die "the status line does not tell of the missing pictures: $(tail -n 1 "$work/status")"
close_vivar
[ "$(wc -l <"$err")" -eq 1 ] || die "not one line on stderr"
grep -q -E "^vivar: ([0-9]+) of \1 pictures not found; looked in $work/empty, $work/share/vivar/pictures, $work/bin/pictures " "$err" ||
  die "the line does not say how many are missing and where"
echo "ok: pictures found from an empty folder and by a moved build folder's vivar and vivar-sim --film; told on stderr, the status line and beside the window when there are none"
