#!/usr/bin/env bash
# With no display the program prints its start-up lines, says why it cannot
# show a window, and fails instead of hanging. How long it took is printed,
# a figure for benchmarks: a sanitizer build on a loaded machine is slow, and
# only a program still there after a minute fails.
set -u
program=$1
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
start=$(date +%s%N)
timeout 60 "$program" >"$out" 2>"$err"
status=$?
elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
fail() { echo "FAIL: $*"; echo "--- stdout"; cat "$out"; echo "--- stderr"; cat "$err"; exit 1; }
[ "$status" -ne 124 ] || fail "still running a minute later"
[ "$status" -eq 1 ] || fail "exit status $status, expected 1"
head -n 1 "$out" | grep -qx 'view creada' || fail "no start-up line"
grep -qx 'vista valore de corre = 0' "$out" || fail "no runFlag line"
grep -q 'window' "$err" || fail "no message about the window on stderr"
echo "ok: exit 1 after $elapsed_ms ms"
