#!/usr/bin/env bash
# Pictures and films from the window, rendered off screen:
# - P saves the view as a PNG of 3840 x 2160 that shows the lizards;
# - V records a film with one frame for the board shown at V and one for
#   each generation shown after it, until V again;
# - a film and a picture with the caption and the chart asked for in the
#   dialog have them: the chart light beside the board, the caption's
#   letters under it;
# - a picture named without .png gets it;
# - a picture or a film through a link to a device or a FIFO is refused,
#   and the device and the FIFO stay as they were;
# - a film whose disk fills stops, says on stderr and the status line after
#   how many frames it is cut, which are the frames its file holds, and the
#   run goes on.
#   films.sh VIVAR WM_CLOSE PICTURES-DIR
source "$(dirname "$0")/session.sh"
vivar=$1 wm_close=$2 pictures=$3
status_log=$work/status.log
last_status() { tail -n 1 "$status_log"; }
# The status line holds its items' words together by no-break spaces.
shown() { grep -q "^Generation.$1\\b" <(last_status); }
# A function, so that wait_for reads the last line afresh each time.
says_recording() { grep -q "recording${1:-}" <(last_status); }
# Fills the export dialog of that title: the file name, then the size, and
# with TABS-TO-CAPTION, the caption and the chart checked after the size
# (and the rate, for a film).
export_dialog() {  # TITLE FILE SIZE [TABS-TO-CAPTION]
  wait_for 20 dialog_up "$1" || die "no dialog \"$1\""
  xdotool windowfocus --sync "$(dialog "$1")"
  sleep 0.3
  xdotool key ctrl+a
  xdotool type --delay 5 "$2"
  xdotool key Tab ctrl+a
  xdotool type --delay 5 "$3"
  if [ $# -ge 4 ]; then
    for _ in $(seq "$4"); do xdotool key Tab; done
    xdotool key space Tab space
  fi
  xdotool key Return
  wait_for 5 dialog_gone "$1" || die "the dialog \"$1\" stayed"
}
# The mean brightness, 0 to 1, of a part of a picture.   brightness PNG WxH+X+Y
brightness() { convert "$1" -crop "$2" +repage -colorspace Gray -format '%[fx:mean]' info:; }
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
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

# A film of two generations stepped, and a picture, with the caption and
# the chart: the chart's side is light where the board alone is black, and
# the caption's strip holds letters on black.
key v
export_dialog "Record a film of the generations shown" "$work/told.webm" 640x360 2
wait_for 10 says_recording ",.frame.1\\b" || die "the film with a caption did not start"
for k in 6 7; do
  key n
  wait_for 10 shown "$k" || die "generation $k was not shown"
done
key v
wait_for 20 grep -q "told.webm is saved: 3 frames" "$status_log" || fail "no notice that the film with a caption was saved"
[ "$(frames "$work/told.webm")" = "640,360,3" ] ||
  fail "the film with a caption has $(frames "$work/told.webm") (width, height, frames), not 640,360,3"
ffmpeg -v error -y -i "$work/told.webm" -vf "select=eq(n\\,2)" -frames:v 1 "$work/told.png"
ffmpeg -v error -y -i "$work/steps.webm" -vf "select=eq(n\\,5),scale=640:360" -frames:v 1 "$work/alone.png"
chart=$(brightness "$work/told.png" 200x280+430+10) alone=$(brightness "$work/alone.png" 200x280+430+10)
above "$chart" 0.7 && ! above "$alone" 0.3 ||
  fail "the chart's side of the film is $chart bright, of the board alone $alone: no chart"
caption=$(brightness "$work/told.png" 600x14+20+342)
above "$caption" 0.03 && ! above "$caption" 0.6 || fail "the caption's strip is $caption bright: no letters on black"
key p
export_dialog "Save a picture of the view" "$work/told-view.png" 800x450 1
wait_for 20 test -s "$work/told-view.png" || fail "no picture with a caption saved"
above "$(brightness "$work/told-view.png" 250x350+540+10)" 0.7 || fail "the picture has no chart beside the board"

# A picture's name without .png gets it.
key p
export_dialog "Save a picture of the view" "$work/named" 320x240
wait_for 20 test -s "$work/named.png" || fail "a picture named without .png was not saved as named.png"
[ ! -e "$work/named" ] || fail "a picture named without .png was saved under that name"

# Answers "Replace NAME?" with Yes, and the message box that tells a
# problem, titled vivar as the window is, with OK. A box mapped on a busy
# machine may miss the first key: Return again while it stays up.
box() {
  if [ "$1" = vivar ]; then
    xdotool search --onlyvisible --name '^vivar$' 2>/dev/null | grep -v -x "$window" | head -n 1
  else
    dialog "$1"
  fi
}
box_up() { [ -n "$(box "$1")" ]; }
box_gone() { [ -z "$(box "$1")" ]; }
press_return_on() {  # TITLE
  wait_for 10 box_up "$1" || die "no dialog \"$1\""
  for try in 1 2 3; do
    xdotool windowfocus --sync "$(box "$1")"
    sleep 0.3
    xdotool key Return
    wait_for 2 box_gone "$1" && return
    echo "the dialog \"$1\" is still up after try $try"
  done
}
# Types a name into the export dialog of that title, keeping its size.
name_in_dialog() {  # TITLE FILE
  wait_for 20 dialog_up "$1" || die "no dialog \"$1\""
  xdotool windowfocus --sync "$(dialog "$1")"
  sleep 0.3
  xdotool key ctrl+a
  xdotool type --delay 5 "$2"
  xdotool key Return
}
# A picture through a link to a device, and a film through a link to a
# FIFO, both made here: refused, and the device and the FIFO stay.
mknod "$work/myfull" c 1 7
ln -s myfull "$work/device.png"
mkfifo "$work/fifo"
ln -s fifo "$work/fifo.webm"
key p
name_in_dialog "Save a picture of the view" "$work/device.png"
press_return_on "Replace device.png."
wait_for 20 grep -q "the picture was not saved: .*device.png: " "$err" || die "a picture through a link to a device was not refused"
press_return_on "vivar"
key v
name_in_dialog "Record a film of the generations shown" "$work/fifo.webm"
press_return_on "Replace fifo.webm."
wait_for 20 grep -q "no film was recorded: .*fifo.webm: " "$err" || die "a film through a link to a FIFO was not refused"
press_return_on "vivar"
grep -q "recording" <(last_status) && fail "the status line says that it records into a FIFO"
[ -c "$work/myfull" ] && [ "$(stat -c %t,%T "$work/myfull")" = 1,7 ] || fail "the device was replaced: $(ls -l "$work/myfull")"
[ -p "$work/fifo" ] || fail "the FIFO was replaced: $(ls -l "$work/fifo")"
close_vivar
[ "$(grep -c -v -e "the picture was not saved" -e "no film was recorded" "$err")" -eq 0 ] || fail "stderr: $(cat "$err")"

# A disk that fills while it records (a file-size limit, SIGXFSZ ignored)
# stops the film, which says after how many frames it is cut, the frames
# the file holds; the run goes on.
: >"$status_log"
# The trace goes through a pipe, which the limit leaves alone.
VIVAR_STATUS_LOG=$status_log start_vivar bash -c 'set -o pipefail; ( trap "" XFSZ; ulimit -f 400; exec "$0" "$@" ) | cat' \
  "$vivar" --seed 11 --pace 0
button 3  # fill
wait_for 5 grep -q "cats" "$status_log" || die "no status line"
key v
export_dialog "Record a film of the generations shown" "$work/cut.webm" 1280x720
wait_for 10 says_recording || die "the film did not start"
button 0  # play
wait_for 60 grep -q "The film stopped: .*cut.webm: File too large; it is cut short after [0-9]* frames" "$err" ||
  die "a full disk did not stop the film: $(last_status)"
grep -q "The film stopped" "$status_log" || fail "the status line does not tell that the film stopped"
said=$(grep -o -E "cut short after [0-9]+" "$err" | grep -o -E "[0-9]+")
[ "$(frames "$work/cut.webm" | cut -d, -f3)" = "$said" ] ||
  fail "the film says it holds $said frames; ffprobe reads $(frames "$work/cut.webm")"
at=$(last_status | grep -o -E '^Generation.[0-9]+' | grep -o -E '[0-9]+')
wait_for 10 bash -c "[ \$(tail -n 1 '$status_log' | grep -o -E '^Generation.[0-9]+' | grep -o -E '[0-9]+') -gt $(( at + 5 )) ]" ||
  fail "the run did not go on after the film stopped"
grep -q "recording" <(last_status) && fail "the status line still says that it records"
close_vivar
[ "$(grep -c -v "The film stopped" "$err")" -eq 0 ] || fail "stderr: $(cat "$err")"
end_checks
