#!/usr/bin/env bash
# The window's memory on the largest board through a long session: on a
# 2000 x 2000 board, fill, play, one generation back, a step, fill again,
# play, undo, redo, (a picture,) save the board, then open a 20 x 20 board.
# Prints the peak resident memory of the session, with and without the
# picture, and the resident memory once the small board is open against a
# fresh 20 x 20 window's after its fill.
#   bench/large_board_memory.sh [build-dir]
source "$(dirname "$0")/lib.sh"
build=$(cd "${1:-$bench_dir/../build}" && pwd)
on_a_display 1280x1024x24 "$0" "$build"
runtime_folder
export LC_ALL=C.UTF-8
unset LANGUAGE
pid=
before_clean_up() { [ -n "$pid" ] && kill "$pid" 2>/dev/null; }
status_log=$work/status

mb() { awk -v key="$2:" '$1 == key { printf "%.0f", $2 / 1024 }' "/proc/$1/status"; }
status() { tail -n 1 "$status_log" 2>/dev/null | sed 's/\xc2\xa0/ /g'; }
# Waits, for as long as a 2000 x 2000 board may need, until the status line
# matches.
until_says() {
  local deadline=$(( SECONDS + 300 ))
  until status | grep -q -E "$1"; do
    [ "$SECONDS" -lt "$deadline" ] || { echo "no '$1' on the status line: $(status)" >&2; exit 1; }
    sleep 0.2
  done
}
shown() { status | sed -n 's/^Generation \([0-9]*\).*/\1/p'; }
key() { xdotool windowfocus --sync "$window" key "$1"; }
dialog() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
# Types a file name (and with a third argument, a size after Tab) into the
# dialog of that title.
answer() {  # TITLE FILE [SIZE]
  until [ -n "$(dialog "$1")" ]; do sleep 0.2; done
  xdotool windowfocus --sync "$(dialog "$1")"
  sleep 0.5
  xdotool key ctrl+a type --delay 5 "$2"
  if [ -n "${3:-}" ]; then xdotool key Tab ctrl+a type --delay 5 "$3"; fi
  xdotool key Return
  until [ -z "$(dialog "$1")" ]; do sleep 0.2; done
}
start() {
  : >"$status_log"
  VIVAR_STATUS_LOG=$status_log "$build/vivar" "$@" --seed 5 --pace 0 --quiet 2>"$work/err" &
  pid=$!
  until window=$(xdotool search --name '^vivar$' 2>/dev/null | head -n 1) && [ -n "$window" ]; do sleep 0.2; done
  until_says "^Generation 0"
}
play_a_little() {
  local from
  from=$(shown)
  key space
  until [ "$(shown)" -ge $(( from + 2 )) ]; do sleep 0.2; done
  key space
  until_says "stopped"
  # The generation under way at the stop is still shown after it.
  local before=
  until [ "$before" = "$(status)" ]; do before=$(status); sleep 1; done
}
close() { key ctrl+q; wait "$pid" || true; pid=; }

"$build/vivar-sim" --seed 5 --generations 3 --save-board "$work/small.vivar" >/dev/null

start
key 4
until_says "^Generation 0 .*stopped"
sleep 2
fresh=$(mb "$pid" VmRSS)
close

session() {  # with a picture: yes or no
  start --size 2000x2000
  key 4
  until_says "^Generation 0 .*stopped"
  play_a_little
  local at
  at=$(shown)
  key comma
  until_says "^Generation $(( at - 1 )) "
  key n
  until_says "^Generation $at .*stopped"
  key 4
  until_says "^Generation 0 .*stopped"
  play_a_little
  key ctrl+z
  until_says "Undone"
  key ctrl+y
  until_says "Redone"
  if [ "$1" = yes ]; then
    key p
    answer "Save a picture of the view" "$work/view.png" 1920x1080
    until [ -s "$work/view.png" ]; do sleep 0.2; done
  fi
  key ctrl+s
  answer "Save the board at generation [0-9]+" "$work/big.vivar"
  until [ -s "$work/big.vivar" ]; do sleep 0.2; done
  key ctrl+o
  answer "Open a board" "$work/small.vivar"
  until_says "^Generation 3 "
  sleep 2
  peak=$(mb "$pid" VmHWM)
  after=$(mb "$pid" VmRSS)
  close
  rm -f "$work/view.png" "$work/big.vivar"
}

session no
echo "2000x2000 session: peak $peak MB; with the 20x20 board open $after MB, a fresh 20x20 window $fresh MB"
session yes
echo "the same with a 1920x1080 picture: peak $peak MB; with the 20x20 board open $after MB"
