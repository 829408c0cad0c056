#!/usr/bin/env bash
# Frames per second written by vivar-sim --film end to end (a frame per
# generation, the first board's included), best of three runs: the busy
# board of 20 x 20 (seed 5) drawn from the tile pictures in 800 x 800, and a
# board of 500 x 500 drawn as a board map in 800 x 800, each as a WebM and a
# GIF, beside the same run without a film.
#   bench/film_throughput.sh [build-dir | vivar-sim binary]
source "$(dirname "$0")/lib.sh"
sim=$(sim_of "${1:-}")

fps() {  # generations, then vivar-sim's arguments
  local n=$1
  shift
  awk -v f=$((n + 1)) -v t="$(best_of_three_ns "$sim" --generations "$n" "$@")" 'BEGIN { printf "%.1f", f / (t / 1e9) }'
}

for film in webm gif; do
  echo "20x20 board (seed 5) in 800x800, .$film:    $(fps 300 --seed 5 --counts --film "$work/f.$film" \
    --film-size 800x800) frames/s"
  echo "500x500 board (seed 5) in 800x800, .$film:  $(fps 30 --seed 5 --size 500x500 --counts \
    --film "$work/f.$film" --film-size 800x800) frames/s"
done
echo "without a film: 20x20 $(fps 300 --seed 5 --counts) generations/s," \
     "500x500 $(fps 30 --seed 5 --size 500x500 --counts) generations/s"
