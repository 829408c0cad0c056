#!/usr/bin/env bash
# Runs ctest in a sanitizer build. Now and then LeakSanitizer's own tracer
# crashes at a process's exit ("Tracer caught signal 11", then "LeakSanitizer
# has encountered a fatal error") without having found anything: a fault of
# LeakSanitizer's (google/sanitizers issue 1353), not of the test. When every
# failed test failed with exactly that and no sanitizer report, those tests
# run once more, and the run stands or falls by that second run. A report of
# any sanitizer (a leak, an error, a race, undefined behaviour), any other
# failure, or the crash again, fails.
#   sanitizer_ctest.sh BUILD-DIR [CTEST-OPTION]...
set -u
dir=$1
shift
cd "$dir" || exit 2
failed_list=Testing/Temporary/LastTestsFailed.log
rm -f "$failed_list"
ctest "$@" && exit 0
status=$?
[ -s "$failed_list" ] || exit "$status"

# A test's output as ctest logged it.
output_of() {
  awk -v name="$1" '
    $0 ~ /^[0-9]+\/[0-9]+ Test: / && substr($0, index($0, "Test: ") + 6) == name { inside = 1; next }
    inside && $0 == "<end of output>" { exit }
    inside { print }' Testing/Temporary/LastTest.log
}
tracer_crash_alone() {
  local output
  output=$(output_of "$1")
  grep -q -F 'Tracer caught signal' <<<"$output" &&
    grep -q -F 'LeakSanitizer has encountered a fatal error' <<<"$output" &&
    ! grep -q -E 'Sanitizer:|runtime error:|\[  FAILED  \]' <<<"$output"
}

crashes=()
while IFS= read -r line; do
  name=${line#*:}
  if tracer_crash_alone "$name"; then
    crashes+=("$name")
  else
    echo "== $name failed for itself, not for LeakSanitizer's tracer" >&2
    exit "$status"
  fi
done <"$failed_list"

echo "== LeakSanitizer's tracer crashed at exit, with no report, in: ${crashes[*]}"
echo "== (google/sanitizers issue 1353); running those once more"
ctest "$@" --rerun-failed
