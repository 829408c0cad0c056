# Checks that a run's console trace is well formed: every creature's turn
# closed before the next opens, every generation shown (its update lines)
# before the next begins, no fill inside a generation. Only the very last
# generation may go unshown: the one run after the window has closed.
function fail(why) { print "trace line " NR ": " why; bad = 1 }
/^--------casilla con (lagartija|gato)----------$/ {
  if (open) fail("a turn opens inside a turn")
  if (unshown) fail("a generation starts before the last one was shown")
  open = 1; next
}
/^--------fin casilla con (lagartija|gato)----------$/ { if (!open) fail("a turn closes that was not open"); open = 0; next }
/^model ----------------------------- a cambiar imagenes $/ {
  if (open) fail("hand-off inside a turn")
  if (unshown) fail("a generation was never shown")
  unshown = 1; generations++; next
}
/^  -- principio doUpdates --$/ { if (updating) fail("an update inside an update"); updating = 1; next }
/^  -- fin       doUpdates --$/ { if (!updating) fail("an update ends that did not begin"); updating = 0; unshown = 0; next }
/^random = / { if (open || unshown) fail("a fill inside a generation") }
END {
  if (open) fail("a turn left open")
  if (updating) fail("an update left open")
  exit bad
}
