#!/usr/bin/env bash
# The headless driver's contract, as a user of it sees it.
source "$(dirname "$0")/lib.sh"
sim=$1
golden=$2

# The trace of a seeded run never changes unless the rules do.
if ! "$sim" --seed 12345 --generations 3 | cmp -s - "$golden"; then
  fail "trace of --seed 12345 --generations 3 differs from $golden"
fi

# Counts: a header, generation 0 and one line per generation, each summing
# to the 400 squares.
counts=$("$sim" --seed 777 --generations 25 --counts)
[ "$(head -n 1 <<<"$counts")" = "generation,empty,lizard1,lizard2,egg1,egg2,cat" ] || fail "counts header"
[ "$(wc -l <<<"$counts")" -eq 27 ] || fail "counts has $(wc -l <<<"$counts") lines"
bad=$(tail -n +2 <<<"$counts" | awk -F, '{ if ($2+$3+$4+$5+$6+$7 != 400 || $1 != NR-1) print }')
[ -z "$bad" ] || fail "counts lines that do not add up: $bad"
# Generation 0 matches the board the trace's fill shows.
fill_cats=$("$sim" --seed 777 --generations 0 | grep -c '^especie = 3$')
[ "$(sed -n 2p <<<"$counts" | cut -d, -f7)" = "$fill_cats" ] || fail "generation 0 cats differ from the fill"
# The same seed gives the same counts.
[ "$counts" = "$("$sim" --generations 25 --counts --seed 777)" ] || fail "options in another order changed the run"

# Default: 100 generations.
[ "$("$sim" --seed 5 --counts | wc -l)" -eq 102 ] || fail "default generation count"
[ "$("$sim" --seed 5 --generations 2 | grep -c '^model ----------------------------- a cambiar imagenes $')" -eq 2 ] \
  || fail "one hand-off line per generation"

"$sim" --help | grep -q -- '--generations' || fail "--help"

# Bad input: one line on stderr, exit 2, nothing on stdout.
for args in "--seed" "--seed -1" "--seed 4294967296" "--seed abc" "--generations 1.5" "--generations -3" "--frobnicate" \
            "--generations 99999999999999999999999" "--seed 12x"; do
  refused_in_one_line "$args" "$sim"
done

end_checks
