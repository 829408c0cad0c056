#!/usr/bin/env bash
# Builds the Windows libraries that vivar links (Qt 5's qtbase and qtcharts,
# Coin, SoQt) from Debian's source packages with MinGW-w64, once. They are
# kept in a cache folder outside the work tree, one folder per set of
# versions, so a second run reuses them and a change of version builds anew.
# Before building, it looks for that folder as a prepared archive (made by
# archive.sh) and unpacks it when its checksum matches.
#
#   packaging/windows/toolchain.sh         prints the prefix they are installed to
#   packaging/windows/toolchain.sh --root  prints this key's cache folder, builds nothing
#
# VIVAR_WINDOWS_CACHE names the cache folder (default ~/.cache/vivar-windows),
# VIVAR_WINDOWS_ARCHIVES the folder of archives (default shared/windows-toolchain
# beside the project). Progress goes to stderr, each library's build log to
# its own file.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
archives=${VIVAR_WINDOWS_ARCHIVES:-$(cd "$here/../../.." && pwd)/shared/windows-toolchain}
cache=${VIVAR_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vivar-windows}
jobs=$(nproc)
# Raised whenever this script changes how a library is built, so that a
# cache made by an older recipe is not taken for a current one.
recipe=2

say() { echo "== windows toolchain: $*" >&2; }

# Debian's source packages through a private apt configuration, leaving
# the system's sources as they are.
apt_dir=$cache/apt
apt_options=(
  -o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt_dir/sources"
  -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
  -o APT::Sandbox::User=root
)

update_source_lists() {
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/sources" "$apt_dir/cache/archives/partial"
  cat > "$apt_dir/sources/debian-src.sources" <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  # Lists younger than a day are good enough; without a network, older
  # ones are too.
  if [ -z "$(find "$apt_dir/lists" -maxdepth 1 -name '*Sources*' -mtime -1 -print -quit)" ]; then
    apt-get "${apt_options[@]}" update >&2 || [ -n "$(ls "$apt_dir/lists" | grep Sources)" ]
  fi
}

source_version() {
  apt-cache "${apt_options[@]}" showsrc "$1" | awk '/^Version:/ { print $2 }' | sort -V | tail -n 1
}

# Unpacks a source package without Debian's patches into $2, then applies
# the patches named after it.
unpack() {  # package version folder [patch...]
  local package=$1 version=$2 folder=$3
  shift 3
  rm -rf "$folder"
  (cd "$downloads" && apt-get "${apt_options[@]}" source --download-only "$package=$version" >&2)
  dpkg-source --skip-patches -x "$downloads/${package}_${version#*:}.dsc" "$folder" >&2
  local patch
  for patch in "$@"; do
    patch -d "$folder" -p1 --forward --quiet < "$folder/debian/patches/$patch" >&2
  done
}

# Every patch of a series up to its Debian-specific part: what upstream
# fixed since the release, security fixes among them.
upstream_patches() {  # folder
  sed -n '/^# Debian specific/q; /^[^#]/p' "$1/debian/patches/series"
}

stamp() {
  touch "$root/$1.done"
  say "$1 built in $(( (SECONDS - since) / 60 )) min $(( (SECONDS - since) % 60 )) s"
  since=$SECONDS
}
since=$SECONDS
built() { [ -f "$root/$1.done" ]; }

logged() {  # log command...
  local log=$1
  shift
  if ! "$@" > "$log" 2>&1; then
    tail -n 40 "$log" >&2
    say "failed; the whole log is $log"
    exit 1
  fi
}

update_source_lists
qtbase_version=$(source_version qtbase-opensource-src)
qtcharts_version=$(source_version qtcharts-opensource-src)
coin_version=$(source_version coin3)
soqt_version=$(source_version soqt)
compiler_version=$(x86_64-w64-mingw32-g++-posix -dumpversion)
for v in "$qtbase_version" "$qtcharts_version" "$coin_version" "$soqt_version"; do
  [ -n "$v" ] || { say "cannot find the source packages' versions"; exit 1; }
done
key="qtbase-$qtbase_version.qtcharts-$qtcharts_version.coin-$coin_version.soqt-$soqt_version.mingw-$compiler_version.r$recipe"
key=${key//[:~]/_}
root=$cache/$key
if [ "${1:-}" = --root ]; then
  echo "$root"
  exit 0
fi
prefix=$root/prefix
downloads=$root/downloads
mkdir -p "$prefix" "$downloads" "$root/build"
toolchain_file=$here/mingw-w64.cmake
# Coin and SoQt are built for size too: the scene is small, and -O3 took
# longer to compile for nothing a user would notice.
cross_cmake=(cmake -DCMAKE_TOOLCHAIN_FILE="$toolchain_file" -DCMAKE_BUILD_TYPE=MinSizeRel
             -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix")
export VIVAR_WINDOWS_PREFIX=$prefix

# All four share one key and one archive. A library added later gets a key
# and an archive of its own, so that adding it rebuilds only itself.
libraries=(coin qtbase qtcharts soqt)
all_built() {
  local library
  for library in "${libraries[@]}"; do built "$library" || return 1; done
}

# Unpacks this key's archive in place of a build, if there is one and its
# checksum matches; otherwise says in one line why the build goes on.
from_archive() {
  local archive=$archives/$key.tar.xz
  if [ ! -f "$archive" ]; then
    say "no archive for this key in $archives: building from source"
    return 1
  fi
  if [ ! -f "$archive.sha256" ]; then
    say "$archive has no checksum beside it: not used, building from source"
    return 1
  fi
  local expected actual
  expected=$(awk 'NR == 1 { print $1 }' "$archive.sha256")
  actual=$(sha256sum < "$archive" | awk '{ print $1 }')
  if [ "$expected" != "$actual" ]; then
    say "$archive does not match its checksum: not used, building from source"
    return 1
  fi
  # Unpacked aside first, so that a bad archive leaves the prefix as it was.
  local staging=$root/unpacking library
  rm -rf "$staging"
  mkdir -p "$staging"
  if ! tar -xJf "$archive" -C "$staging" --no-same-owner >&2; then
    rm -rf "$staging"
    say "cannot unpack $archive: building from source"
    return 1
  fi
  for library in "${libraries[@]}"; do
    if [ ! -f "$staging/$library.done" ] || [ ! -d "$staging/prefix" ]; then
      rm -rf "$staging"
      say "$archive lacks $library: building from source"
      return 1
    fi
  done
  rm -rf "$prefix"
  mv "$staging/prefix" "$prefix"
  mv "$staging"/*.done "$root/"
  rm -rf "$staging"
  say "unpacked the libraries from $archive"
}

all_built || from_archive || true

if ! built coin; then
  say "Coin $coin_version"
  src=$root/build/coin-src
  unpack coin3 "$coin_version" "$src" 0003-Drop-use-of-cpack.patch
  # Coin's build wants Boost's headers only, from a folder of their own.
  mkdir -p "$root/build/boost"
  ln -sfn /usr/include/boost "$root/build/boost/boost"
  # Two of Coin's checks cannot run when cross-compiling: the answers are
  # given here.
  logged "$root/coin-configure.log" "${cross_cmake[@]}" -S "$src" -B "$root/build/coin" \
    -DCOIN_BUILD_TESTS=OFF -DCOIN_BUILD_DOCUMENTATION=OFF -DHAVE_SOUND=OFF -DCOIN_HAVE_JAVASCRIPT=OFF \
    -DBoost_INCLUDE_DIR="$root/build/boost" -DHAVE_HASH_QUOTING=1 \
    -DSIM_TIMEVAL_TV_SEC_T=long -DSIM_TIMEVAL_TV_USEC_T=long
  logged "$root/coin-build.log" cmake --build "$root/build/coin" -j "$jobs" --target install
  stamp coin
fi

if ! built qtbase; then
  say "Qt $qtbase_version (qtbase, about half an hour on two cores)"
  src=$root/build/qtbase-src
  unpack qtbase-opensource-src "$qtbase_version" "$src"
  for patch in $(upstream_patches "$src"); do
    patch -d "$src" -p1 --forward --quiet < "$src/debian/patches/$patch" >&2
  done
  # Configure once per build folder: a second configure rebuilds everything.
  rm -rf "$root/build/qtbase"
  mkdir -p "$root/build/qtbase"
  # Debian's repacked source has no wintab, sqlite or iaccessible2. Only
  # what vivar, Qt Charts and SoQt use is built (no network, SQL, XML,
  # printing, test library or concurrency module, no GIF, ICO or JPEG), for
  # size rather than speed: the build takes half an hour on two cores as it
  # is, and the window's work is in OpenGL, not in Qt.
  (cd "$root/build/qtbase" && logged "$root/qtbase-configure.log" "$src/configure" \
    -xplatform win32-g++ -device-option CROSS_COMPILE=x86_64-w64-mingw32- \
    -opengl desktop -release -optimize-size -opensource -confirm-license -prefix "$prefix" \
    -nomake examples -nomake tests -no-dbus -no-openssl \
    -no-feature-tabletevent -no-sql-sqlite -no-sql-odbc \
    -no-feature-network -no-feature-sql -no-feature-xml -no-feature-printer -no-feature-testlib \
    -no-feature-concurrent -no-gif -no-ico -no-libjpeg)
  logged "$root/qtbase-build.log" make -C "$root/build/qtbase" -j "$jobs"
  logged "$root/qtbase-install.log" make -C "$root/build/qtbase" install
  stamp qtbase
fi

if ! built qtcharts; then
  say "Qt Charts $qtcharts_version"
  src=$root/build/qtcharts-src
  unpack qtcharts-opensource-src "$qtcharts_version" "$src"
  rm -rf "$root/build/qtcharts"
  mkdir -p "$root/build/qtcharts"
  (cd "$root/build/qtcharts" && logged "$root/qtcharts-qmake.log" "$prefix/bin/qmake" "$src/qtcharts.pro")
  logged "$root/qtcharts-build.log" make -C "$root/build/qtcharts" -j "$jobs" sub-src
  logged "$root/qtcharts-install.log" make -C "$root/build/qtcharts/src" install
  stamp qtcharts
fi

if ! built soqt; then
  say "SoQt $soqt_version"
  src=$root/build/soqt-src
  unpack soqt "$soqt_version" "$src" 0004-Drop-use-of-CPack.patch
  # The common GUI sources, which upstream keeps as a submodule.
  ln -sfn ../../../sogui "$src/src/Inventor/Qt/common"
  logged "$root/soqt-configure.log" "${cross_cmake[@]}" -S "$src" -B "$root/build/soqt" \
    -DSOQT_BUILD_DOCUMENTATION=OFF -DSOQT_BUILD_TESTS=OFF -DSOQT_USE_QT6=OFF \
    -DQt5_DIR="$prefix/lib/cmake/Qt5"
  logged "$root/soqt-build.log" cmake --build "$root/build/soqt" -j "$jobs" --target install
  stamp soqt
fi

echo "$prefix"
