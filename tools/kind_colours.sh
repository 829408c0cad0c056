# shellcheck shell=bash
# Sourced by the scripts that draw or check the kinds' colours: the one
# palette of the window, films and plots, read from looks/kind_colours.h
# into map_colours, as "#RRGGBB" in the map's order (the empty square,
# brown lizards, green lizards, brown eggs, green eggs, cats).
kind_colours_file=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/looks/kind_colours.h
mapfile -t map_colours < <(awk '/kKinds\{/ { on = 1 } on { print } on && /\};/ { exit }' "$kind_colours_file" 2>/dev/null |
  grep -o '#[0-9A-Fa-f]\{6\}')
if [ "${#map_colours[@]}" -ne 6 ]; then
  echo "$0: no palette of six colours in $kind_colours_file" >&2
  exit 1
fi
