#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, and runs every test: once in a plain
# build and once under AddressSanitizer and UndefinedBehaviorSanitizer; makes the Debian package
# and checks it (lintian, desktop-file-validate, appstreamcli); then a short, fixed run of each
# fuzz target and a replay of its committed inputs (built with clang and libFuzzer); then the
# Windows programs under Wine, and their release archive.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test

jobs=$(nproc)
run_suite() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQL2_WERROR=ON "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure
}

echo "== formatting =="
git ls-files '*.cc' '*.h' | xargs clang-format --dry-run -Werror

echo "== plain build =="
run_suite build/test
echo "== Debian package, checked by lintian, desktop-file-validate and appstreamcli =="
scripts/package-deb.sh
echo "== AddressSanitizer + UndefinedBehaviorSanitizer =="
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_suite build/sanitize -DQL2_SANITIZE=ON
echo "== fuzz targets, short fixed runs and replays (clang, libFuzzer) =="
scripts/fuzz.sh --build-only
ctest --test-dir build/fuzz -L fuzz -j "$jobs" --output-on-failure
echo "== Windows programs, cross-built and tested under Wine =="
QL2_CROSS_BUILD_DIR=build/mingw scripts/cross-test.sh
echo "== Windows release archive =="
scripts/release-windows.sh
echo "== The same files from ql2cfg on Linux and ql2cfg.exe under Wine =="
scripts/compare-linux-windows.sh build/test/src/cli/ql2cfg build/mingw/src/cli/ql2cfg.exe \
  build/mingw/wineprefix
