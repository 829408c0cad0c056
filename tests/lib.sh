# Sourced by the test scripts: what every one of them sets up. A folder of
# the test's own that goes when the script ends, checks that go on after a
# failure and the end that sums them up, and waiting without a wall-clock
# guess. Only unset variables stop a script: a check is a line of its own
# that says what went wrong, not a silent exit in the middle.
set -u
tests_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
tools=$(dirname "$tests_dir")/tools

work=$(mktemp -d)
# A script that leaves something the removal cannot take (a program still
# running, a folder made read-only) redefines this.
before_clean_up() { :; }
trap 'before_clean_up || true; rm -rf "$work"' EXIT

# Checks that go on after a failure, and the end that sums them up (with
# the script's own words for success, "ok" unless it gives some); die for
# one after which nothing more can be checked, with the program's stderr
# when $err holds it. A script may define its own.
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
die() { echo "FAIL: $*"; [ -f "${err:-}" ] && { echo "--- stderr"; cat "$err"; }; exit 1; }
end_checks() { [ "$failures" -eq 0 ] && echo "${1:-ok}" || exit 1; }

# A mistake on the command line refused: status 2, nothing on standard
# output and one line on stderr. ARGS is split into words as the shell
# splits them.
refused_in_one_line() {  # ARGS COMMAND...
  local args=$1 out status
  shift
  out=$("$@" $args 2>"$work/err")
  status=$?
  [ "$status" -eq 2 ] || fail "'$args' exited $status"
  [ -z "$out" ] || fail "'$args' wrote to stdout"
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "'$args' wrote $(wc -l <"$work/err") lines to stderr: $(cat "$work/err")"
}

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# Waits until a command succeeds. The seconds given are what an idle machine
# may need; a sanitizer build on a loaded one can need several times that,
# so the wait gives up only after ten times as long, and only what never
# comes fails.
wait_for() {
  local seconds=$1; shift
  local deadline=$(( $(now_ms) + seconds * 10000 ))
  until "$@"; do
    [ "$(now_ms)" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}
