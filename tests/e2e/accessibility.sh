#!/usr/bin/env bash
# What a screen reader finds in the window, over AT-SPI: the accessible tree
# of the window beside its Rules dialog and beside its experiment dialog,
# in English and in Spanish, with a
# name for every button and field, the board's size, generation and
# populations in its description, and other names in Spanish. The listings
# go to the log, and to $ACCESSIBILITY_LISTINGS when it names a folder.
#   accessibility.sh VIVAR WM-CLOSE PICTURES-DIR
# A D-Bus session of the test's own, which ends with it.
if [ -z "${VIVAR_TEST_OWN_BUS:-}" ]; then
  command -v dbus-run-session >/dev/null || { echo "skipped: no dbus-run-session (apt-get install dbus)"; exit 77; }
  VIVAR_TEST_OWN_BUS=1 exec dbus-run-session -- "$0" "$@"
fi
source "$(dirname "$0")/session.sh"
vivar=$(realpath "$1") wm_close=$(realpath "$2") pictures=$3
helper=$(dirname "$0")/accessibility.py
# Debian's pyatspi is for Debian's python, whatever python3 comes first.
python=/usr/bin/python3
launcher=/usr/libexec/at-spi-bus-launcher
bus_pid=
before_clean_up() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null
  return 0
}

skip() { echo "skipped: $*"; exit 77; }
[ -x "$launcher" ] || skip "no AT-SPI bus launcher (apt-get install at-spi2-core)"
"$python" -c 'import pyatspi' 2>/dev/null || skip "no pyatspi for $python (apt-get install python3-pyatspi)"

# The accessibility bus, and its registry started before the window: Qt 5
# asks the registry once, at start.
"$launcher" --launch-immediately >"$work/bus.log" 2>&1 &
bus_pid=$!
bus_address() {
  address=$(dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress 2>/dev/null |
    sed -n 's/.*string "\(.*\)"/\1/p')
  [ -n "$address" ]
}
wait_for 10 bus_address || skip "the AT-SPI bus did not start: $(tail -n 1 "$work/bus.log")"
dbus-send --bus="$address" --print-reply --dest=org.a11y.atspi.Registry /org/a11y/atspi/accessible/root \
  org.a11y.atspi.Accessible.GetChildren >/dev/null 2>&1 || skip "the AT-SPI registry did not start"
# Where a program run as root finds the bus, as Qt 5 reads it from the
# display.
xprop -root -f AT_SPI_BUS 8s -set AT_SPI_BUS "$address" || die "cannot tell the display where the AT-SPI bus is"

cd "$pictures" || die "no pictures folder"
listing() {  # LANGUAGE
  local file=$work/tree-$1.txt
  start_vivar "$vivar" --language "$1"
  # After the fill, the board's description has populations to tell.
  key 4
  sleep 0.5
  # Each dialog in turn beside the window: the Rules, then the experiment's.
  : >"$file"
  for dialog in '(Rules|Reglas)' '(Experiment|Experimento)'; do
    key "$([ "$dialog" = '(Rules|Reglas)' ] && echo r || echo e)"
    wait_for 10 dialog_up "$dialog" || die "the dialog $dialog did not open ($1)"
    "$python" "$helper" list >>"$file" || die "no accessible tree in $1"
    xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "^$dialog\$" | head -n 1)" key Escape
    wait_for 10 dialog_gone "$dialog" || die "Esc did not close the dialog $dialog ($1)"
  done
  close_vivar
  echo "--- the accessible tree in $1 (role, state, name, description)"
  cat "$file"
  "$python" "$helper" check "$file" || fail "the tree in $1 lacks names"
}
dialog_gone() { ! dialog_up "$1"; }
dialog_up() { [ "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l)" -ge 1 ]; }
listing en
listing es
"$python" "$helper" differ "$work/tree-en.txt" "$work/tree-es.txt" || fail "names alike in both languages"
if [ -n "${ACCESSIBILITY_LISTINGS:-}" ]; then
  cp "$work/tree-en.txt" "$work/tree-es.txt" "$ACCESSIBILITY_LISTINGS/"
fi
end_checks "the window's controls are named in English and in Spanish"
