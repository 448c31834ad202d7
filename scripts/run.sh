#!/usr/bin/env bash
# Installs what is missing, builds the window (Release, in build/run), writes the demo Wine prefix
# (build/demo-prefix) if there is none yet, and starts ql2-configurator on it.
#
# Without a display, run it under a virtual one:   xvfb-run -a scripts/run.sh
# QL2_SCREENSHOT=file.png saves the window as it appears at start instead (under xvfb-run by
# itself when there is no display) and quits; QL2_SCREENSHOT_PREVIEW=file.png saves the preview of
# the ATR's Install (its context menu's "Show what Install would change...") the same way.
set -euo pipefail

screenshot=${QL2_SCREENSHOT:-}
option=--screenshot
if [ -n "${QL2_SCREENSHOT_PREVIEW:-}" ]; then
  screenshot=$QL2_SCREENSHOT_PREVIEW
  option=--screenshot-preview
fi
if [ -n "$screenshot" ] && [ "${screenshot#/}" = "$screenshot" ]; then
  screenshot="$PWD/$screenshot"  # relative to where the script was started
fi
cd "$(dirname "$0")/.."

scripts/setup.sh run
cmake -S . -B build/run -G Ninja -DCMAKE_BUILD_TYPE=Release -DQL2_BUILD_TESTS=OFF >/dev/null
cmake --build build/run -j "$(nproc)"

prefix="$PWD/build/demo-prefix"
if [ ! -f "$prefix/system.reg" ]; then
  scripts/make-demo-prefix.sh "$prefix"
fi
export WINEPREFIX="$prefix"
# The demo keeps its own remembered folder, so that a folder chosen for a real simulator does not
# take its place.
export XDG_CONFIG_HOME="$PWD/build/demo-config"
program="$PWD/build/run/src/ui/qt/ql2-configurator"

has_display() { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }

if [ -n "$screenshot" ]; then
  if has_display; then
    exec "$program" "$option" "$screenshot"
  elif command -v xvfb-run >/dev/null; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$program" "$option" "$screenshot"
  fi
fi
if ! has_display; then
  cat >&2 <<'EOF'
There is no display to show the window on. Run it on a virtual one (package xvfb):
    xvfb-run -a scripts/run.sh
or save a picture of the window instead:
    QL2_SCREENSHOT=window.png scripts/run.sh
EOF
  exit 1
fi
exec "$program"
