#!/usr/bin/env bash
# Builds the Windows programs for release (mingw-w64, optimised, in build/release-mingw), strips
# them, and packs QL2Configurator.exe, ql2cfg.exe, README-windows.txt and LICENSE.txt into
#   build/release/QL2Configurator-<version>-win64.zip
# Installs what is missing first (scripts/setup.sh release).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/setup.sh release

version=$(sed -n 's/^project(QL2Configurator VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
build=$root/build/release-mingw
out_dir=$root/build/release
archive=$out_dir/QL2Configurator-$version-win64.zip

cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DQL2_BUILD_TESTS=OFF -DQL2_WERROR=ON >/dev/null
cmake --build "$build" -j2 --target QL2Configurator ql2cfg

stage=$build/stage
rm -rf "$stage"
mkdir -p "$stage" "$out_dir"
cp "$build/src/ui/win32/QL2Configurator.exe" "$build/src/cli/ql2cfg.exe" "$stage/"
x86_64-w64-mingw32-strip --strip-all "$stage/QL2Configurator.exe" "$stage/ql2cfg.exe"
# Windows line ends, for Notepad.
sed 's/$/\r/' docs/README-windows.txt >"$stage/README-windows.txt"
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"

files=(QL2Configurator.exe ql2cfg.exe README-windows.txt LICENSE.txt)
rm -f "$archive"
(cd "$stage" && zip -q -9 -X "$archive" "${files[@]}")
echo "Release archive: $archive"
(cd "$stage" && ls -l "${files[@]}" | awk '{print "  " $5 " bytes  " $9}')
echo "  $(stat -c %s "$archive") bytes  $(basename "$archive")"
