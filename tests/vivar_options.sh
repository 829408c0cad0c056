#!/usr/bin/env bash
# vivar's command line: help, version, and mistakes refused before any
# window opens.
#   vivar_options.sh VIVAR VERSION VIVAR-SIM
source "$(dirname "$0")/lib.sh"
vivar=$1 version=$2 sim=$3
err=$work/err

help=$("$vivar" --help) || fail "--help failed"
for word in --seed --pace --counts --quiet --help --version Space N C; do
  grep -q -- "$word" <<<"$help" || fail "--help does not mention $word"
done
[ "$("$vivar" --version)" = "vivar $version" ] || fail "--version printed '$("$vivar" --version)'"

# No display here: had a mistake got as far as the window, the exit status
# would be 1 and stderr would say so.
for args in "--seed" "--seed -1" "--seed 4294967296" "--seed=12x" "--pace 10001" "--pace fast" \
            "--quiet=yes" "--frobnicate" "stray" "--counts" "--counts /nonexistent/folder/counts.csv" \
            "--rule hatch=2 --rule hatch=3" "--size 4x4 --size 5x5"; do
  refused_in_one_line "$args" env -u DISPLAY -u WAYLAND_DISPLAY timeout 60 "$vivar"
done

# Files the user keeps are left as they were by a run that never began:
# a counts file that holds rows, a board named as its own counts file.
cd "$work" || exit 1
"$sim" --seed 3 --generations 2 --counts >run.csv
"$sim" --seed 3 --generations 4 --save-board keep.vivar >/dev/null
sed 's/^generation 4$/generation 9223372036854775807/' keep.vivar >last.vivar
cp run.csv run.before && cp keep.vivar keep.before
env -u DISPLAY -u WAYLAND_DISPLAY timeout 60 "$vivar" --counts run.csv >/dev/null 2>"$err"
[ $? -eq 1 ] || fail "a window that cannot open did not exit 1"
cmp -s run.csv run.before || fail "--counts emptied or changed a file that holds rows: $(wc -c <run.csv) bytes"
for args in "--board keep.vivar --counts keep.vivar" "--board keep.vivar --counts ./keep.vivar" "--board last.vivar" \
            "--counts $work"; do
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY timeout 60 "$vivar" $args 2>"$err")
  status=$?
  [ "$status" -eq 2 ] && [ -z "$out" ] && [ "$(wc -l <"$err")" -eq 1 ] ||
    fail "'$args' exited $status: $(cat "$err")"
done
cmp -s keep.vivar keep.before || fail "the board named as the counts file changed: $(wc -c <keep.vivar) bytes"
[ "$(ls "$work" | wc -l)" -eq 6 ] || fail "files were made: $(ls "$work")"

end_checks
