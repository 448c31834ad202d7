#!/bin/sh
# Builds the Windows programs with mingw-w64 in build-mingw and runs their tests under Wine; the
# window's tests run on a virtual X server.
#   scripts/cross-test.sh [ctest arguments...]
# Needs (Debian 12): cmake ninja-build googletest g++-mingw-w64-x86-64-posix wine wine64 xvfb
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${QL2_CROSS_BUILD_DIR:-$root/build-mingw}
start=$(date +%s)

missing=
command -v cmake >/dev/null 2>&1 || missing="$missing cmake"
command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 || missing="$missing g++-mingw-w64-x86-64-posix"
[ -x /usr/lib/wine/wine64 ] || command -v wine64 >/dev/null 2>&1 || missing="$missing wine64"
[ -f /usr/src/googletest/CMakeLists.txt ] || missing="$missing googletest"
command -v Xvfb >/dev/null 2>&1 || missing="$missing xvfb"
if [ -n "$missing" ]; then
  echo "cross-test: missing; install with: apt-get install$missing" >&2
  exit 1
fi

if command -v ninja >/dev/null 2>&1; then generator=Ninja; else generator="Unix Makefiles"; fi
if [ -f "$build/CMakeCache.txt" ]; then
  cmake "$build" >/dev/null
else
  cmake -S "$root" -B "$build" -G "$generator" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DQL2_WERROR=ON
fi
cmake --build "$build" -j2

# The tests share one Wine prefix in the build tree; when they are done, wait for its wineserver
# to end so that nothing is left running (and stop it at once if interrupted).
. "$root/scripts/wine-tools.sh"
wineserver=$(find_wineserver) || {
  echo "cross-test: wineserver not found (install wine64)" >&2
  exit 127
}
stop_wine() {
  WINEPREFIX="$build/wineprefix" "$wineserver" "$1" >/dev/null 2>&1 || true
}
trap 'stop_wine -k; exit 130' INT TERM

# One wineserver for the whole run: a Wine program that starts while an idle server is ending
# loses its connection ("recvmsg: Connection reset by peer"), which failed a test now and then.
mkdir -p "$build/wineprefix"
WINEPREFIX="$build/wineprefix" "$wineserver" -p </dev/null >/dev/null 2>&1 || true

status=0
ctest --test-dir "$build" --output-on-failure -j2 --timeout 300 "$@" || status=$?
stop_wine -k

echo "cross-test: build and tests took $(( $(date +%s) - start )) s"
exit "$status"
