#!/usr/bin/env bash
# sanitizer_ctest.sh on made-up tests: one that fails once with exactly
# LeakSanitizer's tracer crash is run again and the run passes; one whose
# tracer crash comes back fails; a leak, undefined behaviour beside the
# crash, or a plain failure fails at once, without a second run.
#   sanitizer_ctest_check.sh SANITIZER_CTEST
source "$(dirname "$0")/lib.sh"
wrapper=$1

# A made-up test: prints what its kind says on its first run (or on every
# run for "always"), passes afterwards, and counts its runs in a file.
cat >"$work/fake.sh" <<'EOF'
#!/usr/bin/env bash
kind=$1 runs=$2
n=$(( $(cat "$runs" 2>/dev/null || echo 0) + 1 ))
echo "$n" >"$runs"
tracer_crash() {
  echo "Tracer caught signal 11: addr=0x0 pc=0x55d0c3b1a2b4 sp=0x7f6a1d3ffd10"
  echo "==4242==LeakSanitizer has encountered a fatal error."
  echo "==4242==HINT: For debugging, try setting environment variable LSAN_OPTIONS=verbosity=1:log_threads=1"
  echo "==4242==HINT: LeakSanitizer does not work under ptrace (strace, gdb, etc)"
}
[ "$n" -eq 1 ] || [ "$kind" = tracer-always ] || exit 0
case $kind in
  pass) exit 0 ;;
  tracer-once|tracer-always) tracer_crash >&2 ;;
  leak)
    echo "==4242==ERROR: LeakSanitizer: detected memory leaks" >&2
    echo "Direct leak of 24 byte(s) in 1 object(s) allocated from:" >&2
    echo "SUMMARY: AddressSanitizer: 24 byte(s) leaked in 1 allocation(s)." >&2 ;;
  tracer-and-ub)
    echo "model/board.cpp:12:5: runtime error: signed integer overflow" >&2
    tracer_crash >&2 ;;
  plain) echo "FAIL: the board is wrong" ;;
esac
exit 1
EOF
chmod +x "$work/fake.sh"

# Runs the wrapper over a folder of made-up tests, one per kind given;
# prints its exit status.
run_with() {  # NAME KIND...
  local dir=$work/$1 kind
  shift
  mkdir -p "$dir"
  for kind in "$@"; do
    echo "add_test($kind \"$work/fake.sh\" $kind \"$dir/$kind.runs\")"
  done >"$dir/CTestTestfile.cmake"
  "$wrapper" "$dir" --output-on-failure >"$dir/log" 2>&1
  echo $?
}
runs() { cat "$work/$1/$2.runs" 2>/dev/null || echo 0; }

[ "$(run_with once pass tracer-once)" -eq 0 ] || fail "a tracer crash once: the run failed"
[ "$(runs once tracer-once)" -eq 2 ] || fail "a tracer crash once: ran $(runs once tracer-once) times, not 2"
[ "$(runs once pass)" -eq 1 ] || fail "a passing test was run again"

[ "$(run_with again tracer-always)" -ne 0 ] || fail "a tracer crash twice: the run passed"
[ "$(runs again tracer-always)" -eq 2 ] || fail "a tracer crash twice: ran $(runs again tracer-always) times, not 2"

for kind in leak tracer-and-ub plain; do
  [ "$(run_with "$kind" "$kind")" -ne 0 ] || fail "$kind: the run passed"
  [ "$(runs "$kind" "$kind")" -eq 1 ] || fail "$kind: was run again"
done

# A real report anywhere keeps the tracer crash beside it from being run
# again.
[ "$(run_with mixed tracer-once leak)" -ne 0 ] || fail "a tracer crash beside a leak: the run passed"
[ "$(runs mixed tracer-once)" -eq 1 ] || fail "a tracer crash beside a leak was run again"

if [ "$failures" -ne 0 ]; then
  for log in "$work"/*/log; do echo "--- $log"; cat "$log"; done
  exit 1
fi
echo "ok"
