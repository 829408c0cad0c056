#!/usr/bin/env bash
# vivar-sim's films that fail, and the films module it loads for them:
# - a run without --film loads no film library, and one with it loads the
#   module from the build folder, or from an installation anywhere;
# - without the module, --film says so in one line with status 1, and a
#   run without --film is as before;
# - a disk that fills after the header cuts the film: one line says after
#   how many frames, which are the frames the file holds (ffprobe's count),
#   and the run goes on to the end; a disk full at the header, and a folder
#   that cannot be written, leave no file;
# - a film through a link to a device or a FIFO is refused, and the device
#   and the FIFO are left as they were.
# A full disk is a file-size limit (ulimit -f) with SIGXFSZ ignored, so that
# writes past it fail with EFBIG, as writes to a full disk fail.
#   sim_film_failures.sh BUILD-DIR PICTURES-DIR
source "$(dirname "$0")/lib.sh"
build=$(realpath "$1")
sim=$build/vivar-sim
export VIVAR_PICTURES=$(realpath "$2")
# Folders made read-only to refuse a film must open again to go.
before_clean_up() { chmod -R u+w "$work"; }
unset DISPLAY WAYLAND_DISPLAY
cd "$work" || exit 1

# Whole frames in a film, as ffprobe decodes them.
probed_frames() {
  ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=nb_read_frames -of csv=p=0 "$1" 2>/dev/null
}
# Runs under a file-size limit of so many KB, its stdout in out and stderr
# in err through pipes, which the limit leaves alone; its status.
#   run_limited LIMIT ARGUMENTS...
run_limited() {
  local limit=$1
  shift
  { ( trap '' XFSZ; ulimit -f "$limit"; exec "$@" ) 2>&1 >&3 | cat >"$work/err"
    echo "${PIPESTATUS[0]}" >"$work/status"; } 3>&1 | cat >"$work/out"
  return "$(cat "$work/status")"
}
one_line() {  # WHAT PATTERN
  [ "$(wc -l <"$work/err")" -eq 1 ] && grep -q -E "$2" "$work/err" || fail "$1: stderr: $(cat "$work/err")"
}

# Film libraries are loaded for --film only.
film_libraries() { grep -E -o 'file=[^ ]*(vivar-films|libQt5Gui|libavcodec|libavformat)[^ ]*' | sort -u; }
loaded=$(LD_DEBUG=files "$sim" --seed 1 --generations 1 --counts 2>&1 >/dev/null | film_libraries)
[ -z "$loaded" ] || fail "a run without --film loaded $loaded"
loaded=$(LD_DEBUG=files "$sim" --seed 1 --generations 1 --counts --film loads.gif 2>&1 >/dev/null | film_libraries)
for library in vivar-films libQt5Gui libavcodec; do
  grep -q "$library" <<<"$loaded" || fail "--film did not load $library: $loaded"
done

# An installation under any prefix finds its module, as a moved one does.
cmake --install "$build" --prefix "$work/installed" >/dev/null || fail "cannot install into $work/installed"
mv "$work/installed" "$work/moved"
"$work/moved/bin/vivar-sim" --seed 5 --generations 6 --film installed.webm >/dev/null 2>"$work/err" ||
  fail "the installed vivar-sim made no film: $(cat "$work/err")"
[ "$(probed_frames installed.webm)" = 7 ] || fail "the installed vivar-sim's film has $(probed_frames installed.webm) frames"

# Without the module.
mkdir alone && cp "$sim" alone/
alone/vivar-sim --seed 5 --generations 3 --counts --film alone.gif >"$work/out" 2>"$work/err"
status=$?
[ "$status" -eq 1 ] || fail "--film without the module: status $status"
one_line "--film without the module" "^vivar-sim: --film needs the films module vivar-films\.so, which is not in $work/alone or "
[ ! -s "$work/out" ] && [ ! -e alone.gif ] || fail "--film without the module ran or left a file"
alone/vivar-sim --seed 5 --generations 3 --counts | cmp -s - <("$sim" --seed 5 --generations 3 --counts) ||
  fail "without the module, a run without --film differs"
# A module that is not one.
echo "not a library" >alone/vivar-films.so
alone/vivar-sim --seed 5 --generations 3 --film alone.gif >/dev/null 2>"$work/err"
status=$?
[ "$status" -eq 1 ] || fail "--film with a damaged module: status $status"
one_line "--film with a damaged module" "^vivar-sim: --film needs the films module $work/alone/vivar-films\.so, which does not load: "

# A disk that fills after the header: the film is cut, and says after how
# many frames, which ffprobe finds in it; the counts go on to the end.
# Limits that fall in different places of the frames.
for film in cut-170.webm cut-250.webm cut-333.webm cut-170.gif cut-250.gif cut-333.gif; do
  limit=${film#cut-}
  run_limited "${limit%.*}" "$sim" --seed 5 --generations 30 --counts --film "$film"
  status=$?
  [ "$status" -eq 1 ] || fail "$film on a full disk: status $status"
  one_line "$film on a full disk" "^vivar-sim: $film: File too large; the film is cut short after [0-9]+ of 31 frames$"
  [ "$(wc -l <"$work/out")" -eq 32 ] || fail "$film: a full disk cut the run short"
  said=$(grep -o -E 'after [0-9]+' "$work/err" | grep -o -E '[0-9]+')
  [ -n "$said" ] && [ "$said" -gt 0 ] && [ "$(probed_frames "$film")" = "$said" ] ||
    fail "$film says it holds ${said:-no} frames; ffprobe reads $(probed_frames "$film")"
done
# The same film whole is larger than the limit.
"$sim" --seed 5 --generations 30 --film whole.webm >/dev/null
[ "$(stat -c %s whole.webm)" -gt $((200 * 1024)) ] || fail "the whole film fits the limit: nothing was cut"

# A disk full at the header, or before the first frame: no file is left,
# and a film the name held before stays as it was.
echo "an older film" >header.gif
for film in header.webm header.gif; do
  run_limited 0 "$sim" --seed 5 --generations 30 --counts --film "$film"
  status=$?
  [ "$status" -eq 1 ] || fail "$film on a disk full at the header: status $status"
  one_line "$film on a disk full at the header" "^vivar-sim: $film: File too large(; no frame reached the file, which is not kept)?$"
  [ ! -e header.webm ] || fail "header.webm: a film without a frame was left behind"
  [ "$(cat header.gif)" = "an older film" ] || fail "header.gif: a film without a frame replaced the older film"
done
[ -z "$(ls | grep -F .tmp-)" ] || fail "a film without a frame left $(ls | grep -F .tmp-)"

# A folder that cannot be written: as root, the run is another user's.
mkdir -m 555 locked
chmod 755 "$work"
as_user=()
[ "$(id -u)" -ne 0 ] || as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
"${as_user[@]}" "$sim" --seed 5 --generations 3 --film locked/x.webm >/dev/null 2>"$work/err"
status=$?
[ "$status" -eq 1 ] || fail "a film in a folder that cannot be written: status $status"
one_line "a film in a folder that cannot be written" "^vivar-sim: locked/x\.webm: Permission denied"
[ -z "$(ls locked)" ] || fail "a film in a folder that cannot be written left $(ls locked)"

# A link to a device or a FIFO is no film's file; both are left as they were.
mknod myfull c 1 7
ln -s myfull device.gif
mkfifo fifo
ln -s fifo fifo.webm
for film in device.gif fifo.webm; do
  timeout 20 "$sim" --seed 5 --generations 3 --counts --film "$film" >"$work/out" 2>"$work/err"
  status=$?
  [ "$status" -eq 1 ] || fail "a film through a link to $(readlink "$film"): status $status"
  one_line "a film through a link to $(readlink "$film")" "^vivar-sim: $film: "
done
[ -c myfull ] && [ "$(stat -c %t,%T myfull)" = 1,7 ] || fail "the device node was replaced: $(ls -l myfull)"
[ -p fifo ] || fail "the FIFO was replaced: $(ls -l fifo)"
[ -L device.gif ] && [ -L fifo.webm ] || fail "a link was replaced"

end_checks
