#!/usr/bin/env bash
# The built program started from an empty folder finds its pictures and
# bitmaps and says nothing on stderr; a copy of it away from its build
# folder, with no pictures anywhere, says so in one line on stderr, on the
# status line and in a message beside the window, and still runs.
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
VIVAR_STATUS_LOG=$work/status start_vivar "$work/bin/vivar"
told_beside() { xdotool search --onlyvisible --name '^vivar: pictures not found$' | grep -q .; }
wait_for 10 told_beside || die "no message beside the window about the missing pictures"
grep -q -E "· ([0-9]+) of \1 pictures not found \(VIVAR_PICTURES\)$" "$work/status" ||
  die "the status line does not tell of the missing pictures: $(tail -n 1 "$work/status")"
close_vivar
[ "$(wc -l <"$err")" -eq 1 ] || die "not one line on stderr"
grep -q -E "^vivar: ([0-9]+) of \1 pictures not found; looked in $work/empty, $work/share/vivar/pictures " "$err" ||
  die "the line does not say how many are missing and where"
echo "ok: pictures found from an empty folder; told on stderr, the status line and beside the window when there are none"
