#!/usr/bin/env bash
# Builds the Windows libraries that vivar links (Qt 5's qtbase and qtcharts,
# Coin, SoQt; and for films FFmpeg's libraries with libvpx) from Debian's
# source packages with MinGW-w64, once. They are kept in a cache folder
# outside the work tree, one folder per set of versions, so a second run
# reuses them and a change of version builds anew. Before building Qt, Coin
# and SoQt, it looks for their folder as a prepared archive (made by
# archive.sh) and unpacks it when its checksum matches. The film libraries
# have a key, a folder and an archive of their own, taken the same way, so
# that adding them left the first archive as it was.
#
#   packaging/windows/toolchain.sh               prints the two prefixes they are installed to,
#                                                as a CMake list: "QT-COIN-SOQT;FILM"
#   packaging/windows/toolchain.sh --root        prints the Qt, Coin and SoQt key's cache folder,
#                                                builds nothing
#   packaging/windows/toolchain.sh --film-root   the same for the film libraries' key
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
# The same for the film libraries, which have a key of their own.
film_recipe=1

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

stamp() {  # library [folder]
  touch "${2:-$root}/$1.done"
  say "$1 built in $(( (SECONDS - since) / 60 )) min $(( (SECONDS - since) % 60 )) s"
  since=$SECONDS
}
since=$SECONDS
built() { [ -f "${2:-$root}/$1.done" ]; }

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
ffmpeg_version=$(source_version ffmpeg)
libvpx_version=$(source_version libvpx)
compiler_version=$(x86_64-w64-mingw32-g++-posix -dumpversion)
for v in "$qtbase_version" "$qtcharts_version" "$coin_version" "$soqt_version" "$ffmpeg_version" "$libvpx_version"; do
  [ -n "$v" ] || { say "cannot find the source packages' versions"; exit 1; }
done
key="qtbase-$qtbase_version.qtcharts-$qtcharts_version.coin-$coin_version.soqt-$soqt_version.mingw-$compiler_version.r$recipe"
key=${key//[:~]/_}
root=$cache/$key
film_key="ffmpeg-$ffmpeg_version.libvpx-$libvpx_version.mingw-$compiler_version.r$film_recipe"
film_key=${film_key//[:~]/_}
film_root=$cache/$film_key
case "${1:-}" in
  --root) echo "$root"; exit 0 ;;
  --film-root) echo "$film_root"; exit 0 ;;
esac
prefix=$root/prefix
downloads=$root/downloads
mkdir -p "$prefix" "$downloads" "$root/build"
toolchain_file=$here/mingw-w64.cmake
# Coin and SoQt are built for size too: the scene is small, and -O3 took
# longer to compile for nothing a user would notice.
cross_cmake=(cmake -DCMAKE_TOOLCHAIN_FILE="$toolchain_file" -DCMAKE_BUILD_TYPE=MinSizeRel
             -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix")
export VIVAR_WINDOWS_PREFIX=$prefix

# Coin, Qt, Qt Charts and SoQt share one key and one archive. A library
# added later gets a key and an archive of its own, so that adding it
# rebuilds only itself: the film libraries have theirs.
all_built() {  # folder library...
  local folder=$1 library
  shift
  for library in "$@"; do built "$library" "$folder" || return 1; done
}

# Unpacks a key's archive in place of a build, if there is one and its
# checksum matches; otherwise says in one line why the build goes on.
from_archive() {  # key folder library...
  local key=$1 folder=$2
  shift 2
  local archive=$archives/$key.tar.xz
  if [ ! -f "$archive" ]; then
    say "no archive for $key in $archives: building from source"
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
  local staging=$folder/unpacking library
  rm -rf "$staging"
  mkdir -p "$staging"
  if ! tar -xJf "$archive" -C "$staging" --no-same-owner >&2; then
    rm -rf "$staging"
    say "cannot unpack $archive: building from source"
    return 1
  fi
  for library in "$@"; do
    if [ ! -f "$staging/$library.done" ] || [ ! -d "$staging/prefix" ]; then
      rm -rf "$staging"
      say "$archive lacks $library: building from source"
      return 1
    fi
  done
  rm -rf "$folder/prefix"
  mv "$staging/prefix" "$folder/prefix"
  mv "$staging"/*.done "$folder/"
  rm -rf "$staging"
  say "unpacked the libraries from $archive"
}

qt_libraries=(coin qtbase qtcharts soqt)
film_libraries=(libvpx ffmpeg)
all_built "$root" "${qt_libraries[@]}" || from_archive "$key" "$root" "${qt_libraries[@]}" || true

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

# The film libraries: libvpx's VP8 encoder, linked into FFmpeg's libavcodec,
# and of FFmpeg only what vivar's films use: the VP8 and GIF encoders, the
# WebM and GIF muxers, files, and swscale for the pixel formats. LGPL
# (FFmpeg without --enable-gpl) and BSD (libvpx), with their licences
# beside the libraries in share/licenses.
film_prefix=$film_root/prefix
mkdir -p "$film_root"
all_built "$film_root" "${film_libraries[@]}" || from_archive "$film_key" "$film_root" "${film_libraries[@]}" || true
mkdir -p "$film_prefix" "$film_root/build"
downloads=$film_root/downloads
mkdir -p "$downloads"
cross_c=(CC=x86_64-w64-mingw32-gcc-posix CXX=x86_64-w64-mingw32-g++-posix AR=x86_64-w64-mingw32-ar
         LD=x86_64-w64-mingw32-gcc-posix STRIP=x86_64-w64-mingw32-strip)

# Every patch in a source package's series, in order.
apply_series() {  # folder
  local patch
  for patch in $(grep -v '^#' "$1/debian/patches/series"); do
    patch -d "$1" -p1 --forward --quiet < "$1/debian/patches/$patch" >&2
  done
}

if ! built libvpx "$film_root"; then
  say "libvpx $libvpx_version"
  src=$film_root/build/libvpx-src
  unpack libvpx "$libvpx_version" "$src"
  apply_series "$src"
  rm -rf "$film_root/build/libvpx"
  mkdir -p "$film_root/build/libvpx"
  # One thread: vivar's films are the same file byte for byte every time.
  (cd "$film_root/build/libvpx" && logged "$film_root/libvpx-configure.log" env "${cross_c[@]}" \
    "$src/configure" --target=x86_64-win64-gcc --prefix="$film_prefix" --as=nasm \
    --enable-static --disable-shared --enable-pic --disable-multithread \
    --disable-vp9 --disable-vp8-decoder --enable-vp8-encoder \
    --disable-examples --disable-tools --disable-docs --disable-unit-tests)
  logged "$film_root/libvpx-build.log" make -C "$film_root/build/libvpx" -j "$jobs"
  logged "$film_root/libvpx-install.log" make -C "$film_root/build/libvpx" install
  mkdir -p "$film_prefix/share/licenses/libvpx"
  cp "$src/LICENSE" "$src/PATENTS" "$film_prefix/share/licenses/libvpx/"
  stamp libvpx "$film_root"
fi

if ! built ffmpeg "$film_root"; then
  say "FFmpeg $ffmpeg_version (its encoders and muxers for films only)"
  src=$film_root/build/ffmpeg-src
  unpack ffmpeg "$ffmpeg_version" "$src"
  apply_series "$src"
  rm -rf "$film_root/build/ffmpeg"
  mkdir -p "$film_root/build/ffmpeg"
  (cd "$film_root/build/ffmpeg" && logged "$film_root/ffmpeg-configure.log" \
    env PKG_CONFIG_LIBDIR="$film_prefix/lib/pkgconfig" PKG_CONFIG_PATH= \
    "$src/configure" --prefix="$film_prefix" --enable-cross-compile --target-os=mingw32 --arch=x86_64 \
    --cross-prefix=x86_64-w64-mingw32- --cc=x86_64-w64-mingw32-gcc-posix --pkg-config=pkg-config \
    --enable-shared --disable-static --disable-programs --disable-doc --disable-debug \
    --disable-autodetect --disable-network --disable-avdevice --disable-avfilter --disable-swresample \
    --disable-postproc --disable-everything --enable-libvpx --enable-encoder=libvpx_vp8,gif \
    --enable-muxer=webm,gif --enable-protocol=file --enable-swscale)
  logged "$film_root/ffmpeg-build.log" make -C "$film_root/build/ffmpeg" -j "$jobs"
  logged "$film_root/ffmpeg-install.log" make -C "$film_root/build/ffmpeg" install
  mkdir -p "$film_prefix/share/licenses/ffmpeg"
  cp "$src/COPYING.LGPLv2.1" "$src/LICENSE.md" "$src/debian/copyright" "$film_prefix/share/licenses/ffmpeg/"
  stamp ffmpeg "$film_root"
fi

echo "$prefix;$film_prefix"
