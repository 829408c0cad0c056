#!/usr/bin/env bash
# Pictures and films from the window, rendered off screen:
# - P saves the view as a PNG of 3840 x 2160 that shows the lizards;
# - V records a film with one frame for the board shown at V and one for
#   each generation shown after it, until V again;
# - a film whose disk is full stops, says so on stderr and the status
#   line, and the run goes on.
#   films.sh VIVAR WM_CLOSE PICTURES-DIR
set -u
vivar=$1 wm_close=$2 pictures=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/session.sh"
status_log=$work/status.log
last_status() { tail -n 1 "$status_log"; }
# The status line holds its items' words together by no-break spaces.
shown() { grep -q "^Generation.$1\\b" <(last_status); }
# A function, so that wait_for reads the last line afresh each time.
says_recording() { grep -q "recording${1:-}" <(last_status); }
# Fills the export dialog of that title: the file name, then the size.
export_dialog() {  # TITLE FILE SIZE
  wait_for 20 dialog_up "$1" || die "no dialog \"$1\""
  xdotool windowfocus --sync "$(dialog "$1")"
  sleep 0.3
  xdotool key ctrl+a
  xdotool type --delay 5 "$2"
  xdotool key Tab ctrl+a
  xdotool type --delay 5 "$3"
  xdotool key Return
  wait_for 5 dialog_gone "$1" || die "the dialog \"$1\" stayed"
}
frames() { ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=nb_read_frames,width,height \
  -of csv=p=0 "$1"; }

cd "$work" || die "no work folder"
VIVAR_STATUS_LOG=$status_log start_vivar "$vivar" --seed 11 --pace 0
button 3  # fill
wait_for 5 grep -q "cats" "$status_log" || die "no status line"

# A picture larger than the screen.
key p
export_dialog "Save a picture of the view" "$work/view.png" 3840x2160
wait_for 20 test -s "$work/view.png" || die "no picture saved"
[ "$(identify -format '%wx%h' "$work/view.png")" = 3840x2160 ] ||
  fail "the picture is $(identify -format '%wx%h' "$work/view.png"), not 3840x2160"
lizards_in "$work/view.png" "$pictures" || fail "the picture does not show the lizards"

# A film of the board at V and five generations stepped.
key v
export_dialog "Record a film of the generations shown" "$work/steps.webm" 320x240
wait_for 10 says_recording ",.frame.1\\b" || die "the status line does not say that it records"
for k in 1 2 3 4 5; do
  key n
  wait_for 10 shown "$k" || die "generation $k was not shown"
done
key v
wait_for 20 grep -q "steps.webm is saved: 6 frames" "$status_log" || fail "no notice that the film was saved"
grep -q "recording" <(last_status) && fail "the status line still says that it records: $(last_status)"
[ "$(frames "$work/steps.webm")" = "320,240,6" ] ||
  fail "the film of 5 generations stepped has $(frames "$work/steps.webm") (width, height, frames), not 320,240,6"

# A full disk stops the film, and the run goes on.
ln -s /dev/full "$work/full.webm"
key v
wait_for 20 dialog_up "Record a film of the generations shown" || die "no film dialog"
xdotool windowfocus --sync "$(dialog "Record a film of the generations shown")"
sleep 0.3
xdotool key ctrl+a
xdotool type --delay 5 "$work/full.webm"
xdotool key Return
# Replacing the file is asked first. A box mapped on a busy machine may
# miss the first key: Return again while it stays up.
wait_for 10 dialog_up "Replace full.webm." || die "replacing full.webm was not asked"
for try in 1 2 3; do
  xdotool windowfocus --sync "$(dialog "Replace full.webm.")"
  sleep 0.3
  xdotool key Return
  wait_for 2 dialog_gone "Replace full.webm." && break
  echo "replacing full.webm is still asked after try $try"
done
wait_for 10 says_recording || die "the film on a full disk did not start"
button 0  # play
wait_for 30 grep -q "The film stopped: .*full.webm: No space left on device" "$err" ||
  die "a full disk did not stop the film: $(last_status)"
grep -q "The film stopped" "$status_log" || fail "the status line does not tell that the film stopped"
at=$(last_status | grep -o -E '^Generation.[0-9]+' | grep -o -E '[0-9]+')
wait_for 10 bash -c "[ \$(tail -n 1 '$status_log' | grep -o -E '^Generation.[0-9]+' | grep -o -E '[0-9]+') -gt $(( at + 5 )) ]" ||
  fail "the run did not go on after the film stopped"
grep -q "recording" <(last_status) && fail "the status line still says that it records"
close_vivar
[ "$(grep -c -v "The film stopped" "$err")" -eq 0 ] || fail "stderr: $(cat "$err")"
end_checks
