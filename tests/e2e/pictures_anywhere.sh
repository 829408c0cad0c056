#!/usr/bin/env bash
# The built program started from an empty folder finds its pictures and
# bitmaps and says nothing on stderr; a copy of it away from its build
# folder, with no pictures anywhere, says so in one line and still runs.
#   pictures_anywhere.sh VIVAR WM_CLOSE PICTURES-DIR
set -u
vivar=$1 wm_close=$2 pictures=$3
source "$(cd "$(dirname "$0")" && pwd)/session.sh"
die() { echo "FAIL: $*"; [ -f "$err" ] && cat "$err"; exit 1; }
close() {
  "$wm_close" "$window"
  wait "$pid" || die "exit status $?"
  pid=
}

mkdir "$work/empty" && cd "$work/empty"
"$vivar" >"$out" 2>"$err" &
pid=$!
window=$(wait_for_window) && [ -n "$window" ] || die "vivar did not start"
button 3  # fill
wait_for 10 pictures_shown "$window" "$pictures" || die "the filled board does not show the lizards' pictures"
close
[ ! -s "$err" ] || die "stderr not empty"

mkdir "$work/bin" && cp "$vivar" "$work/bin/vivar"
unset VIVAR_PICTURES
"$work/bin/vivar" >"$out" 2>"$err" &
pid=$!
window=$(wait_for_window) && [ -n "$window" ] || die "the copy did not start"
close
[ "$(wc -l <"$err")" -eq 1 ] || die "not one line on stderr"
grep -q -E "^vivar: ([0-9]+) of \1 pictures not found; looked in $work/empty, $work/share/vivar/pictures " "$err" ||
  die "the line does not say how many are missing and where"
echo "ok: pictures found from an empty folder; one line when there are none"
