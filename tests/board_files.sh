#!/usr/bin/env bash
# Board files as a user of vivar-sim sees them: a run saved and resumed is
# the run that never stopped, a bad file is refused in one line that names
# it, and output that cannot be written is told in one line.
set -u
sim=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The lines of a trace after its K-th generation.
after_generation() {
  awk -v k="$1" 'done >= k; $0 == "model ----------------------------- a cambiar imagenes " { ++done }' "$2"
}

# A run of K + M generations against K generations saved and M resumed with
# the seed the saved file's comment gives, and no rules: the file has them.
# The same trace after generation K, the same counts from generation K on.
check_resume() {  # seed K M [--size RxC] [--rule NAME=VALUE]...
  local seed=$1 k=$2 m=$3
  shift 3
  "$sim" --seed "$seed" "$@" --generations "$k" --counts --save-board saved.txt >/dev/null || fail "the save exited $?"
  local next
  next=$(sed -n 's/^# vivar-sim --seed [0-9]*'"${*:+ $*}"', after generation [0-9]*: resume with --board saved.txt --seed //p' \
    saved.txt)
  [ "$next" = $(((seed + k) % 4294967296)) ] || fail "seed $seed $*, $k generations: the comment says --seed '$next'"
  "$sim" --seed "$seed" "$@" --generations $((k + m)) >whole.txt
  "$sim" --board saved.txt --seed "$next" --generations "$m" >resumed.txt
  after_generation "$k" whole.txt | cmp -s - resumed.txt ||
    fail "seed $seed $*: the trace resumed after generation $k differs from the whole run's"
  "$sim" --seed "$seed" "$@" --generations $((k + m)) --counts | tail -n +$((k + 2)) | cut -d, -f2- >whole.csv
  "$sim" --board saved.txt --seed "$next" --generations "$m" --counts | tail -n +2 | cut -d, -f2- >resumed.csv
  [ "$(wc -l <resumed.csv)" -eq $((m + 1)) ] || fail "seed $seed: $(wc -l <resumed.csv) resumed counts rows"
  cmp -s whole.csv resumed.csv || fail "seed $seed: the counts resumed after generation $k differ from the whole run's"
}

# Seed 5 keeps a busy board; after 40 generations cats are eating, lizards
# mating and eggs growing, so every timer is saved and read back.
check_resume 5 40 60
grep -q ' eat-turns [12]$' saved.txt && grep -q ' prey green$' saved.txt &&
  grep -q ' mating 1$' saved.txt && grep -q ' age [1-4]$' saved.txt ||
  fail "the board saved after generation 40 of seed 5 lacks a kind of timer, the check above proved little"
check_resume 5 13 30
# The seed to go on with wraps as the generator's 32-bit seed does.
check_resume 4294967290 10 20

# A board cut out as the run passes generation 137: the run prints what it
# prints without the cut, the board is the one a run of 137 generations
# ends with, and it resumes into the rest of the run.
"$sim" --seed 5 --generations 300 --counts >whole.csv
"$sim" --seed 5 --generations 300 --counts --save-board cut.txt --at 137 | cmp -s - whole.csv || fail "--at changed the counts"
"$sim" --seed 5 --generations 137 --counts --save-board end.txt >/dev/null
cmp -s <(grep -v '^#' cut.txt) <(grep -v '^#' end.txt) || fail "the board cut at 137 is not the one 137 generations end with"
grep -qx '# vivar-sim --seed 5, after generation 137: resume with --board cut.txt --seed 142' cut.txt ||
  fail "the cut board's comment: $(grep '^#' cut.txt)"
"$sim" --board cut.txt --seed 142 --generations 163 --counts | tail -n +2 | cut -d, -f2- >resumed.csv
cmp -s resumed.csv <(tail -n +139 whole.csv | cut -d, -f2-) || fail "the board cut at 137 does not resume the run"
"$sim" --seed 5 --generations 300 --summary --save-board summary.txt --at 137 >/dev/null
cmp -s <(grep -v '^#' summary.txt) <(grep -v '^#' end.txt) || fail "--summary cut another board at 137"

# Any size and rules: the file carries them, a larger one in version 2.
check_resume 5 40 60 --size 37x53 --rule meal=5
head -n 1 saved.txt | grep -qx 'vivar board 2' && grep -qx 'size 37x53' saved.txt && grep -qx 'rule meal=5' saved.txt ||
  fail "a 37x53 board with meal=5 was saved as $(head -n 1 saved.txt), without its size or rule"
[ "$(awk '$0 == "kinds" { on = 1; next } $0 == "headings" { exit } on' saved.txt | awk '{ print length }' | sort -u)" = 37 ] &&
  [ "$(awk '$0 == "kinds" { on = 1; next } $0 == "headings" { exit } on { n++ } END { print n }' saved.txt)" = 53 ] ||
  fail "a 37x53 board is not drawn as 53 lines of 37 characters"
grep -q ' eat-turns [34]$' saved.txt || fail "no meal of 5 visits under way after generation 40, the check above proved little"
cp saved.txt rules.txt
# A board's rules are the run's; the command line may repeat them, not
# contradict them.
"$sim" --board rules.txt --seed 45 --size 37x53 --rule meal=5 --rule fill=60:15:15:10 --generations 5 --counts \
  >agreed.csv || fail "--board with the rules it has exited $?"
cmp -s agreed.csv <("$sim" --board rules.txt --seed 45 --generations 5 --counts) ||
  fail "--board with the rules it has runs otherwise than without them"
check_contradicted() {  # expected-line option...
  local expected=$1
  shift
  out=$("$sim" --board rules.txt --generations 1 --counts "$@" 2>err)
  status=$?
  [ "$status" -eq 2 ] && [ -z "$out" ] && [ "$(cat err)" = "$expected" ] ||
    fail "--board rules.txt $*: status $status, said '$(cat err)', not '$expected'"
}
check_contradicted "vivar-sim: rules.txt: the board is 37x53, not 20x20 as --size says" --size 20x20
check_contradicted "vivar-sim: rules.txt: the board is 37x53, not 53x37 as --size says" --size 53x37
check_contradicted "vivar-sim: rules.txt: the board's meal is 5, not 3 as --rule says" --rule meal=3
check_contradicted "vivar-sim: rules.txt: the board's hatch is 5, not 2 as --rule says" --rule hatch=2

# Every seed of a sweep starts from the same board: row for row, the single
# runs from it with their seed in front.
"$sim" --seed 5 --generations 40 --counts --save-board start.txt >/dev/null
"$sim" --seeds 7:9 --jobs 2 --board start.txt --generations 25 --counts >sweep.csv || fail "the sweep exited $?"
{
  echo "size,hatch,mating,meal,fill,seed,generation,empty,lizard1,lizard2,egg1,egg2,cat"
  for seed in 7 8 9; do
    "$sim" --board start.txt --seed "$seed" --generations 25 --counts | tail -n +2 \
      | sed "s/^/20x20,5,3,3,60:15:15:10,$seed,/"
  done
} >singles.csv
cmp -s sweep.csv singles.csv || fail "--seeds 7:9 --board differs from the single runs from the board"
[ "$(grep -c ',0,145,95,73,32,17,38$' sweep.csv)" -eq 3 ] || fail "the sweep's seeds did not all start from the board"
[ "$("$sim" --board start.txt --seed 8 --generations 25 --summary | tail -n 1)" = \
  "$("$sim" --seeds 7:9 --board start.txt --generations 25 --summary | sed -n 3p)" ] ||
  fail "--summary from a board differs from its row in the sweep"

# A standard board is one too.
check_contradicted "vivar-sim: start.txt: the board is 20x20, not 37x53 as --size says" --board start.txt --size 37x53

# Windows line ends are read as they are meant.
sed 's/$/\r/' start.txt >windows.txt
[ "$("$sim" --board windows.txt --seed 1 --generations 5 --counts)" = \
  "$("$sim" --board start.txt --seed 1 --generations 5 --counts)" ] || fail "a board with Windows line ends"

# A bad board file: exit 2, nothing on stdout, one line on stderr that names
# the file and, where there is one, the line.
check_refused() {  # file line-or-empty
  local file=$1 where="vivar-sim: $1: "
  [ -n "$2" ] && where="vivar-sim: $1:$2: "
  out=$("$sim" --board "$file" --generations 1 --counts 2>err)
  status=$?
  [ "$status" -eq 2 ] || fail "--board $file exited $status"
  [ -z "$out" ] || fail "--board $file wrote to stdout"
  [ "$(wc -l <err)" -eq 1 ] || fail "--board $file wrote $(wc -l <err) lines to stderr"
  [ "${where}" = "$(head -c ${#where} err)" ] || fail "--board $file: $(cat err), not '$where...'"
}
printf 'P3\n2 2\n' >picture.ppm && check_refused picture.ppm 1
sed '1s/1$/3/' start.txt >later.txt && check_refused later.txt 1
sed '5s/.$//' start.txt >short_row.txt && check_refused short_row.txt 5
sed '7s/^./x/' start.txt >unknown_kind.txt && check_refused unknown_kind.txt 7
sed '30s/^./0/' start.txt >heading_0.txt && check_refused heading_0.txt 30
sed '50d' start.txt >missing_row.txt && check_refused missing_row.txt 65
sed '/^timers$/d' start.txt >no_timers.txt && check_refused no_timers.txt 66
sed '/^end$/d' start.txt >no_end.txt && check_refused no_end.txt "$(wc -l <no_end.txt)"
# The timer lines start at 67, the first after the comment and "timers".
timer=$(sed -n 68p start.txt)
sed "68s/ [^ ]*\$/ 9/" start.txt >out_of_range.txt && check_refused out_of_range.txt 68
sed "68s/.*/&\n&/" start.txt >twice.txt && check_refused twice.txt 69
cat_square=$(awk 'NR >= 4 && NR <= 23 { c = index($0, "C"); if (c) { print NR - 3, c; exit } }' start.txt)
sed "68s/.*/$cat_square age 1/" start.txt >cat_age.txt && check_refused cat_age.txt 68
[ -n "$timer" ] && [ -n "$cat_square" ] || fail "the saved board has no timers or no cat"
: >empty.txt && check_refused empty.txt ""
printf 'vivar board 1\n\0\n' >binary.txt && check_refused binary.txt ""
{ cat start.txt; head -c 1100000 /dev/zero | tr '\0' '#'; } >large.txt && check_refused large.txt ""
check_refused missing.txt ""
mkdir folder && check_refused folder ""

# Output that cannot be written: exit 1 and one line naming it and why.
check_unwritable() {  # what expected-line command...
  local what=$1 expected=$2
  shift 2
  "$@" >/dev/null 2>err
  status=$?
  [ "$status" -eq 1 ] || fail "$what exited $status"
  [ "$(cat err)" = "$expected" ] || fail "$what said '$(cat err)', not '$expected'"
}
full='vivar-sim: standard output: No space left on device'
check_unwritable "the trace on a full disk" "$full" sh -c '"$0" --seed 5 --generations 3 >/dev/full' "$sim"
check_unwritable "counts on a full disk" "$full" sh -c '"$0" --seed 5 --generations 3 --counts >/dev/full' "$sim"
check_unwritable "a sweep on a full disk" "$full" sh -c '"$0" --seeds 1:4 --counts >/dev/full' "$sim"
check_unwritable "a board into a missing folder" "vivar-sim: nowhere/b.txt: No such file or directory" \
  "$sim" --seed 5 --generations 1 --counts --save-board nowhere/b.txt
[ ! -e nowhere ] || fail "a save into a missing folder made it"
check_unwritable "a board over a folder" "vivar-sim: folder: Is a directory" \
  "$sim" --seed 5 --generations 1 --counts --save-board folder
check_unwritable "a board on a full disk" "vivar-sim: /dev/full: No space left on device" \
  "$sim" --seed 5 --generations 1 --counts --save-board /dev/full
[ -c /dev/full ] || fail "a save to /dev/full replaced the device"
# A board that outgrows the largest file allowed fails half written: the
# file it was to replace stays as it was.
cp start.txt kept.txt
check_unwritable "a board larger than allowed" "vivar-sim: kept.txt: File too large" \
  sh -c 'ulimit -f 2; trap "" XFSZ; exec "$0" --seed 6 --generations 1 --counts --save-board kept.txt' "$sim"
cmp -s start.txt kept.txt || fail "a failed save damaged the file it was to replace"
leftovers=$(ls -A | grep -c '\.tmp-')
[ "$leftovers" -eq 0 ] || fail "failed saves left $leftovers temporary files"

# A save keeps the permissions of the file it replaces, and its text is on
# the disk before the rename puts it in the old file's place (seen by
# strace, where the machine has it and lets it trace).
cp start.txt private.txt && chmod 640 private.txt
"$sim" --seed 6 --generations 1 --counts --save-board private.txt >/dev/null || fail "the save over private.txt exited $?"
[ "$(stat -c %a private.txt)" = 640 ] || fail "a save over a file of mode 640 left mode $(stat -c %a private.txt)"
cmp -s start.txt private.txt && fail "the save over private.txt wrote nothing new"
if command -v strace >/dev/null && strace -o /dev/null true 2>/dev/null; then
  strace -f -o calls.txt -e trace=openat,fsync,fdatasync,rename,renameat,renameat2 \
    "$sim" --seed 7 --generations 1 --counts --save-board private.txt >/dev/null
  awk '/openat\(.*"private\.txt\.tmp-[^"]*".*O_EXCL/ { match($0, /"[^"]*"/); new = substr($0, RSTART, RLENGTH); fd = $NF }
       fd != "" && $0 ~ "f(data)?sync\\(" fd "\\) += 0" { synced = 1 }
       /rename(at2?)?\(/ && new != "" && index($0, new) && index($0, "\"private.txt\"") { renamed = synced; exit }
       END { exit !renamed }' calls.txt ||
    fail "the save's new file was not made exclusively and synced before the rename: $(grep private calls.txt)"
else
  echo "strace cannot run here: the order of sync and rename is not checked"
fi

# A reader that has gone ends the run without a word, whether SIGPIPE ends
# it or the write fails.
"$sim" --seed 5 --generations 100 2>err | head -n 1 >/dev/null
[ ! -s err ] || fail "a closed pipe was told: $(cat err)"
(trap '' PIPE && "$sim" --seed 5 --generations 100 2>err | head -n 1 >/dev/null)
[ ! -s err ] || fail "a closed pipe, with SIGPIPE ignored, was told: $(cat err)"

out=$("$sim" --seeds 1:3 --counts --save-board x.txt 2>err)
[ $? -eq 2 ] && [ -z "$out" ] && [ "$(wc -l <err)" -eq 1 ] && [ ! -e x.txt ] || fail "--save-board with --seeds"
out=$("$sim" --seed 5 --generations 10 --counts --save-board x.txt --at 11 2>err)
[ $? -eq 2 ] && [ -z "$out" ] && [ "$(wc -l <err)" -eq 1 ] && [ ! -e x.txt ] || fail "--at after the last generation"
"$sim" --help | grep -q -- '--save-board FILE' || fail "--help"

[ "$failures" -eq 0 ] && echo "ok" || exit 1
