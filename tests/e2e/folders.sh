#!/usr/bin/env bash
# Where the window offers its files, started from a folder of its own as a
# shortcut starts it:
# - P then Return alone saves the picture into the user's Pictures folder,
#   as xdg-user-dirs names it (here with another language's name); V then
#   Return into Videos, Ctrl+S and a bare name into Documents; nothing lands
#   in the working folder;
# - a file saved elsewhere makes that folder the one offered next, for its
#   kind alone, and the next run offers it too;
# - a counts file named on the command line stays relative to the working
#   folder.
#   folders.sh VIVAR WM_CLOSE
source "$(dirname "$0")/session.sh"
vivar=$1 wm_close=$2
status_log=$work/status.log
says() { grep -q "$1" "$status_log"; }
# The status line holds its items' words together by no-break spaces.
shown() { grep -q "^Generation.$1\\b" <(tail -n 1 "$status_log"); }

# The user's home and settings are the test's own.
export HOME=$work/home XDG_CONFIG_HOME=$work/config
pictures=$HOME/Bilder videos=$HOME/Videos documents=$HOME/Dokumente
mkdir -p "$XDG_CONFIG_HOME" "$pictures" "$videos" "$documents" "$work/program" "$work/elsewhere"
cat >"$XDG_CONFIG_HOME/user-dirs.dirs" <<DIRS
XDG_PICTURES_DIR="\$HOME/Bilder"
XDG_VIDEOS_DIR="\$HOME/Videos"
XDG_DOCUMENTS_DIR="\$HOME/Dokumente"
DIRS

# Presses Return alone in the dialog of that title, once it shows.
return_in_dialog() {  # TITLE
  wait_for 20 dialog_up "$1" || die "no dialog \"$1\""
  xdotool windowfocus --sync "$(dialog "$1")"
  sleep 0.3
  xdotool key Return
  wait_for 5 dialog_gone "$1" || die "the dialog \"$1\" stayed"
}
cd "$work/program" || die "no working folder"
VIVAR_STATUS_LOG=$status_log start_vivar "$vivar" --seed 11 --pace 0 --counts counts.csv
button 3  # fill
wait_for 5 says "cats" || die "no status line"

key p
return_in_dialog "Save a picture of the view"
wait_for 20 test -s "$pictures/vivar-generation-0.png" ||
  fail "P and Return saved no vivar-generation-0.png in Pictures ($pictures): $(ls -R "$HOME" "$work/program")"
key v
return_in_dialog "Record a film of the generations shown"
wait_for 10 says "Recording" || die "V and Return started no film"
key n
wait_for 10 shown 1 || die "generation 1 was not shown"
key v
wait_for 20 says "vivar-film.webm is saved" || die "the film was not finished"
[ -s "$videos/vivar-film.webm" ] || fail "V and Return saved no vivar-film.webm in Videos ($videos)"
# The next run's film goes there too, without a question about replacing.
mv "$videos/vivar-film.webm" "$work/first.webm"
key ctrl+s
answer_dialog "Save the board at generation [0-9]+" first
wait_for 10 test -s "$documents/first.vivar" || fail "Ctrl+S and a bare name saved no first.vivar in Documents"

# Elsewhere once: that folder is offered next, for pictures alone.
key p
answer_dialog "Save a picture of the view" "$work/elsewhere/chosen.png"
wait_for 20 test -s "$work/elsewhere/chosen.png" || fail "no picture saved as $work/elsewhere/chosen.png"
key n
wait_for 10 shown 2 || die "generation 2 was not shown"
key p
return_in_dialog "Save a picture of the view"
wait_for 20 test -s "$work/elsewhere/vivar-generation-2.png" ||
  fail "after a picture saved elsewhere, P and Return did not save into that folder: $(ls "$work/elsewhere")"
close_vivar
[ -s "$work/program/counts.csv" ] || fail "--counts counts.csv wrote no counts.csv in the working folder"
left=$(ls "$work/program" | grep -v -x counts.csv)
[ -z "$left" ] || fail "files offered in the working folder: $left"

# The next run offers the folder last used.
VIVAR_STATUS_LOG=$status_log start_vivar "$vivar" --seed 11 --pace 0
key p
return_in_dialog "Save a picture of the view"
wait_for 20 test -s "$work/elsewhere/vivar-generation-0.png" ||
  fail "the next run did not offer the folder last used: $(ls "$work/elsewhere")"
key v
return_in_dialog "Record a film of the generations shown"
wait_for 10 says "Recording" || die "V and Return started no film in the next run"
key v
wait_for 20 grep -q "$videos/vivar-film.webm is saved" "$status_log" ||
  fail "the next run did not offer films in Videos, where the last went: $(tail -n 1 "$status_log")"
close_vivar
[ -z "$(ls "$work/program" | grep -v -x counts.csv)" ] || fail "files offered in the working folder in the next run"
end_checks
