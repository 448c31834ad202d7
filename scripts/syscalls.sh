#!/usr/bin/env bash
# Counts the system calls of one family's install and remove, each a whole ql2cfg process on a
# simulator tree of lookalike panel files of 256 KB (strace -c -f; it needs strace, which the
# tests do not: apt-get install strace). Builds ql2cfg (Release, in build/bench) first.
#   scripts/syscalls.sh [FAMILY]    (default cheyenne)
set -euo pipefail
cd "$(dirname "$0")/.."
family=${1:-cheyenne}
if ! command -v strace >/dev/null; then
  echo "$0 needs strace (apt-get install strace)" >&2
  exit 2
fi

cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQL2_BUILD_TESTS=OFF \
  -DQL2_BUILD_BENCH=ON >/dev/null
cmake --build build/bench -j 2 --target ql2cfg ql2_lookalike_cli >/dev/null
ql2cfg=build/bench/src/cli/ql2cfg

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build/bench/src/lookalike/ql2_lookalike tree "$work/sim" --kb 256
"$ql2cfg" --sim-folder "$work/sim" status >/dev/null  # the first start writes the record's keys

for click in install remove; do
  strace -c -f -o "$work/$click.txt" "$ql2cfg" --sim-folder "$work/sim" "$click" "$family" >/dev/null
done
# One row per call made by either click: its name, then how often each made it.
awk '
  FNR == 1 { file++ }
  $NF ~ /^[a-z_0-9]+$/ && $NF != "total" && $NF != "syscall" {
    calls[$NF] = 1; count[file, $NF] = $4
  }
  $NF == "total" { total[file] = $4 }
  END {
    printf "%-12s %8s %8s\n", "call", "install", "remove"
    for (c in calls) printf "%-12s %8d %8d\n", c, count[1, c], count[2, c] | "sort -k2,2nr"
    close("sort -k2,2nr")
    printf "%-12s %8d %8d\n", "total", total[1], total[2]
  }' "$work/install.txt" "$work/remove.txt"
