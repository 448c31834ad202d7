#!/usr/bin/env bash
# Writes a demo Wine prefix: the registry entry that names the simulator folder, drive C:, and in
# the simulator folder the gauge package's QL folder and the four supported aircraft families with
# lookalike panel files (src/lookalike, the generator the tests and the benchmark use too). Some
# folders are spelt in another letter case than the program asks for, as they often are on a real
# disk, so that the demo also shows the case-insensitive lookup at work. It is enough for
# ql2-configurator; it is not a prefix Wine can run programs in.
#   scripts/make-demo-prefix.sh DIR
# Files the demo consists of are rewritten; anything else in DIR is left alone. The generator is
# built (Release, in build/lookalike) when needed.
set -euo pipefail

if [ $# -ne 1 ] || [ -z "$1" ]; then
  echo "usage: $0 DIR" >&2
  exit 2
fi
prefix=$1
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build/lookalike"

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQL2_BUILD_TESTS=OFF \
    -DQL2_BUILD_QT=OFF -DQL2_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build" --target ql2_lookalike_cli >/dev/null
"$build/src/lookalike/ql2_lookalike" prefix "$prefix"
