#!/usr/bin/env bash
# vivar's command line: help, version, and mistakes refused before any
# window opens.
#   vivar_options.sh VIVAR VERSION
set -u
vivar=$1 version=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
err=$(mktemp)
trap 'rm -f "$err"' EXIT

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
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY timeout 60 "$vivar" $args 2>"$err")
  status=$?
  [ "$status" -eq 2 ] || fail "'$args' exited $status"
  [ -z "$out" ] || fail "'$args' wrote to stdout"
  [ "$(wc -l <"$err")" -eq 1 ] || fail "'$args' wrote $(wc -l <"$err") lines to stderr: $(cat "$err")"
done

[ "$failures" -eq 0 ] && echo "ok" || exit 1
