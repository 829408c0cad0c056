#!/usr/bin/env bash
# vivar-sim's films in a real browser: headless Chromium, given a page from
# a server on the loopback, plays a WebM to its end and shows GIFs, the
# README's film among them; it reports their durations and the frames it
# decoded, and draws one frame of each into a canvas, whose squares are
# then held against the board of that generation. Skipped, with the
# reason on one line, where Chromium cannot run here.
#   browser_films.sh VIVAR-SIM
source "$(dirname "$0")/lib.sh"
sim=$(realpath "$1")
bench=$(dirname "$tests_dir")/bench
readme=$(dirname "$tests_dir")/README.md
skip() { echo "SKIPPED: $*"; exit 77; }
command -v chromium >/dev/null || skip "chromium is not installed (./build.sh test installs it)"
site=$work/site
mkdir -p "$site/results"
cp "$tests_dir/browser_films.html" "$site/films.html"

# A board map of 60 x 40 squares of 4 pixels, 16 frames at 10 a second;
# frame 7 is the one drawn. film_colours.sh makes its boards from seed 5.
frame=7
for film in map.webm map.gif; do
  "$sim" --seed 5 --size 60x40 --generations 15 --film "$site/$film" --film-size 240x160 >/dev/null ||
    die "vivar-sim could not make $film"
done
film=$(sed -n 's/^!\[[^]]*\](\(docs\/[^)]*\.gif\))$/\1/p' "$readme" | head -n 1)
[ -n "$film" ] && cp "$(dirname "$readme")/$film" "$site/readme.gif" || die "no film in the README"

# The server answers the page's PUTs with files in results/, each whole
# before it has its name, and says which port it took.
(cd "$site" && exec python3 -c '
import http.server, os
class Handler(http.server.SimpleHTTPRequestHandler):
    def do_PUT(self):
        name = os.path.join("results", os.path.basename(self.path))
        with open(name + ".part", "wb") as out:
            out.write(self.rfile.read(int(self.headers["Content-Length"])))
        os.rename(name + ".part", name)
        self.send_response(204)
        self.end_headers()
    def log_message(self, *args):
        pass
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
print(server.server_address[1], flush=True)
server.serve_forever()' >"$work/port") &
server=$!
chromium_pid=""
# Chromium's helpers outlive its first process for a moment: the whole
# group it leads goes, before its profile is removed.
chromium_running() { kill -0 -- "-$chromium_pid" 2>/dev/null; }
before_clean_up() {
  if [ -n "$chromium_pid" ]; then
    kill -- "-$chromium_pid" 2>/dev/null
    wait_for 5 eval '! chromium_running'
  fi
  kill "$server" 2>/dev/null
  wait
}
wait_for 5 test -s "$work/port" || die "the page's server did not start"

# A home of its own: Chromium keeps its crash reports' settings and dconf
# its cache there, whatever --user-data-dir says.
mkdir "$work/home"
HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_CACHE_HOME=$work/home/.cache setsid chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking \
  --disable-component-update --disable-sync --user-data-dir="$work/profile" \
  "http://127.0.0.1:$(cat "$work/port")/films.html?webm=map.webm&gif=map.gif&readme=readme.gif&frame=$frame&rate=10" \
  >"$work/chromium.log" 2>&1 &
chromium_pid=$!
figures=$site/results/figures.txt
page_done() { [ -f "$figures" ] || ! kill -0 "$chromium_pid" 2>/dev/null; }
wait_for 30 page_done
[ -f "$figures" ] || kill -0 "$chromium_pid" 2>/dev/null ||
  skip "Chromium ended without showing the page: $(grep -m1 -i -E 'error|fatal' "$work/chromium.log")"
[ -f "$figures" ] || die "the page gave no figures in five minutes"
echo "--- what Chromium reported"
cat "$figures"
figure() { awk -v film="$1" -v what="$2" '$1 == film && $2 == what { print $3 }' "$figures"; }
near() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a - b < 0.001 && b - a < 0.001) }'; }
grep '^error' "$figures" && fail "the page failed"

# The WebM: 16 frames of a tenth of a second, each decoded, played to its
# end, and the frame sought drawn as frame 7's board.
[ "$(figure webm size)" = 240x160 ] || fail "the WebM is $(figure webm size) in the browser, not 240x160"
near "$(figure webm duration)" 1.6 || fail "the WebM lasts $(figure webm duration) s in the browser, not 1.6"
near "$(figure webm played)" 1.6 || fail "the WebM played to $(figure webm played) s, not its end"
[ "$(figure webm decoded)" = 16 ] || fail "the browser decoded $(figure webm decoded) of the WebM's 16 frames"
[ "$(figure webm presented)" -gt 1 ] || fail "the browser presented $(figure webm presented) of the WebM's frames"
near "$(figure webm frame_time)" 0.7 || fail "seeking frame $frame showed the frame at $(figure webm frame_time) s"
"$bench/film_colours.sh" --least 99 --film "$site/map.webm" --frame "$site/results/webm-frame.png" "$sim" 60x40 240x160 \
  webm "$frame" || fail "the WebM's frame $frame as the browser drew it is not its board"

# The GIF: shown in an <img>, animated in a loop, and its frames, decoded,
# last as long and draw frame 7's board exactly.
[ "$(figure gif size)" = 240x160 ] || fail "the GIF is $(figure gif size) in the browser, not 240x160"
if [ "$(figure gif decoder)" = none ]; then
  echo "note: this Chromium has no ImageDecoder; the GIF's frames were not counted"
else
  [ "$(figure gif animated) $(figure gif repetitions)" = "1 Infinity" ] ||
    fail "the browser reads the GIF as animated $(figure gif animated), repeated $(figure gif repetitions) times"
  [ "$(figure gif decoded)" = 16 ] || fail "the browser decoded $(figure gif decoded) of the GIF's 16 frames"
  near "$(figure gif duration)" 1.6 || fail "the GIF lasts $(figure gif duration) s in the browser, not 1.6"
  "$bench/film_colours.sh" --least 100 --film "$site/map.gif" --frame "$site/results/gif-frame.png" "$sim" 60x40 \
    240x160 gif "$frame" || fail "the GIF's frame $frame as the browser drew it is not its board"
fi

# The README's film shows, at the size and with the frames ffprobe reads.
IFS=, read -r width height frames < <(ffprobe -v error -count_frames -select_streams v:0 \
  -show_entries stream=width,height,nb_read_frames -of csv=p=0 "$site/readme.gif")
[ "$(figure readme size)" = "${width}x$height" ] || fail "$film shows as $(figure readme size), not ${width}x$height"
[ "$(figure readme decoder)" = none ] || [ "$(figure readme animated) $(figure readme decoded)" = "1 $frames" ] ||
  fail "the browser decoded $(figure readme decoded) of $film's $frames frames, animated $(figure readme animated)"
end_checks
