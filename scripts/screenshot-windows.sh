#!/usr/bin/env bash
# Saves a picture of the Windows window as it appears at start on the demo simulator, run under
# Wine on a virtual screen: the client area, as docs/screenshot-linux.png shows the Linux one.
#   scripts/screenshot-windows.sh [OUT.png]      (default docs/screenshot-windows.png)
# Builds QL2Configurator.exe in build-mingw (or $QL2_CROSS_BUILD_DIR) if needed. Needs xvfb,
# imagemagick and x11-utils besides the cross build's packages.
set -euo pipefail

out=${1:-docs/screenshot-windows.png}
[ "${out#/}" = "$out" ] && out="$PWD/$out"
cd "$(dirname "$0")/.."
root=$PWD
build=${QL2_CROSS_BUILD_DIR:-$root/build-mingw}
[ "${build#/}" = "$build" ] && build="$root/$build"

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DQL2_WERROR=ON >/dev/null
fi
cmake --build "$build" -j2 --target QL2Configurator
program="$build/src/ui/win32/QL2Configurator.exe"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
scripts/make-demo-prefix.sh "$work/demo" >/dev/null
sim="$work/demo/drive_c/Program Files/Microsoft Games/Flight Simulator 9"
# The first-run question would stand in front of the window.
sed -i 's/^First Time=1\r$/First Time=0\r/' "$sim/QL/qlever2.con"
sim_windows="Z:$(printf '%s' "$sim" | tr / '\\')"

# The window is looked for by its caption until it shows, then taken with its frame.
QL2_GUI_TIMEOUT=120 scripts/wine-gui-run --prefix "$build/wineprefix-gui" --sh '
  "$0" "$1" --sim-folder "$2" &
  for try in $(seq 60); do
    if xwininfo -name "QL2 Configurator" >/dev/null 2>&1; then
      sleep 2  # painted
      exec import -window "QL2 Configurator" "$3"
    fi
    sleep 1
  done
  echo "screenshot-windows: the window did not show" >&2
  exit 1' "$root/scripts/wine-run" "$program" "$sim_windows" "$work/window.png"

# Only the client area: 6390 x 8760 twips at 96 dpi, inside equal borders at the sides and the
# bottom under the caption.
width=$(identify -format '%w' "$work/window.png")
height=$(identify -format '%h' "$work/window.png")
client_width=426
client_height=584
border=$(( (width - client_width) / 2 ))
top=$(( height - client_height - border ))
convert "$work/window.png" -crop "${client_width}x${client_height}+${border}+${top}" +repage \
  -strip "$out"
echo "Saved $out"
