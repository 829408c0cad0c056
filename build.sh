#!/usr/bin/env bash
# Sets up a Debian 12 machine for vivar, builds it, and runs the program,
# the whole test suite, or makes the Debian package:
#   ./build.sh run      build and start the terrarium
#   ./build.sh test     build and run every test
#   ./build.sh package  build build/vivar_<version>_<arch>.deb and check it
#   ./build.sh windows  cross-build the Windows zip and installer into
#                       build-windows/ and test them under Wine
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build_dir=${VIVAR_BUILD_DIR:-$here/build}
jobs=$(nproc)

packages=(
  g++ cmake make
  libcoin-dev libsoqt520-dev qtbase5-dev libqt5charts5-dev
  libavcodec-dev libavformat-dev libavutil-dev libswscale-dev pkg-config ffmpeg
  qttools5-dev-tools qttranslations5-l10n locales
  libgtest-dev libbenchmark-dev
  xvfb xauth xdotool x11-apps imagemagick gnuplot-nox fonts-dejavu-core
  help2man man-db groff-base dpkg-dev file lintian appstream desktop-file-utils cmark-gfm
)

# What only the tests need besides: a real one-node Slurm with munge, and
# Chromium to play the films in; python3 serves the page it opens. The
# window is read over AT-SPI as a screen reader reads it, on a D-Bus of
# the test's own.
test_packages=(slurm-wlm munge chromium python3 at-spi2-core python3-pyatspi dbus-daemon dbus-bin x11-utils)

# What the Windows build needs besides: the cross-compiler, Wine to test
# under with Wine's own fonts, NSIS for the installer, Boost's headers for
# Coin, NASM for libvpx's and FFmpeg's assembly, pkg-config for FFmpeg's
# configure, xwininfo and xmodmap, and Tesseract to read the window's words.
windows_packages=(
  g++-mingw-w64-x86-64-posix mingw-w64-tools wine fonts-wine nsis libboost1.74-dev nasm pkg-config zip unzip
  x11-utils x11-xserver-utils tesseract-ocr tesseract-ocr-eng openbox
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing_packages() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "== installing: ${missing[*]}"
    as_root apt-get update
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
  fi
}

build() {  # [build dir] [extra CMake options...]
  local dir=${1:-$build_dir}
  shift || true
  cmake -S "$here" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVIVAR_WARNINGS_AS_ERRORS=ON "$@"
  cmake --build "$dir" -j "$jobs"
}

# Every test in a build folder, on the virtual display.
run_tests() {
  (cd "$1" && with_display ctest --output-on-failure -j "$jobs")
}

# The same in a sanitizer build, where a test that failed only because
# LeakSanitizer's own tracer crashed at exit runs once more.
run_sanitized_tests() {
  with_display "$here/tests/sanitizer_ctest.sh" "$1" --output-on-failure -j "$jobs"
}

# Tests that need a display get a virtual one with a 24-bit screen: the
# default 8-bit screen has no OpenGL visual.
with_display() {
  xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
}

case "${1:-}" in
  run)
    install_missing_packages
    build
    if xdotool getdisplaygeometry >/dev/null 2>&1; then
      exec "$build_dir/vivar"
    fi
    echo "== no display here: a short demonstration on a virtual one" >&2
    exec "$here/tools/demo.sh" "$build_dir" "$here/pictures" "$build_dir/vivar-demo.png"
    ;;
  test)
    packages+=("${test_packages[@]}")
    install_missing_packages
    build
    run_tests "$build_dir"
    if [ "${VIVAR_SANITIZERS:-1}" != 0 ]; then
      # The same tests again under AddressSanitizer with UndefinedBehavior-
      # Sanitizer, then ThreadSanitizer; any report fails the run.
      echo "== AddressSanitizer and UndefinedBehaviorSanitizer"
      build "$build_dir-asan" -DVIVAR_SANITIZE=address,undefined -DVIVAR_BUILD_BENCHMARKS=OFF \
        -DVIVAR_STRESS_RUNS=10 -DVIVAR_STRESS_FIRST_SEED=101
      ASAN_OPTIONS=detect_leaks=1 \
      UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      LSAN_OPTIONS=suppressions=$here/tests/lsan.supp:print_suppressions=0 \
        run_sanitized_tests "$build_dir-asan"
      echo "== ThreadSanitizer"
      build "$build_dir-tsan" -DVIVAR_SANITIZE=thread -DVIVAR_BUILD_BENCHMARKS=OFF \
        -DVIVAR_STRESS_RUNS=10 -DVIVAR_STRESS_FIRST_SEED=201
      TSAN_OPTIONS=suppressions=$here/tests/tsan.supp \
        run_sanitized_tests "$build_dir-tsan"
    fi
    ;;
  package)
    install_missing_packages
    build
    (cd "$build_dir" && cpack -G DEB)
    deb=$(ls -t "$build_dir"/vivar_*.deb | head -n 1)
    echo "== checking $deb"
    lintian "$deb"
    echo "== install it with: apt install $deb"
    ;;
  windows)
    packages+=("${windows_packages[@]}")
    install_missing_packages
    # Qt, Coin and SoQt, and the film libraries, for Windows, built once and
    # kept outside the tree.
    prefix=$("$here/packaging/windows/toolchain.sh" | tail -n 1)
    windows_dir=${VIVAR_WINDOWS_BUILD_DIR:-$here/build-windows}
    cmake -S "$here" -B "$windows_dir" -DCMAKE_TOOLCHAIN_FILE="$here/packaging/windows/mingw-w64.cmake" \
      -DVIVAR_WINDOWS_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DVIVAR_WARNINGS_AS_ERRORS=ON
    cmake --build "$windows_dir" -j "$jobs"
    rm -f "$windows_dir"/vivar-*-win64*
    (cd "$windows_dir" && cpack)
    # The Debian build is what the Windows programs must agree with.
    build
    with_display "$here/tests/windows/wine_checks.sh" "$windows_dir" "$build_dir"
    "$here/tests/windows/archive_checks.sh"
    ;;
  *)
    echo "usage: $0 run|test|package|windows" >&2
    exit 2
    ;;
esac
