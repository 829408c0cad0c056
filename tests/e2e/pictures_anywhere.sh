#!/usr/bin/env bash
# The built program started from an empty folder finds its pictures and
# bitmaps and says nothing on stderr; a copy of it away from its build
# folder, with no pictures anywhere, says so in one line and still runs.
#   pictures_anywhere.sh VIVAR WM_CLOSE PICTURES-DIR
set -u
vivar=$1 wm_close=$2 pictures=$3
source "$(cd "$(dirname "$0")" && pwd)/session.sh"
die() { echo "FAIL: $*"; [ -f "$err" ] && cat "$err"; exit 1; }

mkdir "$work/empty" && cd "$work/empty"
start_vivar "$vivar"
fill_see_pictures_and_close "$pictures"

mkdir "$work/bin" && cp "$vivar" "$work/bin/vivar"
unset VIVAR_PICTURES
start_vivar "$work/bin/vivar"
close_vivar
[ "$(wc -l <"$err")" -eq 1 ] || die "not one line on stderr"
grep -q -E "^vivar: ([0-9]+) of \1 pictures not found; looked in $work/empty, $work/share/vivar/pictures " "$err" ||
  die "the line does not say how many are missing and where"
echo "ok: pictures found from an empty folder; one line when there are none"
