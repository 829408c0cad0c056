#!/usr/bin/env bash
# Packs the Windows libraries' cache folder for today's key into
# <key>.tar.xz with its <key>.tar.xz.sha256, the archive toolchain.sh
# unpacks on a new machine instead of building for 50 minutes: the key of
# Coin, Qt and SoQt, or with --films the film libraries' key (libvpx and
# FFmpeg, a few minutes).
#
#   packaging/windows/archive.sh [--films] [FOLDER]
#
# FOLDER defaults to the one toolchain.sh reads ($VIVAR_WINDOWS_ARCHIVES, or
# shared/windows-toolchain beside the project). The libraries must have been
# built (or unpacked) by toolchain.sh first; this script builds nothing.
# XZ_OPT sets the compression (default -9: 20 MB, about a minute).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
libraries=(coin qtbase qtcharts soqt)
which_root=--root
if [ "${1:-}" = --films ]; then
  libraries=(libvpx ffmpeg)
  which_root=--film-root
  shift
fi
out=${1:-${VIVAR_WINDOWS_ARCHIVES:-$(cd "$here/../../.." && pwd)/shared/windows-toolchain}}

root=$("$here/toolchain.sh" "$which_root")
key=$(basename "$root")
for library in "${libraries[@]}"; do
  if [ ! -f "$root/$library.done" ]; then
    echo "archive.sh: $library is not built in $root; run packaging/windows/toolchain.sh first" >&2
    exit 1
  fi
done

mkdir -p "$out"
out=$(cd "$out" && pwd)
archive=$out/$key.tar.xz
# Written aside and renamed, so that a reader never takes half an archive
# for a whole one; the checksum comes last.
partial=$archive.partial
trap 'rm -f "$partial"' EXIT
stamps=()
for library in "${libraries[@]}"; do stamps+=("$library.done"); done
tar -C "$root" --sort=name --owner=0 --group=0 --numeric-owner -cf - prefix "${stamps[@]}" \
  | XZ_OPT=${XZ_OPT:--9} xz -T0 > "$partial"
rm -f "$archive.sha256"
mv "$partial" "$archive"
(cd "$out" && sha256sum "$key.tar.xz" > "$key.tar.xz.sha256")
echo "$archive ($(du -h "$archive" | cut -f1))"
