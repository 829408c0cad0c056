#!/usr/bin/env bash
# Board files as a user of vivar-sim sees them: a run saved and continued is
# the run that never stopped, a bad file is refused in one line that names
# it, and output that cannot be written is told in one line.
source "$(dirname "$0")/lib.sh"
sim=$(realpath "$1")
cd "$work" || exit 1

# The lines of a trace after its K-th generation.
after_generation() {
  awk -v k="$1" 'done >= k; $0 == "model ----------------------------- a cambiar imagenes " { ++done }' "$2"
}

# A run of K + M generations against K generations saved and M continued
# with no seed or rules: the file has them, and its generation. The same
# trace after generation K, the same counts rows from generation K on.
check_continue() {  # seed K M [--size WxH] [--rule NAME=VALUE]...
  local seed=$1 k=$2 m=$3
  shift 3
  "$sim" --seed "$seed" "$@" --generations "$k" --counts --save-board saved.txt >/dev/null || fail "the save exited $?"
  grep -qx "# vivar-sim --seed $seed${*:+ $*}, after generation $k: continue with vivar-sim --board saved.txt" saved.txt &&
    grep -qx "generation $k" saved.txt && grep -qx "seed $seed" saved.txt ||
    fail "seed $seed $*, $k generations: saved as $(grep -v -E '^[.BbGgCE]+$|^[0-9 ]' saved.txt | head -n 6 | tr '\n' '|')"
  "$sim" --seed "$seed" "$@" --generations $((k + m)) >whole.txt
  "$sim" --board saved.txt --generations "$m" >continued.txt
  after_generation "$k" whole.txt | cmp -s - continued.txt ||
    fail "seed $seed $*: the trace continued after generation $k differs from the whole run's"
  "$sim" --seed "$seed" "$@" --generations $((k + m)) --counts | sed -e 1b -e "2,$((k + 1))d" >whole.csv
  "$sim" --board saved.txt --generations "$m" --counts >continued.csv
  [ "$(sed -n 2p continued.csv)" = "$k,$(sed -n 2p whole.csv | cut -d, -f2-)" ] || fail "seed $seed: the first row is not $k's"
  cmp -s whole.csv continued.csv || fail "seed $seed: the counts continued after generation $k differ from the whole run's"
}

# Seed 5 keeps a busy board; after 80 generations cats are eating, lizards
# mating and eggs growing, so every timer is saved and read back.
check_continue 5 80 40
grep -q ' eat-turns [12]$' saved.txt && grep -q ' prey green$' saved.txt &&
  grep -q ' mating 1$' saved.txt && grep -q ' age [1-4]$' saved.txt ||
  fail "the board saved after generation 80 of seed 5 lacks a kind of timer, the check above proved little"
# A whole run's summary is the continued one's, extinctions and all.
[ "$("$sim" --board saved.txt --generations 40 --summary)" = "$("$sim" --seed 5 --generations 120 --summary)" ] ||
  fail "the summary continued from generation 80 differs from the whole run's"
# A typed seed wins over the file's: generation k seeded with it + k.
sed 's/^seed 5$/seed 9/' saved.txt >seed9.txt
"$sim" --board saved.txt --seed 9 --generations 20 --counts >typed.csv
cmp -s typed.csv <("$sim" --board seed9.txt --generations 20 --counts) || fail "--seed 9 did not win over the file's seed"
cmp -s typed.csv <("$sim" --board saved.txt --generations 20 --counts) && fail "--seed 9 ran as the file's seed 5"
check_continue 5 13 30
# Seeds wrap as the generator's 32-bit seed does.
check_continue 4294967290 10 20

# Seeds recorded for the generations after the board come first, one a
# generation, then the file's seed + k: here 3 generations seeded 46 to 48
# as seed 5's were, then 1000 + k, as a board saved after 43 and given
# seed 1000 goes on.
"$sim" --seed 5 --generations 40 --save-board recorded.txt >/dev/null
sed -i 's/^seed 5$/seed 1000\nnext-seeds 3\n46 47\n48/' recorded.txt
"$sim" --board recorded.txt --generations 10 --save-board left.txt --at 41 >recorded-trace.txt
grep -qx 'next-seeds 2' left.txt && grep -qx '47 48' left.txt && grep -qx 'seed 1000' left.txt ||
  fail "the board saved at 41 does not keep the 2 recorded seeds left: $(grep -A 1 next-seeds left.txt)"
"$sim" --seed 5 --generations 43 --save-board at43.txt >seeded-trace.txt
sed -i 's/^seed 5$/seed 1000/' at43.txt
"$sim" --board at43.txt --generations 7 >>seeded-trace.txt
after_generation 40 seeded-trace.txt | cmp -s - recorded-trace.txt ||
  fail "a board with next seeds did not take them, then its seed + k"
"$sim" --seed 5 --generations 50 >seed5.txt
"$sim" --board recorded.txt --seed 5 --generations 10 | cmp -s - <(after_generation 40 seed5.txt) ||
  fail "--seed 5 did not win over the recorded seeds"

# An old file, with no place, starts at generation 0: --seed S + K resumes
# a run saved after K generations of seed S, as it always did.
sed -e '1s/3$/1/' -e '/^size /d' -e '/^generation /d' -e '/^seed /d' at43.txt >old.txt
"$sim" --board old.txt --seed 48 --generations 7 | cmp -s - <(after_generation 43 seed5.txt) ||
  fail "an old board file did not resume as it always did"
[ "$("$sim" --board old.txt --seed 48 --generations 2 --counts | cut -d, -f1 | tr '\n' ' ')" = "generation 0 1 2 " ] ||
  fail "an old board file's counts do not start at generation 0"

# A board cut out as the run passes generation 137: the run prints what it
# prints without the cut, the board is the one a run of 137 generations
# ends with, and it resumes into the rest of the run.
"$sim" --seed 5 --generations 300 --counts >whole.csv
"$sim" --seed 5 --generations 300 --counts --save-board cut.txt --at 137 | cmp -s - whole.csv || fail "--at changed the counts"
"$sim" --seed 5 --generations 137 --counts --save-board end.txt >/dev/null
cmp -s <(grep -v '^#' cut.txt) <(grep -v '^#' end.txt) || fail "the board cut at 137 is not the one 137 generations end with"
grep -qx '# vivar-sim --seed 5, after generation 137: continue with vivar-sim --board cut.txt' cut.txt ||
  fail "the cut board's comment: $(grep '^#' cut.txt)"
"$sim" --board cut.txt --generations 163 --counts | cmp -s - <(sed 2,138d whole.csv) ||
  fail "the board cut at 137 does not continue the run"
# From a board, --at names a generation of the whole run, from the board's on.
"$sim" --board cut.txt --generations 20 --counts --save-board cut150.txt --at 150 >/dev/null
"$sim" --seed 5 --generations 150 --counts --save-board end150.txt >/dev/null
cmp -s <(grep -v '^#' cut150.txt) <(grep -v '^#' end150.txt) || fail "--at 150 from the board of 137 cut another board"
for at in 136 158; do
  out=$("$sim" --board cut.txt --generations 20 --save-board x.txt --at $at 2>err)
  [ $? -eq 2 ] && [ -z "$out" ] && [ "$(wc -l <err)" -eq 1 ] && [ ! -e x.txt ] || fail "--at $at from the board of 137"
done
"$sim" --seed 5 --generations 300 --summary --save-board summary.txt --at 137 >/dev/null
cmp -s <(grep -v '^#' summary.txt) <(grep -v '^#' end.txt) || fail "--summary cut another board at 137"

# Any size and rules: the file carries them, before its place.
check_continue 5 40 60 --size 37x53 --rule meal=5
head -n 1 saved.txt | grep -qx 'vivar board 3' && grep -qx 'size 37x53' saved.txt && grep -qx 'rule meal=5' saved.txt ||
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
[ "$(grep -c ',40,145,95,73,32,17,38$' sweep.csv)" -eq 3 ] || fail "the sweep's seeds did not all start from the board"
[ "$(tail -n 1 sweep.csv | cut -d, -f6,7)" = 9,65 ] || fail "the sweep from generation 40 ends at $(tail -n 1 sweep.csv)"
[ "$("$sim" --board start.txt --seed 8 --generations 25 --summary | tail -n 1)" = \
  "$("$sim" --seeds 7:9 --board start.txt --generations 25 --summary | sed -n 3p)" ] ||
  fail "--summary from a board differs from its row in the sweep"

# The last generation that can be counted is reached, and not passed.
sed 's/^generation 40$/generation 9223372036854775806/' start.txt >last.txt
[ "$(timeout 60 "$sim" --board last.txt --generations 1 --counts | tail -n 1 | cut -d, -f1)" = 9223372036854775807 ] ||
  fail "a board of generation 9223372036854775806 did not run to the last generation"
out=$(timeout 60 "$sim" --board last.txt --generations 2 --counts 2>err)
[ $? -eq 2 ] && [ -z "$out" ] && [ "$(wc -l <err)" -eq 1 ] || fail "a run past the last generation: $(cat err)"

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
# The checks count lines in a file of the first version.
sed -e '1s/3$/1/' -e '/^size /d' -e '/^generation /d' -e '/^seed /d' start.txt >first.txt
printf 'P3\n2 2\n' >picture.ppm && check_refused picture.ppm 1
sed '1s/1$/4/' first.txt >later.txt && check_refused later.txt 1
sed '5s/.$//' first.txt >short_row.txt && check_refused short_row.txt 5
sed '7s/^./x/' first.txt >unknown_kind.txt && check_refused unknown_kind.txt 7
sed '30s/^./0/' first.txt >heading_0.txt && check_refused heading_0.txt 30
sed '50d' first.txt >missing_row.txt && check_refused missing_row.txt 65
sed '/^timers$/d' first.txt >no_timers.txt && check_refused no_timers.txt 66
sed '/^end$/d' first.txt >no_end.txt && check_refused no_end.txt "$(wc -l <no_end.txt)"
# The timer lines start at 67, the first after the comment and "timers".
timer=$(sed -n 68p first.txt)
sed "68s/ [^ ]*\$/ 9/" first.txt >out_of_range.txt && check_refused out_of_range.txt 68
sed "68s/.*/&\n&/" first.txt >twice.txt && check_refused twice.txt 69
cat_square=$(awk 'NR >= 4 && NR <= 23 { c = index($0, "C"); if (c) { print NR - 3, c; exit } }' first.txt)
sed "68s/.*/$cat_square age 1/" first.txt >cat_age.txt && check_refused cat_age.txt 68
[ -n "$timer" ] && [ -n "$cat_square" ] || fail "the saved board has no timers or no cat"
: >empty.txt && check_refused empty.txt ""
printf 'vivar board 1\n\0\n' >binary.txt && check_refused binary.txt ""
{ cat first.txt; head -c 1100000 /dev/zero | tr '\0' '#'; } >large.txt && check_refused large.txt ""
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
# A full disk: a device of the test's own that is always full.
mknod full c 1 7 || fail "no device node could be made for a full disk"
full='vivar-sim: standard output: No space left on device'
check_unwritable "the trace on a full disk" "$full" sh -c '"$0" --seed 5 --generations 3 >full' "$sim"
check_unwritable "counts on a full disk" "$full" sh -c '"$0" --seed 5 --generations 3 --counts >full' "$sim"
check_unwritable "a sweep on a full disk" "$full" sh -c '"$0" --seeds 1:4 --counts >full' "$sim"
check_unwritable "a board into a missing folder" "vivar-sim: nowhere/b.txt: No such file or directory" \
  "$sim" --seed 5 --generations 1 --counts --save-board nowhere/b.txt
[ ! -e nowhere ] || fail "a save into a missing folder made it"
check_unwritable "a board over a folder" "vivar-sim: folder: Is a directory" \
  "$sim" --seed 5 --generations 1 --counts --save-board folder
check_unwritable "a board on a full disk" "vivar-sim: full: No space left on device" \
  "$sim" --seed 5 --generations 1 --counts --save-board full
[ -c full ] || fail "a save to a full disk's device replaced the device"
# A table to go on with is read back: a device or a FIFO is refused, as it was.
mkfifo fifo
"$sim" --seeds 1:2 --generations 1 --counts --resume fifo 2>err
[ $? -eq 2 ] && [ "$(cat err)" = "vivar-sim: fifo: a FIFO, not a file: this is written only to a file" ] ||
  fail "--resume of a FIFO: $(cat err)"
[ -p fifo ] || fail "--resume replaced a FIFO"
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
# A save through a symbolic link replaces the file it leads to, keeping its
# mode, and leaves the link a link: a relative link, which leads from its
# own folder, a chain of links, and a dangling link, whose file it makes.
mkdir boards links
cp start.txt boards/b.txt && chmod 640 boards/b.txt
ln -s ../boards/b.txt links/b.txt
ln -s links/b.txt chain.txt
ln -s boards/new.txt dangling.txt
"$sim" --seed 6 --generations 1 --save-board links/b.txt >/dev/null || fail "the save through links/b.txt exited $?"
[ "$(readlink links/b.txt)" = ../boards/b.txt ] || fail "the save through links/b.txt replaced the link"
[ "$(stat -c %a boards/b.txt)" = 640 ] && grep -qx 'seed 6' boards/b.txt ||
  fail "the save through links/b.txt left boards/b.txt of mode $(stat -c %a boards/b.txt) with $(grep '^seed' boards/b.txt)"
"$sim" --seed 7 --generations 1 --save-board chain.txt >/dev/null || fail "the save through chain.txt exited $?"
[ -L chain.txt ] && grep -qx 'seed 7' boards/b.txt || fail "the save through a chain of links"
"$sim" --seed 8 --generations 1 --save-board dangling.txt >/dev/null || fail "the save through dangling.txt exited $?"
[ -L dangling.txt ] && grep -qx 'seed 8' boards/new.txt || fail "the save through a dangling link made no file"
ln -s loop2.txt loop1.txt && ln -s loop1.txt loop2.txt
check_unwritable "a board into a loop of links" "vivar-sim: loop1.txt: Too many levels of symbolic links" \
  "$sim" --seed 5 --generations 1 --counts --save-board loop1.txt
[ "$(ls -A boards links | grep -c '\.tmp-')" -eq 0 ] || fail "saves through links left temporary files"

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

# A name beyond ASCII, which a board file cannot hold: the comment says FILE
# and why, in ASCII, and the command it gives goes on with the board; the
# file named so is read as any other.
"$sim" --seed 5 --generations 7 --save-board ñandú.vivar >/dev/null || fail "saving ñandú.vivar exited $?"
grep -qx '# vivar-sim --seed 5, after generation 7: continue with vivar-sim --board FILE (FILE is this file, whose name is not ASCII)' ñandú.vivar ||
  fail "ñandú.vivar's comment: $(head -n 2 ñandú.vivar | tr '\n' '|')"
! LC_ALL=C grep -q -P '[^\t\r\n -~]' ñandú.vivar || fail "ñandú.vivar holds a character beyond ASCII"
"$sim" --seed 5 --generations 10 >whole.txt
"$sim" --board ñandú.vivar --generations 3 >continued.txt
after_generation 7 whole.txt | cmp -s - continued.txt || fail "ñandú.vivar does not go on as the run did"

# A UTF-8 text is told by its first character beyond ASCII and its line, in
# the language asked for; bytes that are no text keep the old line.
printf '# a board\nvivar board 1\n# café\n' >readme.txt
out=$("$sim" --board readme.txt 2>err)
[ $? -eq 2 ] && [ -z "$out" ] &&
  [ "$(cat err)" = "vivar-sim: readme.txt:3: 'é' (U+00E9) is not ASCII: board files are plain ASCII text" ] ||
  fail "a UTF-8 text: $(cat err)"
"$sim" --language es --board readme.txt 2>err
[ "$(cat err)" = "vivar-sim: readme.txt:3: 'é' (U+00E9) no es ASCII: los archivos de tablero son solo texto ASCII" ] ||
  fail "a UTF-8 text in Spanish: $(cat err)"
printf 'vivar board 1\n\x00\n' >binary.vivar
"$sim" --board binary.vivar 2>err
[ "$(cat err)" = "vivar-sim: binary.vivar: not a text file" ] || fail "a file with a NUL byte: $(cat err)"

end_checks
