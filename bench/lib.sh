# Sourced by the benchmarks: the vivar-sim a figure is taken of, a folder
# of the run's own, a display for the window, and the one timing loop that
# every wall-clock figure takes.
set -eu
bench_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

work=$(mktemp -d)
# A benchmark that leaves something the removal cannot take (a program
# still running, a Wine server) redefines this.
before_clean_up() { :; }
trap 'before_clean_up || true; rm -rf "$work"' EXIT

# The vivar-sim of a build folder, or a binary named as it is; the
# project's build folder by default.
sim_of() {  # [BUILD-DIR | VIVAR-SIM]
  local target=${1:-$bench_dir/../build}
  if [ -d "$target" ]; then echo "$target/vivar-sim"; else echo "$target"; fi
}

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# Nanoseconds one run of a command takes, its output thrown away; the
# command's status is returned.
elapsed_ns() {
  local start status=0
  start=$(date +%s%N)
  "$@" >/dev/null || status=$?
  echo $(( $(date +%s%N) - start ))
  return "$status"
}
# The smaller of two times, or the second alone when the first is empty.
least_of() { if [ -z "$1" ] || [ "$2" -lt "$1" ]; then echo "$2"; else echo "$1"; fi; }
# The best of three runs of a command, in nanoseconds: the run that other
# work on the machine slowed the least.
best_of_three_ns() {
  local best=""
  for _ in 1 2 3; do best=$(least_of "$best" "$(elapsed_ns "$@")"); done
  echo "$best"
}

# Without a display, the benchmark runs itself again under a virtual one of
# SCREEN (WIDTHxHEIGHTxDEPTH); exec skips the clean-up, so it is done first.
on_a_display() {  # SCREEN "$0" ARGUMENT...
  [ -z "${DISPLAY:-}" ] || return 0
  local screen=$1
  shift
  rm -rf "$work"
  exec xvfb-run -a -s "-screen 0 $screen" "$@"
}
# Qt wants a private runtime folder; a bare shell has none.
runtime_folder() {
  export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$work/runtime}
  mkdir -p "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
}

# A Wine prefix of the run's own, made before anything is timed; its server
# is stopped before the folder goes.
wine_prefix() {
  export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  before_clean_up() { wineserver -k 2>/dev/null; }
  wineboot --init >/dev/null 2>&1
}
