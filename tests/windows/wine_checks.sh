#!/usr/bin/env bash
# The Windows build under Wine, on the test display:
# - vivar-sim.exe prints the Debian build's traces, counts and sweeps byte
#   for byte, "\n" line endings included, and refuses a bad option with one
#   line and status 2;
# - vivar-sim.exe's films, WebM and GIF, have the Debian build's frames,
#   made by the films module beside it, which a run without --film does
#   not load; without it, --film says so in one line with status 1;
# - vivar-sim.exe --plot writes a PNG of an experiment's table, through the
#   same module, with the Debian build's points;
# - the programs are console programs carrying their icon and version;
# - vivar.exe from the unzipped zip opens its window, fills the board and
#   steps it by keys, its 3D view shows the lizards, its seeded trace and
#   counts file equal vivar-sim.exe's, and closing the window ends it with 0;
# - vivar.exe sets up and runs a small experiment from its window, whose
#   table is vivar-sim.exe's and whose plot shows;
# - unzipped under a folder whose name has accents, vivar.exe shows its
#   pictures and bitmaps, and saves and opens a board named with ñ;
# - the installer installs silently, with its Start-menu entry and
#   uninstaller, and the installed vivar.exe starts;
# - vivar.exe's help is in Spanish on a Spanish system;
# - started with a console of its own, as the Start-menu shortcut starts it,
#   vivar.exe runs at --pace 0 at 0.8 of --quiet's rate or more, keeps the
#   default pace, and closes its window within 1 s of Ctrl+Q (figures
#   printed);
# - its status line and controls read as English words (by OCR), with
#   Wine's own fonts in the prefix, as a Windows has its interface fonts, and
#   without them where the first font is a symbol font, when the fonts
#   shipped in fonts\ stand in;
# - on a 1366 x 768 screen the window opens within the screen;
# - both programs take /? for --help, name the nearest option to a mistyped
#   one and speak the language --language names; the zip's README.txt names
#   no build/ path and only what the zip holds.
#   wine_checks.sh WINDOWS-BUILD-DIR DEBIAN-BUILD-DIR
set -u
windows=$(cd "$1" && pwd) debian=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../e2e/session.sh"
wm_close=$debian/wm_close
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
die() { echo "FAIL: $*"; [ -f "$err" ] && { echo "--- stderr"; cat "$err"; }; exit 1; }

export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
bare=$work/bare small_screen= window_manager=
trap 'for prefix in "$work/wine" "$bare"; do WINEPREFIX=$prefix wineserver -k 2>/dev/null; done
      [ -n "$window_manager" ] && kill "$window_manager" 2>/dev/null
      [ -n "$pid" ] && kill "$pid" 2>/dev/null; [ -n "$small_screen" ] && kill "$small_screen" 2>/dev/null
      rm -rf "$work"' EXIT
wineboot --init >/dev/null 2>&1 || die "cannot make a Wine prefix"
# A Windows has its interface fonts, Tahoma and the rest: the prefix gets
# Wine's own. Without them Qt draws in whichever font comes first.
wine_fonts=/usr/share/wine/fonts
[ -f "$wine_fonts/tahoma.ttf" ] || die "no Wine fonts in $wine_fonts (apt-get install fonts-wine)"
cp "$wine_fonts"/* "$WINEPREFIX/drive_c/windows/Fonts/" || die "cannot copy Wine's fonts into the prefix"
# Wine's own complaints on stderr, which are not the program's.
program_lines() { grep -v -E '^(wine: |it looks like wine32|Could not find Wine Gecko|[0-9a-f]{4}:(fixme|err|warn):)' "$1"; }

version=$(sed -n 's/^project(vivar VERSION \([0-9.]*\).*/\1/p' "$here/../../CMakeLists.txt")
zip=$windows/vivar-$version-win64.zip setup=$windows/vivar-$version-win64-setup.exe
[ -f "$zip" ] && [ -f "$setup" ] || die "no $zip or $setup"
unzip -q "$zip" -d "$work/unzipped" || die "cannot unzip $zip"
app=$work/unzipped/vivar-$version-win64
sim_exe() { wine "$app/vivar-sim.exe" "$@" 2>/dev/null; }

# vivar-sim.exe against the Debian build.
for seed in 5 12345 4294967290; do
  sim_exe --seed "$seed" --generations 300 >"$work/windows.txt"
  "$debian/vivar-sim" --seed "$seed" --generations 300 >"$work/debian.txt"
  cmp -s "$work/windows.txt" "$work/debian.txt" || fail "seed $seed: the trace differs from the Debian build's"
  sim_exe --seed "$seed" --generations 3000 --counts >"$work/windows.csv"
  "$debian/vivar-sim" --seed "$seed" --generations 3000 --counts >"$work/debian.csv"
  cmp -s "$work/windows.csv" "$work/debian.csv" || fail "seed $seed: the counts differ from the Debian build's"
done
[ -s "$work/windows.txt" ] && ! grep -q $'\r' "$work/windows.txt" "$work/windows.csv" ||
  fail "vivar-sim.exe wrote no output, or \\r\\n line endings"
sim_exe --seeds 1:40 --jobs 2 --generations 200 --summary >"$work/windows.csv"
"$debian/vivar-sim" --seeds 1:40 --jobs 2 --generations 200 --summary >"$work/debian.csv"
cmp -s "$work/windows.csv" "$work/debian.csv" || fail "a sweep on two jobs differs from the Debian build's"
# A reader that goes away ends the run, as SIGPIPE does on Debian.
timeout 300 wine "$app/vivar-sim.exe" --seed 1 --generations 1000000000 2>/dev/null | head -c 100 >/dev/null
[ "${PIPESTATUS[0]}" -ne 124 ] || fail "vivar-sim.exe ran on for five minutes after its reader had gone"
wine "$app/vivar-sim.exe" --generations=many >"$work/out" 2>"$work/err"
status=$?
[ "$status" -eq 2 ] && [ ! -s "$work/out" ] && [ "$(program_lines "$work/err" | wc -l)" -eq 1 ] &&
  program_lines "$work/err" | grep -q '^vivar-sim: --generations' ||
  fail "a bad option: status $status, stderr: $(cat "$work/err")"

# Films from vivar-sim.exe, through the cross-built FFmpeg and libvpx: the
# Debian build's frame count, size and rate, as a WebM and as a GIF.
film_probe() { ffprobe -v error -count_frames -select_streams v:0 \
  -show_entries stream=codec_name,width,height,nb_read_frames,r_frame_rate -of csv=p=0 "$1"; }
for film in film.webm film.gif; do
  (cd "$work" && sim_exe --seed 5 --generations 30 --film "windows-$film" --film-size 320x240 --film-rate 12) \
    >/dev/null || fail "vivar-sim.exe --film $film: status $?"
  "$debian/vivar-sim" --seed 5 --generations 30 --film "$work/debian-$film" --film-size 320x240 --film-rate 12 \
    >/dev/null
  [ "$(film_probe "$work/windows-$film")" = "$(film_probe "$work/debian-$film")" ] &&
    film_probe "$work/windows-$film" | grep -q ',320,240,12/1,31$' ||
    fail "vivar-sim.exe's $film reads as '$(film_probe "$work/windows-$film")'," \
      "the Debian build's as '$(film_probe "$work/debian-$film")'"
done

# An experiment's plot from vivar-sim.exe, drawn by the films module: a PNG
# of the size asked, and the points the Debian build prints for the table.
"$debian/vivar-sim" --seeds 1:6 --vary hatch=2,6 --generations 60 --summary >"$work/experiment.csv"
(cd "$work" && sim_exe --plot experiment.csv windows-plot.png --plot-size 700x450 >"$work/windows-points.txt") ||
  fail "vivar-sim.exe --plot: status $?"
"$debian/vivar-sim" --plot "$work/experiment.csv" "$work/debian-plot.png" --plot-size 700x450 >"$work/debian-points.txt"
[ "$(identify -format '%m %wx%h' "$work/windows-plot.png" 2>/dev/null)" = "PNG 700x450" ] ||
  fail "vivar-sim.exe's plot is not a 700x450 PNG"
[ -s "$work/windows-points.txt" ] && cmp -s "$work/windows-points.txt" "$work/debian-points.txt" ||
  fail "vivar-sim.exe's plot's points differ from the Debian build's: $(cat "$work/windows-points.txt")"

# The films module lies beside vivar-sim.exe, which loads it, and the film
# libraries with it, for --film only (Wine tells each DLL it loads).
[ -f "$app/vivar-films.dll" ] || fail "the zip holds no vivar-films.dll beside vivar-sim.exe"
film_dlls() { grep -i -E -o '(vivar-films|avcodec-[0-9]+|Qt5Gui)\.dll' | sort -u -f | tr '\n' ' '; }
loaded=$(WINEDEBUG=+loaddll wine "$app/vivar-sim.exe" --seed 1 --generations 1 --counts 2>&1 >/dev/null | film_dlls)
[ -z "$loaded" ] || fail "vivar-sim.exe without --film loaded $loaded"
loaded=$(cd "$work" && WINEDEBUG=+loaddll wine "$app/vivar-sim.exe" --seed 1 --generations 1 --film loads.gif 2>&1 >/dev/null |
  film_dlls)
[ "$(wc -w <<<"$loaded")" -eq 3 ] || fail "vivar-sim.exe --film loaded only $loaded"
mv "$app/vivar-films.dll" "$work/vivar-films.dll"
(cd "$work" && wine "$app/vivar-sim.exe" --seed 1 --generations 1 --film none.gif >"$work/out" 2>"$work/err")
status=$?
mv "$work/vivar-films.dll" "$app/vivar-films.dll"
[ "$status" -eq 1 ] && [ "$(program_lines "$work/err" | wc -l)" -eq 1 ] &&
  program_lines "$work/err" | grep -q '^vivar-sim: --film needs the films module vivar-films\.dll, which is not in ' ||
  fail "--film without the module: status $status, stderr: $(cat "$work/err")"

# Console programs, so that the trace has a console, with icon and version.
for program in vivar vivar-sim; do
  x86_64-w64-mingw32-objdump -p "$app/$program.exe" | grep -q -E '^Subsystem\s+0+3\s' ||
    fail "$program.exe is not a console program"
  x86_64-w64-mingw32-objdump -h "$app/$program.exe" | grep -q ' \.rsrc ' || fail "$program.exe has no resources"
  strings -e l "$app/$program.exe" | grep -q -x "$version" || fail "$program.exe carries no version $version"
done

# vivar.exe speaks the system's language: Spanish where Windows (here Wine,
# from a Spanish locale of the C library's own) is Spanish, with Qt's Spanish
# for its dialogs beside it; English otherwise.
[ -s "$app/translations/qtbase_es.qm" ] || fail "the zip holds no translations\\qtbase_es.qm"
mkdir -p "$work/locales" && localedef -i es_ES -f UTF-8 "$work/locales/es_ES.UTF-8" ||
  die "cannot make a Spanish locale (apt-get install locales)"
help=$(env -u LC_ALL LANG=es_ES.UTF-8 LOCPATH="$work/locales" wine "$app/vivar.exe" --help 2>/dev/null | head -n 1)
[ "$help" = "Modo de empleo: vivar [OPCIÓN]..." ] || fail "vivar.exe --help in Spanish Windows begins: $help"
help=$(wine "$app/vivar.exe" --help 2>/dev/null | head -n 1)
[ "$help" = "Usage: vivar [OPTION]..." ] || fail "vivar.exe --help in English Windows begins: $help"

# The 3D view is a GL child window that Wine draws off screen, in an X
# window of its own outside vivar's: the largest unnamed window there is.
view_window() {
  xwininfo -root -tree | awk '/has no name/ { split($0, part, ")"); size = part[3]; sub(/^ */, "", size);
    split(size, corner, "+"); split(corner[1], wh, "x");
    if (wh[1] * wh[2] > best) { best = wh[1] * wh[2]; id = $1 } } END { if (best > 10000) print id }'
}
view_shows_lizards() {
  local view
  view=$(view_window) && [ -n "$view" ] || return 1
  import -window "$view" "$work/view.png" 2>/dev/null && lizards_in "$work/view.png" "$app/pictures"
}
# The window's bottom row, the status line beside the controls, read by
# Tesseract from the window scaled up three times: the words it must find,
# whatever their case. Text drawn in a symbol font gives none of them.
reads_as_words() {  # WINDOW-ID
  import -window "$1" "$work/words-window.png" 2>/dev/null &&
    convert "$work/words-window.png" -gravity south -crop 0x64+0+0 +repage -resize 300% -colorspace Gray \
      "$work/words.png" &&
    tesseract "$work/words.png" - >"$work/words.txt" 2>/dev/null || return 1
  local word
  for word in Generation stopped lizards eggs cats Rules; do
    grep -q -i -w "$word" "$work/words.txt" || return 1
  done
}
# Fails, keeping the picture read as words-NAME.png, unless the window
# reads as words soon.
check_words() {  # WINDOW-ID NAME WHAT
  wait_for 5 reads_as_words "$1" && return
  cp "$work/words.png" "$windows/words-$2.png" 2>/dev/null
  fail "$3: the status line does not read as words (see $windows/words-$2.png); Tesseract read: $(tr '\n' ' ' <"$work/words.txt" 2>/dev/null)"
}
generations() { grep -c -x -F "model ----------------------------- a cambiar imagenes " "$out"; }
key() { xdotool key --window "$window" "$1" 2>/dev/null; }
close_window() {
  "$wm_close" "$window"
  wait_for 10 bash -c "! kill -0 $pid 2>/dev/null" || die "still running long after the close request"
  wait "$pid"; status=$?; pid=
  [ "$status" -eq 0 ] || fail "exit status $status after closing the window"
}

# vivar.exe from the unzipped folder, started elsewhere: its pictures are
# found beside it. A seeded run: fill, three single steps.
seed=4242 counts=$work/counts.csv
cd "$work" || die "no scratch folder"
wine "$app/vivar.exe" --seed "$seed" --counts "$(winepath -w "$counts")" >"$out" 2>"$err" &
pid=$!
window=$(wait_for_window) && [ -n "$window" ] || die "vivar.exe opened no window"
key 4
wait_for 10 grep -q -x -F "  -- fin       doUpdates --" "$out" || die "the fill showed nothing"
for step in 1 2 3; do
  key n
  wait_for 10 bash -c "[ \$(grep -c '^model ---' '$out') -ge $step ]" || die "N ran no generation ($step)"
  sleep 0.3
done
wait_for 10 view_shows_lizards || fail "the 3D view does not show the lizards"
check_words "$window" wine-fonts "with Wine's fonts"
sleep 1
[ "$(generations)" -eq 3 ] || fail "three steps ran $(generations) generations"
close_window  # while stopped, which runs one more generation that is never shown
ran=$(generations)
grep -v -x -F -e "view creada" -e "vista valore de corre = 0" -e "******************* IDLE*****************" \
     -e "  -- principio doUpdates --" -e "  -- fin       doUpdates --" "$out" \
  | grep -v -E '^vista  valore de &corre = [0-9]+$' >"$work/model-lines"
sim_exe --seed "$seed" --generations "$ran" | cmp -s - "$work/model-lines" ||
  fail "the window's trace of $ran generations differs from vivar-sim.exe's"
sim_exe --seed "$seed" --generations 3 --counts | cmp -s - "$counts" || fail "the counts file differs from vivar-sim.exe's"
[ -z "$(program_lines "$err")" ] || fail "vivar.exe wrote to stderr: $(program_lines "$err")"
echo "vivar.exe: $ran generations, the view captured"

# An experiment set up by keys in vivar.exe and run in the background:
# hatch 1 to 3 over seeds 1 to 5, 50 generations. Its table is
# vivar-sim.exe's byte for byte, and its window draws the plot of all 15
# runs (kept as experiment-wine.png).
experiment_table=$work/window-experiment.csv plot_log=$work/window-plot.log
experiment_rows() { [ -f "$experiment_table" ] && [ "$(wc -l <"$experiment_table")" -ge 16 ]; }
plot_drawn() { grep -q -x -F "plot runs=15" "$plot_log" 2>/dev/null; }
VIVAR_PLOT_LOG=$(winepath -w "$plot_log") wine "$app/vivar.exe" >"$out" 2>"$err" &
pid=$!
window=$(wait_for_window) && [ -n "$window" ] || die "vivar.exe opened no window for the experiment"
# A key pressed as Wine maps the window can be lost: E again until the
# dialog comes (a late one takes the extra e in a field that is typed over).
for _ in 1 2 3; do
  key e
  ! wait_for 10 dialog_up Experiment || break
done
dialog_up Experiment || die "E opened no experiment dialog in vivar.exe"
for field in 1:3:1 Tab Tab 1 Tab 5 Tab 50 Tab Tab "$(winepath -w "$experiment_table")" Return; do
  case $field in
    Tab|Return) xdotool key "$field" ;;
    *) sleep 0.3; xdotool key ctrl+a; xdotool type --delay 20 "$field" ;;
  esac
done
wait_for 60 experiment_rows || fail "vivar.exe's experiment wrote no whole table"
sim_exe --seeds 1:5 --vary hatch=1:3:1 --generations 50 --summary | cmp -s - "$experiment_table" ||
  fail "vivar.exe's experiment table differs from vivar-sim.exe's"
wait_for 10 plot_drawn || fail "vivar.exe's experiment window drew no plot of the 15 runs"
[ "$(grep -c -E '^hatch=[123] runs=5 both=' "$plot_log")" -ge 3 ] || fail "the plot's log lacks its three points"
experiment_window=$(xdotool search --onlyvisible --name '^vivar experiment$' 2>/dev/null | head -n 1)
import -window "${experiment_window:-root}" "$windows/experiment-wine.png" 2>/dev/null ||
  fail "no screenshot of vivar.exe's experiment window"
close_window
[ -z "$(program_lines "$err")" ] || fail "vivar.exe wrote to stderr after a finished experiment: $(program_lines "$err")"
echo "vivar.exe: an experiment of 15 runs, its table and plot (see $windows/experiment-wine.png)"

# vivar.exe unzipped into a folder whose name has accents, as a Spanish
# user's folders are named, and started from another folder: the board and
# the eight buttons show their pictures, a board saved through the dialog
# under a name with accents and ñ opens again, and messages that name such
# a file reach stderr in UTF-8.
downloads=$WINEPREFIX/drive_c/users/José\ Núñez/Descargas downloads_windows='C:\users\José Núñez\Descargas'
# xdotool types a letter missing from the keymap by binding it to a spare key
# for that moment, and a busy Wine reads the keymap late and loses it ("José
# Nez"): the accented letters get keys of their own for the whole test.
spare=$(xmodmap -pke | awk 'NF == 3 { print $2 }' | head -n 3)
[ "$(echo "$spare" | wc -w)" -eq 3 ] || die "the keymap has no three spare keys for é, ñ and ú"
set -- $spare
xmodmap -e "keycode $1 = eacute Eacute" -e "keycode $2 = ntilde Ntilde" -e "keycode $3 = uacute Uacute" ||
  die "cannot bind é, ñ and ú to keys"
mkdir -p "$downloads" && unzip -q "$zip" -d "$downloads" || die "cannot unzip into $downloads"
wine "$app/vivar-sim.exe" --board "$downloads_windows\\nada.vivar" 2>&1 >/dev/null |
  grep -q -F "vivar-sim: $downloads_windows\\nada.vivar: " ||
  fail "vivar-sim.exe does not name a missing board under $downloads_windows in UTF-8"
# The bitmap's most common colour other than a button's light grey is on
# at least half as many pixels of the button, the n-th from the top.
button_shows() {  # INDEX BITMAP WINDOW-PNG
  local count colour expected= pixels
  while read -r count colour; do
    if [ $((16#${colour:1:2})) -lt 208 ] || [ $((16#${colour:3:2})) -lt 208 ] || [ $((16#${colour:5:2})) -lt 208 ]; then
      expected=$count
      break
    fi
  done < <(convert "$app/pictures/$2" -format %c histogram:info:- | sort -rn |
    sed -E 's/^ *([0-9]+):.*(#[0-9A-F]{6}).*/\1 \2/')
  pixels=$(convert "$3" -crop "32x36+0+$((36 * $1))" +repage -alpha off -fuzz 8% -transparent "$colour" \
    -alpha extract -negate -format '%[fx:int(mean*w*h+0.5)]' info:)
  [ -n "$expected" ] && [ "$pixels" -ge $((expected / 2)) ]
}
# Answers the file dialog whose title begins so, once it shows.
dialog() { xdotool search --onlyvisible --name "^$1" 2>/dev/null | head -n 1; }
dialog_up() { [ -n "$(dialog "$1")" ]; }
dialog_gone() { [ -z "$(dialog "$1")" ]; }
# A try whose keys a slow dialog lost leaves it up; the name is typed again
# over whatever its field holds.
answer_dialog() {  # TITLE-BEGINNING FILE
  wait_for 20 dialog_up "$1" || die "no dialog \"$1\""
  local try
  for try in 1 2 3; do
    sleep 0.5
    xdotool key ctrl+a
    xdotool type --delay 20 "$2"
    xdotool key Return
    wait_for 3 dialog_gone "$1" && return
    echo "the dialog \"$1\" is still up after try $try"
  done
  import -window root "$windows/stuck-dialog.png" 2>/dev/null && echo "the screen then: $windows/stuck-dialog.png"
  die "the dialog \"$1\" stayed"
}
board_of() { grep -v '^#' "$1"; }
updates() { grep -c -x -F "  -- fin       doUpdates --" "$out"; }
more_updates_than() { [ "$(updates)" -gt "$1" ]; }
wine "$downloads/vivar-$version-win64/vivar.exe" --seed "$seed" --counts "$downloads_windows\\cuántos.csv" >"$out" 2>"$err" &
pid=$!
window=$(wait_for_window) && [ -n "$window" ] || die "vivar.exe under $downloads_windows opened no window"
key 4
wait_for 10 grep -q -x -F "  -- fin       doUpdates --" "$out" || die "the fill showed nothing"
key n
wait_for 10 bash -c "[ \$(grep -c '^model ---' '$out') -ge 1 ]" || die "N ran no generation"
wait_for 10 view_shows_lizards || fail "under $downloads_windows the 3D view does not show the lizards"
import -window "$window" "$work/window.png" 2>/dev/null || die "cannot capture the window"
index=0
for bitmap in play stop limpia llena masVerde menosVerde masAzul menosAzul; do
  button_shows "$index" "$bitmap.bmp" "$work/window.png" || fail "under $downloads_windows button $((index + 1)) shows no $bitmap.bmp"
  index=$((index + 1))
done
key ctrl+s
answer_dialog "Save the board" "$downloads_windows\\ñandú.vivar"
wait_for 10 test -s "$downloads/ñandú.vivar" || fail "Ctrl+S saved nothing as $downloads_windows\\ñandú.vivar"
sim_exe --seed "$seed" --generations 1 --counts --save-board "$(winepath -w "$work/sim.vivar")" >/dev/null
board_of "$work/sim.vivar" | cmp -s - <(board_of "$downloads/ñandú.vivar") ||
  fail "the board saved as ñandú.vivar is not vivar-sim.exe's after one generation"
cleared=$(updates)
key 3
wait_for 10 more_updates_than "$cleared" || fail "the clear showed nothing"
key ctrl+o
answer_dialog "Open a board" "$downloads_windows\\ñandú.vivar"
key ctrl+s
answer_dialog "Save the board" "$downloads_windows\\again.vivar"
wait_for 10 test -s "$downloads/again.vivar" || fail "Ctrl+S saved nothing after Ctrl+O"
board_of "$downloads/again.vivar" | cmp -s - <(board_of "$downloads/ñandú.vivar") ||
  fail "ñandú.vivar, opened with Ctrl+O after a clear, did not come back"
close_window
[ -z "$(program_lines "$err")" ] || fail "vivar.exe under $downloads_windows wrote to stderr: $(program_lines "$err")"
[ "$(head -n 1 "$downloads/cuántos.csv" 2>/dev/null)" = "$(sim_exe --generations 0 --counts | head -n 1)" ] ||
  fail "vivar.exe wrote no counts file cuántos.csv"
# A save over a board replaces it, leaving nothing else beside it.
sim_exe --seed 9 --generations 3 --counts --save-board "$downloads_windows\\ñandú.vivar" >/dev/null
"$debian/vivar-sim" --seed 9 --generations 3 --counts --save-board "$work/debian.vivar" >/dev/null
board_of "$work/debian.vivar" | cmp -s - <(board_of "$downloads/ñandú.vivar") ||
  fail "vivar-sim.exe --save-board did not replace ñandú.vivar with its board"
! ls "$downloads" | grep -q -F '.tmp-' || fail "a save left a temporary file: $(ls "$downloads")"
echo "vivar.exe under $downloads_windows: pictures, bitmaps and ñandú.vivar saved and opened"

# The installer, silently, then the installed program.
wine "$setup" /S >/dev/null 2>&1 || fail "the installer failed"
installed=$WINEPREFIX/drive_c/Program\ Files/vivar
[ -f "$installed/vivar.exe" ] && [ -f "$installed/pictures/lcd1.png" ] && [ -f "$installed/platforms/qwindows.dll" ] ||
  die "the installer left no vivar.exe with its pictures and plugin in $installed"
[ -f "$installed/fonts/DejaVuSans.ttf" ] && [ -f "$installed/fonts/DejaVuSansMono.ttf" ] &&
  [ -f "$installed/fonts/LICENSE.txt" ] || fail "the installer left no fonts with their licence in $installed/fonts"
[ -f "$installed/Uninstall.exe" ] || fail "no uninstaller"
find "$WINEPREFIX/drive_c" -path '*Start Menu*' -name 'vivar.lnk' | grep -q . || fail "no Start-menu entry"
wine "$installed/vivar.exe" >"$out" 2>"$err" &
pid=$!
window=$(wait_for_window) && [ -n "$window" ] || die "the installed vivar.exe opened no window"
close_window
echo "installed: $installed"

# vivar.exe as the Start-menu shortcut and a double-click start it, with a
# console of its own that shows the trace: `wine start` opens a real one, a
# window of Wine's conhost. On the standard board, generations a second at
# --pace 0 with the trace in the console against --quiet's, the default
# pace, and how long Ctrl+Q takes to close the window and to end the
# process. The figures are printed; a busy machine slows every run, and
# the console's conhost most of all on two cores, so the rate is measured
# up to three times before it fails. On a desktop: Wine hides a
# window only once a window manager says it has, and without one waits 2 s
# for it.
command -v openbox >/dev/null || die "no window manager to close windows under (apt-get install openbox)"
openbox >/dev/null 2>&1 &
window_manager=$!
console_counts=$WINEPREFIX/drive_c/console-counts.csv
counted() { { wc -l <"$console_counts"; } 2>/dev/null || echo 0; }
counted_past() { [ "$(counted)" -gt "$1" ]; }
# Starts it filled and playing; ends with the window, its generations in
# $console_generations over $console_ms and $close_ms from Ctrl+Q to its end.
console_run() {  # SECONDS OPTION...
  local seconds=$1 n0 t0
  shift
  rm -f "$console_counts"
  (cd "$app" && wine start /wait vivar.exe --seed 5 --counts 'C:\console-counts.csv' "$@" >/dev/null 2>&1) &
  pid=$!
  wait_for 20 bash -c "xdotool search --onlyvisible --name '^vivar\$' >/dev/null 2>&1" ||
    die "vivar.exe started with a console opened no window"
  window=$(xdotool search --onlyvisible --name '^vivar$' | head -n 1)
  sleep 2
  key 4
  sleep 1
  key space
  wait_for 10 counted_past 2 || die "vivar.exe with a console ran no generation"
  if [ "$seconds" = pace ]; then
    # Eight generations from the moment one is counted.
    n0=$(counted)
    wait_for 10 counted_past "$n0" || die "vivar.exe with a console stopped running"
    n0=$(counted) t0=$(now_ms)
    wait_for 30 counted_past $((n0 + 7)) || die "vivar.exe with a console stopped running"
  else
    n0=$(counted) t0=$(now_ms)
    sleep "$seconds"
  fi
  console_generations=$(($(counted) - n0)) console_ms=$(($(now_ms) - t0))
  t0=$(now_ms)
  key ctrl+q
  if ! wait_for 10 bash -c "! xdotool search --onlyvisible --name '^vivar\$' >/dev/null 2>&1"; then
    import -window root "$windows/console-close.png" 2>/dev/null
    die "the window of vivar.exe with a console ($*) stays long after Ctrl+Q; the screen then:" \
      "$windows/console-close.png (load $(load))"
  fi
  close_ms=$(($(now_ms) - t0))
  wait_for 10 bash -c "! kill -0 $pid 2>/dev/null" || die "vivar.exe with a console still runs long after Ctrl+Q"
  end_ms=$(($(now_ms) - t0))
  wait "$pid"
  pid=
}
rate() { awk -v n="$console_generations" -v ms="$console_ms" 'BEGIN { printf "%.1f", 1000 * n / ms }'; }
load() { cut -d ' ' -f 1-3 /proc/loadavg; }
for try in 1 2 3; do
  console_run 10 --pace 0 --quiet
  quiet_rate=$(rate) quiet_close=$close_ms
  console_run 10 --pace 0
  console_rate=$(rate) console_close=$close_ms
  echo "vivar.exe with a console, --pace 0: $console_rate generations a second with the trace," \
    "$quiet_rate with --quiet; Ctrl+Q closed it in $console_close ms ($quiet_close ms with --quiet); load $(load)"
  awk -v c="$console_rate" -v q="$quiet_rate" 'BEGIN { exit !(c >= 0.8 * q) }' && break
  [ "$try" -eq 3 ] && fail "with a console at --pace 0: $console_rate generations a second, under 0.8 of" \
    "--quiet's $quiet_rate (load $(load): if the machine was busy, measure again on a quiet one)"
done
for try in 1 2; do
  console_run pace
  pace_ms=$((console_ms / console_generations))
  echo "vivar.exe with a console, default pace: a generation every $pace_ms ms; Ctrl+Q closed it in $close_ms ms;" \
    "load $(load)"
  [ "$pace_ms" -ge 810 ] && [ "$pace_ms" -le 990 ] && break
  [ "$try" -eq 2 ] && fail "with a console at the default pace, a generation every $pace_ms ms, not 900 within 10 %" \
    "(load $(load))"
done
echo "vivar.exe with a console: Ctrl+Q closed the window in $close_ms ms; the process, its console with it, ended" \
  "in $end_ms ms"
for close in "$console_close" "$close_ms"; do
  [ "$close" -lt 1000 ] || fail "with a console, Ctrl+Q took $close ms to close the window of vivar.exe (load $(load))"
done
kill "$window_manager"
wait "$window_manager" 2>/dev/null
window_manager=

# A laptop's 1366 x 768 screen, a display of its own: the window opens
# within it, as on Debian (tests/e2e/screens.sh), and reads as words. Wine
# takes the new display once the prefix's processes have ended.
wineserver -k
wineserver -w
Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
small_screen=$!
wait_for 10 test -s "$work/display" || die "cannot start a 1366x768 display"
export DISPLAY=:$(cat "$work/display")
within_screen() {  # WHAT
  local geometry
  geometry=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF } END { print x, y, w, h }')
  echo "$1: the window ${geometry// /,} (x, y, width, height) on a 1366x768 screen"
  set -- $geometry
  [ "$1" -ge 0 ] && [ "$2" -ge 0 ] && [ $(($1 + $3)) -le 1366 ] && [ $(($2 + $4)) -le 768 ]
}
wine "$app/vivar.exe" >"$out" 2>"$err" &
pid=$!
window=$(wait_for_window) && [ -n "$window" ] || die "vivar.exe opened no window on a 1366x768 screen"
within_screen "Wine's fonts" || fail "the window does not fit a 1366x768 screen"
check_words "$window" 1366x768 "on a 1366x768 screen"
close_window

# A Windows without its interface fonts whose first font is a symbol font,
# as a machine once had a TeX font first and showed maths symbols for every
# word: a prefix with Wine's Symbol font alone, fontconfig hiding the host's
# fonts from Wine. The fonts shipped beside vivar.exe stand in.
export WINEPREFIX=$bare FONTCONFIG_FILE=$work/no-fonts.conf
printf '<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "fonts.dtd">\n<fontconfig></fontconfig>\n' >"$FONTCONFIG_FILE"
wineboot --init >/dev/null 2>&1 || die "cannot make a Wine prefix without fonts"
cp "$wine_fonts/symbol.ttf" "$WINEPREFIX/drive_c/windows/Fonts/" || die "cannot copy the Symbol font"
wine "$app/vivar.exe" >"$out" 2>"$err" &
pid=$!
window=$(wait_for_window) && [ -n "$window" ] || die "vivar.exe opened no window with a symbol font first"
within_screen "a symbol font first" || fail "with a symbol font first the window does not fit a 1366x768 screen"
check_words "$window" symbol-font "with a symbol font first"
close_window
[ -z "$(program_lines "$err")" ] || fail "vivar.exe with a symbol font first wrote to stderr: $(program_lines "$err")"


# --- The words of the command line, and the zip's README.txt ---
# /? prints the help, a mistyped option names the nearest one, and
# --language chooses the language over Windows' own, in both programs.
export WINEPREFIX=$work/wine
unset FONTCONFIG_FILE
for program in vivar vivar-sim; do
  english_usage="Usage: $program [OPTION]..." spanish_usage="Modo de empleo: $program [OPCIÓN]..."
  wine "$app/$program.exe" '/?' >"$work/out" 2>"$err"
  status=$?
  [ "$status" -eq 0 ] && [ "$(head -n 1 "$work/out" | cut -c 1-${#english_usage})" = "$english_usage" ] ||
    fail "$program.exe /?: status $status, it began: $(head -n 1 "$work/out")"
  wine "$app/$program.exe" --sed 1 >"$work/out" 2>"$err"
  status=$?
  [ "$status" -eq 2 ] && [ ! -s "$work/out" ] &&
    [ "$(program_lines "$err")" = "$program: unknown option '--sed'; did you mean '--seed'? (try --help)" ] ||
    fail "$program.exe --sed 1: status $status, stderr: $(program_lines "$err")"
  wine "$app/$program.exe" --sed 1 --language es >"$work/out" 2>"$err"
  [ "$(program_lines "$err")" = "$program: opción desconocida '--sed'; ¿quería decir '--seed'? (pruebe --help)" ] ||
    fail "$program.exe --sed 1 --language es: $(program_lines "$err")"
  help=$(env -u LC_ALL LANG=en_US.UTF-8 wine "$app/$program.exe" --language es --help 2>/dev/null | head -n 1)
  [ "${help:0:${#spanish_usage}}" = "$spanish_usage" ] || fail "$program.exe --language es --help began: $help"
done
help=$(env -u LC_ALL LANG=es_ES.UTF-8 LOCPATH="$work/locales" wine "$app/vivar.exe" --language=en --help 2>/dev/null |
  head -n 1)
[ "$help" = "Usage: vivar [OPTION]..." ] || fail "vivar.exe --language=en --help on Spanish Windows began: $help"

# The zip's README.txt speaks Windows: no build/ path, no Markdown link to a
# file of the source tree, and every file or folder it names is in the zip
# or one its own commands make (after ">", --save-board, --film, mkdir).
readme=$app/README.txt
[ -s "$readme" ] || fail "the zip holds no README.txt"
! grep -n -E 'build/|\]\(|\.md\b|tools/|docs/' "$readme" >"$work/out" ||
  fail "README.txt names files of the source tree: $(head -n 3 "$work/out")"
grep -q -E '^ +vivar-sim\.exe .*> [a-z]+\.txt' "$readme" && grep -q -E '^ +vivar(-sim)?\.exe .*> nul' "$readme" ||
  fail "README.txt shows no cmd redirection of the trace"
made=" " named_missing= previous=
for word in $(tr -d '\r' <"$readme"); do
  word=${word#[(\"]} word=${word%[,.:;)\"]} word=${word%[,.:;)\"]}
  case $previous in
    ">" | --save-board | --film | --counts | mkdir) made+="$word ${word%%\\*} " previous=$word; continue ;;
  esac
  previous=$word
  case $word in
    *\\*) root=${word%%\\*} ;;
    *.exe | *.dll | *.txt | *.csv | *.vivar | *.webm | *.gif) root=$word ;;
    *) continue ;;
  esac
  case $root in '' | .* | '*.dll' | *:) continue ;; esac
  [[ "$made" == *" $root "* || -e "$app/$root" ]] || named_missing+=" $word"
done
[ -z "$named_missing" ] || fail "README.txt names what the zip does not hold:$named_missing"

# The user guides in docs\, as pages a browser reads, their pictures beside
# them; the installer puts them in the Start menu too.
"$here/../guides.sh" "$here/../../docs" "$app/docs" || fail "the zip's user guides"
[ -s "$installed/docs/guia.html" ] || fail "the installer left no docs\\guia.html"
find "$WINEPREFIX/drive_c" -path '*Start Menu*' -name 'vivar user guide.lnk' | grep -q . || fail "no Start-menu entry for the guide"

# The installed program as its Start-menu shortcut starts it, in the
# program's folder: P then Return alone saves the picture into the user's
# Pictures folder, the known folder that Windows names, and nothing into
# Program Files. A prefix of its own, whose home is the test's, so that
# Wine's user folders lead nowhere outside it. The installer speaks Spanish
# on a Spanish Windows and English otherwise.
installed_picture_check() {
  local prefix=$work/wine-user home=$work/user-home
  # Wine links the user's Pictures to the home's, or to home itself where
  # there is none: a folder of its own tells the two apart.
  mkdir -p "$home/.config" "$home/Pictures"
  export WINEPREFIX=$prefix HOME=$home XDG_CONFIG_HOME=$home/.config
  unset FONTCONFIG_FILE
  wineboot --init >/dev/null 2>&1 || die "cannot make a Wine prefix for the installed program"
  cp "$wine_fonts"/* "$WINEPREFIX/drive_c/windows/Fonts/" || die "cannot copy Wine's fonts into the prefix"

  # The installer's window title in each language, then closed unanswered.
  local title setup_pid
  installer_up() { xdotool search --onlyvisible --name 'vivar' 2>/dev/null | head -n 1; }
  installer_shown() { [ -n "$(installer_up)" ]; }
  for language in es_ES.UTF-8 C.UTF-8; do
    env -u LC_ALL LANG=$language LOCPATH="$work/locales" wine "$setup" >/dev/null 2>&1 &
    setup_pid=$!
    wait_for 20 installer_shown || fail "the installer opened no window with LANG=$language"
    title=$(xdotool getwindowname "$(installer_up)" 2>/dev/null)
    echo "the installer with LANG=$language: \"$title\""
    case $language in
      es_*) [ "$title" = "Instalación de vivar" ] || fail "the installer on a Spanish Windows is titled \"$title\"" ;;
      *) [ "$title" = "vivar Setup" ] || fail "the installer on an English Windows is titled \"$title\"" ;;
    esac
    kill "$setup_pid" 2>/dev/null
    wait "$setup_pid" 2>/dev/null
    wineserver -k
    wineserver -w
  done

  wine "$setup" /S >/dev/null 2>&1 || fail "the installer failed in a prefix of its own"
  local program=$WINEPREFIX/drive_c/Program\ Files/vivar
  local pictures=$WINEPREFIX/drive_c/users/$(id -un)/Pictures
  local shortcut
  shortcut=$(find "$WINEPREFIX/drive_c" -path '*Start Menu*' -name 'vivar.lnk' | head -n 1)
  [ -n "$shortcut" ] || die "no Start-menu entry in a prefix of its own"
  # The shortcut starts vivar.exe in its own folder.
  strings -e l "$shortcut" | grep -q -i -x -F 'C:\Program Files\vivar' ||
    fail "the shortcut's working folder is not C:\\Program Files\\vivar: $(strings -e l "$shortcut" | tr '\n' ' ')"
  [ -d "$pictures" ] || die "the Wine user has no Pictures folder at $pictures"
  (cd "$program" && exec wine ./vivar.exe) >"$out" 2>"$err" &
  pid=$!
  window=$(wait_for_window) && [ -n "$window" ] || die "the installed vivar.exe opened no window in its own folder"
  key p
  local try
  wait_for 20 dialog_up "Save a picture of the view" || die "P opened no dialog in the installed vivar.exe"
  for try in 1 2 3; do
    sleep 0.5
    xdotool key Return
    wait_for 3 dialog_gone "Save a picture of the view" && break
    echo "the picture's dialog is still up after Return $try"
  done
  wait_for 20 test -s "$pictures/vivar-generation-0.png" ||
    fail "P and Return saved no vivar-generation-0.png in the Wine user's Pictures folder $pictures: $(ls -R "$home")"
  close_window
  ! find "$program" -name '*.png' -newer "$shortcut" | grep -q . ||
    fail "a picture was saved into the program's folder: $(find "$program" -name '*.png' -newer "$shortcut")"
  [ -z "$(program_lines "$err")" ] || fail "the installed vivar.exe wrote to stderr: $(program_lines "$err")"
  echo "installed vivar.exe: P and Return saved $(ls "$pictures")"
  wineserver -k
}
installed_picture_check

[ "$failures" -eq 0 ] && echo "ok" || exit 1
