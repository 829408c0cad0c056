#!/bin/sh
# Redraws every picture here and docs/pictures.png from scratch.
set -eu
exec python3 "$(dirname "$0")/draw.py" "$@"
