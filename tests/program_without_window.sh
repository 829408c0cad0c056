#!/usr/bin/env bash
# With no display the program prints its start-up lines, says why it cannot
# show a window, and fails instead of hanging. How long it took is printed,
# a figure for benchmarks: a sanitizer build on a loaded machine is slow, and
# only a program still there after a minute fails.
source "$(dirname "$0")/lib.sh"
program=$1
out=$work/out err=$work/err
start=$(date +%s%N)
timeout 60 "$program" >"$out" 2>"$err"
status=$?
elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
die() { echo "FAIL: $*"; echo "--- stdout"; cat "$out"; echo "--- stderr"; cat "$err"; exit 1; }
[ "$status" -ne 124 ] || die "still running a minute later"
[ "$status" -eq 1 ] || die "exit status $status, expected 1"
head -n 1 "$out" | grep -qx 'view creada' || die "no start-up line"
grep -qx 'vista valore de corre = 0' "$out" || die "no runFlag line"
grep -q 'window' "$err" || die "no message about the window on stderr"
echo "ok: exit 1 after $elapsed_ms ms"
