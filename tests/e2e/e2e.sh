#!/usr/bin/env bash
# The real program under a display, driven with real clicks on its buttons
# and closed the way a window manager closes a window.
#   e2e.sh VIVAR WM_CLOSE PICTURES-DIR SCENARIO
# Scenarios: stopped (fill, colours, clear, play, stop, close while stopped),
# running (close while the simulation runs).
source "$(dirname "$0")/session.sh"
vivar=$1 wm_close=$2 pictures=$3 scenario=$4
count() { grep -c -x -F -- "$1" "$out"; }
count_at_least() { [ "$(count "$1")" -ge "$2" ]; }

shot() { xwd -root -silent | convert xwd:- "$work/$1.png"; }
# Mean colour of a 10x10 patch around a point, as "r g b" in 0..255.
colour_at() {
  convert "$work/$1.png" -crop "10x10+$(( $2 - 5 ))+$(( $3 - 5 ))" +repage -scale 1x1\! \
    -format '%[fx:int(255*r+0.5)] %[fx:int(255*g+0.5)] %[fx:int(255*b+0.5)]' info:
}
# Where a square's tile is on screen: rows run right, columns run down.
tile_centre() {
  local square=$1 row=$(( $1 / 20 )) column=$(( $1 % 20 ))
  echo "$(( board_x + (2 * row + 1) * board_w / 40 )) $(( board_y + (2 * column + 1) * board_h / 40 ))"
}
# Two "r g b" colours that differ by no more than texture filtering does.
similar() {
  local a=($1) b=($2)
  near "${a[0]}" "${b[0]}" 4 && near "${a[1]}" "${b[1]}" 4 && near "${a[2]}" "${b[2]}" 4
}
near() {  # actual expected tolerance
  local d=$(( $1 - $2 )); [ "${d#-}" -le "$3" ]
}

cd "$pictures" || die "no pictures folder"
"$vivar" >"$out" 2>"$err" &
pid=$!

window=$(wait_for_window) && [ -n "$window" ] || die "no window titled vivar after the idle line"
[ "$(sed -n 1p "$out")" = "view creada" ] || fail "first line: $(sed -n 1p "$out")"
[ "$(sed -n 2p "$out")" = "vista valore de corre = 0" ] || fail "second line"
sed -n 3p "$out" | grep -q -E '^vista  valore de &corre = [0-9]+$' || fail "third line"
# The board is the part of the drawing area that is not background black;
# on the first frame it must be there without any interaction.
find_board() {
  shot start
  read -r board_w board_h board_x board_y < <(convert "$work/start.png" -crop 900x790+30+0 +repage -fuzz 4% -trim \
    -format '%w %h %X %Y' info: 2>/dev/null | tr -d '+')
  [ "${board_w:-0}" -ge 400 ] && near "$board_w" "$board_h" 4
}
wait_for 10 find_board || die "the empty board is not drawn on the first frame"
board_x=$(( board_x + 30 ))
echo "board on screen: ${board_w}x${board_h} at $board_x,$board_y"

close_and_time() {
  local started
  started=$(now_ms)
  "$wm_close" "$window"
  wait_for 6 bash -c "! kill -0 $pid 2>/dev/null" || die "still running a minute after the close request"
  wait "$pid"; status=$?; pid=
  close_ms=$(( $(now_ms) - started ))
  echo "closed: exit $status after $close_ms ms"
}

check_trace_well_formed() {
  awk -f "$tests_dir/e2e/trace_check.awk" "$out" || fail "trace not well formed"
}

case "$scenario" in
stopped)
  button 3  # fill
  wait_for 5 count_at_least "  -- fin       doUpdates --" 1 || die "fill showed nothing"
  [ "$(grep -c '^random = ' "$out")" -eq 400 ] && [ "$(grep -c '^especie = ' "$out")" -eq 400 ] || fail "fill lines"
  # Kinds by square, from the fill's trace; an empty square shows the plane.
  mapfile -t kinds < <(sed -n 's/^especie = //p' "$out")
  empty=-1 lizard=-1
  for s in $(seq 0 399); do
    [ "${kinds[$s]}" = 0 ] && [ "$empty" -lt 0 ] && empty=$s
    [ "${kinds[$s]}" = 1 ] && [ "$lizard" -lt 0 ] && lizard=$s
  done
  read -r lx ly < <(tile_centre "$lizard")
  read -r ex ey < <(tile_centre "$empty")
  lizard_shown() { shot filled; ! similar "$(colour_at start "$lx" "$ly")" "$(colour_at filled "$lx" "$ly")"; }
  wait_for 5 lizard_shown || fail "a filled lizard's tile did not change"
  read -r r0 g0 b0 < <(colour_at filled "$ex" "$ey")

  # The fifth button brightens all three components by 0.3, the sixth takes
  # green down, the seventh and eighth move blue.
  expect_colour_step() {  # button dr dg db (in 0.3 steps)
    local before="$r0 $g0 $b0" r g b
    button "$1"
    colour_moved() { shot colour; ! similar "$(colour_at colour "$ex" "$ey")" "$before"; }
    wait_for 5 colour_moved
    sleep 0.2; shot colour
    read -r r g b < <(colour_at colour "$ex" "$ey")
    near $(( r - r0 )) $(( $2 * 66 )) 22 && near $(( g - g0 )) $(( $3 * 66 )) 22 && near $(( b - b0 )) $(( $4 * 66 )) 22 \
      || fail "button $1 moved the colour from ($before) to ($r $g $b)"
    r0=$r g0=$g b0=$b
  }
  expect_colour_step 4 1 1 1
  expect_colour_step 4 1 1 1
  expect_colour_step 5 0 -1 0
  expect_colour_step 6 0 0 1
  expect_colour_step 7 0 0 -1
  [ "$(count 'mas verde')" -eq 2 ] && [ "$(count 'en el if(0) mas verde')" -eq 2 ] || fail "more-green lines"

  button 0  # play
  wait_for 8 count_at_least "model ----------------------------- a cambiar imagenes " 3 || die "play started no generations"
  for b in 4 5 6 7; do button "$b"; done  # nothing while running
  button 2  # clear: nothing while running
  sleep 0.2
  button 1  # stop
  stopped_at=$(count "model ----------------------------- a cambiar imagenes ")
  # The generation under way ends; on a loaded machine the click can come
  # late enough for one more to start. A run that goes on makes several.
  sleep 5
  after=$(count "model ----------------------------- a cambiar imagenes ")
  [ "$after" -le $(( stopped_at + 2 )) ] || fail "stop let $((after - stopped_at)) more generations run"
  [ "$(count 'mas verde')" -eq 3 ] && [ "$(count 'en el if(0) mas verde')" -eq 2 ] || fail "more-green while running"
  [ "$(count '  -- principio doUpdates --')" -eq $(( after + 1 )) ] || fail "not every generation was shown once"

  button 2  # clear
  # An empty board shows the plane on every tile, in the colour it had
  # before the run: two tiles that happen to hold the same creature are
  # not a cleared board.
  board_cleared() {
    shot cleared
    similar "$(colour_at cleared "$lx" "$ly")" "$r0 $g0 $b0" && similar "$(colour_at cleared "$ex" "$ey")" "$r0 $g0 $b0"
  }
  wait_for 5 board_cleared ||
    fail "after the clear the tiles show ($(colour_at cleared "$lx" "$ly")) and ($(colour_at cleared "$ex" "$ey")), not the plane's colour before the run ($r0 $g0 $b0)"
  close_and_time
  ;;
running)
  button 3; button 0
  wait_for 8 count_at_least "model ----------------------------- a cambiar imagenes " 2 || die "no generations"
  close_and_time
  ;;
*) die "unknown scenario $scenario" ;;
esac

# The time from the close to the exit is a figure for benchmarks, printed
# above: a sanitizer build on a loaded machine takes seconds. A hang fails.
[ "$status" -eq 0 ] || fail "exit status $status"
[ "$(count '******************* IDLE*****************')" -eq 1 ] || fail "idle line not once"
[ "$(count 'view creada')" -eq 1 ] || fail "start-up lines not once"
check_trace_well_formed
[ ! -s "$err" ] || { fail "stderr not empty"; cat "$err"; }
end_checks "ok: $scenario"
