#!/usr/bin/env bash
# Damaged board files never crash or hang vivar-sim: each is run, or refused
# with status 2 and one line naming it. The files come from a fixed seed, so
# a failure comes back the same; the failing files are kept to look at.
#   board_fuzz.sh VIVAR-SIM BOARD-MUTATIONS COUNT
source "$(dirname "$0")/lib.sh"
sim=$(realpath "$1")
mutations=$(realpath "$2")
count=$3
seed=${VIVAR_FUZZ_SEED:-1}
kept=$PWD/board_fuzz_failures
# A leak check at each of thousands of exits would take most of the time;
# the other tests check the same paths for leaks.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

# The boards' comments name the files as they were given: the same names in
# every run give the same damaged files. One board is the standard one, of
# the first version; the other has a size and rules of its own.
cd "$work" || exit 1
"$sim" --seed 5 --generations 40 --counts --save-board board.txt >/dev/null || exit 1
"$sim" --seed 5 --generations 40 --counts --size 9x13 --rule hatch=2 --rule meal=5 --rule fill=40:20:20:20 \
  --save-board rules.txt >/dev/null || exit 1
mkdir boards
"$mutations" "$seed" "$count" boards board.txt rules.txt || exit 1

# A line per file: its status, whether it wrote no line on stderr, one or
# more (0, 1, 2), its name, and the first of those lines.
cd boards || exit 1
printf '%s\n' [0-9]*.txt | xargs -P "$(nproc)" -n 25 sh -c '
  for board; do
    timeout -k 5 30 "$0" --board "$board" --generations 1 --counts >/dev/null 2>"$board.err"
    status=$?
    lines=0
    first=
    second=
    if [ -s "$board.err" ]; then
      lines=1
      { read -r first; if read -r second || [ -n "$second" ]; then lines=2; fi; } <"$board.err"
    fi
    printf "%s %s %s %s\n" "$status" "$lines" "$board" "$first"
  done' "$sim" >"$work/results"

awk '
  !(($1 == 0 && $2 == 0) || ($1 == 2 && $2 == 1 && $4 == "vivar-sim:" && index($5, $3 ":") == 1)) {
    first = $0
    sub(/^[^ ]* [^ ]* [^ ]* ?/, "", first)
    print $3, "status " $1 ", " ($2 == 0 ? "nothing" : $2 == 1 ? "one line" : "two lines or more") " on stderr: " first
  }
' "$work/results" >"$work/failures"
refused=$(awk '$1 == 2' "$work/results" | wc -l)
ran=$(awk '$1 == 0' "$work/results" | wc -l)
echo "$count damaged boards: $ran ran, $refused refused"
if [ -s "$work/failures" ]; then
  mkdir -p "$kept"
  while read -r board what; do
    echo "FAIL: $board: $what"
    cp "$board" "$kept/"
  done <"$work/failures"
  echo "the failing files are in $kept; all of them come again from"
  echo "  vivar-sim --seed 5 --generations 40 --save-board board.txt"
  echo "  vivar-sim --seed 5 --generations 40 --size 9x13 --rule hatch=2 --rule meal=5 --rule fill=40:20:20:20 \\"
  echo "    --save-board rules.txt"
  echo "  board_mutations $seed $count FOLDER board.txt rules.txt"
  exit 1
fi
# Mutations that only ever broke the version line, or never did, would
# prove little.
if [ "$ran" -eq 0 ] || [ "$refused" -lt $((count / 2)) ] || [ $((ran + refused)) -ne "$count" ]; then
  echo "FAIL: $ran ran and $refused were refused of $count"
  exit 1
fi
echo "ok"
