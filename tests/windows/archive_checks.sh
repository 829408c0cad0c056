#!/usr/bin/env bash
# The prepared archives of the Windows libraries, against the cache folders
# toolchain.sh has built or unpacked: archive.sh packs each key's,
# toolchain.sh unpacks each into an empty cache with the same files, and
# refuses a copy with one byte changed in one line and goes on to build from
# source (stopped as soon as that build starts).
#
#   tests/windows/archive_checks.sh
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
windows=$here/../../packaging/windows
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

root=$("$windows/toolchain.sh" --root)
key=$(basename "$root")
# The film libraries have a key and a cache folder of their own, outside the
# archive.
film_root=$("$windows/toolchain.sh" --film-root)
work=$(mktemp -d)
builder=
cleanup() {
  [ -z "$builder" ] || kill -- "-$builder" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# An empty cache that shares the real one's source lists, so that nothing
# is downloaded again, and its film libraries, so that none is built again.
empty_cache() {  # folder
  mkdir -p "$1"
  ln -s "$(dirname "$root")/apt" "$1/apt"
  ln -s "$film_root" "$1/$(basename "$film_root")"
}

echo "== packing $root"
# Packed lightly: how well it packs is not under test.
XZ_OPT=-0 "$windows/archive.sh" "$work/archives" >/dev/null
(cd "$work/archives" && sha256sum --quiet -c "$key.tar.xz.sha256") || fail "the checksum does not verify"

echo "== unpacking it into an empty cache"
empty_cache "$work/good"
prefix=$(VIVAR_WINDOWS_CACHE=$work/good VIVAR_WINDOWS_ARCHIVES=$work/archives \
  "$windows/toolchain.sh" 2> "$work/good.log")
[ "$prefix" = "$work/good/$key/prefix;$work/good/$(basename "$film_root")/prefix" ] ||
  fail "the prefixes printed are '$prefix'"
grep -q "^== windows toolchain: unpacked the libraries from $work/archives/$key.tar.xz\$" "$work/good.log" \
  || fail "no line says the archive was unpacked: $(cat "$work/good.log")"
grep -q ' built in ' "$work/good.log" && fail "a library was built although the archive was good"
diff <(cd "$root" && find prefix ./*.done | sort) <(cd "$work/good/$key" && find prefix ./*.done | sort) \
  > "$work/files.diff" || fail "the unpacked files differ from the cache's: $(head "$work/files.diff")"

echo "== the film libraries' archive"
film_key=$(basename "$film_root")
XZ_OPT=-0 "$windows/archive.sh" --films "$work/film-archives" >/dev/null
mkdir -p "$work/films"
ln -s "$(dirname "$root")/apt" "$work/films/apt"
ln -s "$root" "$work/films/$key"
VIVAR_WINDOWS_CACHE=$work/films VIVAR_WINDOWS_ARCHIVES=$work/film-archives \
  "$windows/toolchain.sh" > /dev/null 2> "$work/films.log"
grep -q "^== windows toolchain: unpacked the libraries from $work/film-archives/$film_key.tar.xz\$" \
  "$work/films.log" || fail "no line says the films' archive was unpacked: $(cat "$work/films.log")"
grep -q ' built in ' "$work/films.log" && fail "a film library was built although its archive was good"
diff <(cd "$film_root" && find prefix ./*.done | sort) <(cd "$work/films/$film_key" && find prefix ./*.done | sort) \
  > "$work/film-files.diff" || fail "the unpacked film files differ from the cache's: $(head "$work/film-files.diff")"

echo "== one byte changed"
mkdir "$work/bad"
cp "$work/archives/$key.tar.xz.sha256" "$work/bad/"
cp "$work/archives/$key.tar.xz" "$work/bad/"
archive=$work/bad/$key.tar.xz
offset=$(( $(stat -c %s "$archive") / 2 ))
byte=$(od -An -tu1 -j "$offset" -N1 "$archive" | tr -d ' ')
printf "\\$(printf '%03o' $(( 255 - byte )))" | dd of="$archive" bs=1 seek="$offset" conv=notrunc status=none
empty_cache "$work/bad-cache"
: > "$work/bad.log"
setsid env VIVAR_WINDOWS_CACHE="$work/bad-cache" VIVAR_WINDOWS_ARCHIVES="$work/bad" \
  "$windows/toolchain.sh" > /dev/null 2> "$work/bad.log" &
builder=$!
# Coin is the first library built from source.
for _ in $(seq 600); do
  grep -q '^== windows toolchain: Coin ' "$work/bad.log" && break
  kill -0 "$builder" 2>/dev/null || break
  sleep 0.5
done
kill -- "-$builder" 2>/dev/null || true
wait "$builder" 2>/dev/null || true
builder=
[ "$(grep -c 'does not match its checksum' "$work/bad.log")" = 1 ] \
  || fail "the changed archive is not refused in one line: $(cat "$work/bad.log")"
grep -q '^== windows toolchain: Coin ' "$work/bad.log" || fail "no build from source started: $(cat "$work/bad.log")"
grep -q 'unpacked' "$work/bad.log" && fail "the changed archive was unpacked"
ls "$work/bad-cache/$key"/*.done >/dev/null 2>&1 && fail "a stamp was left by the changed archive"

if [ "$failures" -gt 0 ]; then
  echo "archive checks: $failures failed" >&2
  exit 1
fi
echo "archive checks: all passed"
