#!/usr/bin/env bash
# Builds a Release build in build/bench and runs the benchmarks:
#  - every family's Install and Remove clicks on panel files of 16, 64 and 256 KB, the start-up
#    scan, ql2cfg's peak memory, and each family's ql2cfg install + remove beside ql2_floor (the
#    least any safe program must do for the same file traffic), taking turns on the same tree,
#    with the ratios program/floor of wall clock and CPU time: once in the disk's temporary folder
#    (what a user waits for: every file written is flushed to the disk) and once in /dev/shm
#    (memory: the program's own work without the disk's flushes);
#  - the window's time from start to first paint (scripts/bench-window.sh), when it is built.
#   scripts/bench.sh [runs]    (default 7; each figure is the median)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-7}
window_target=ql2-configurator

cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQL2_BUILD_TESTS=OFF \
  -DQL2_BUILD_BENCH=ON >/dev/null
targets=(ql2_bench ql2cfg ql2_floor)
if ninja -C build/bench -t targets all | grep -q "^$window_target:"; then
  targets+=("$window_target")
fi
cmake --build build/bench -j 2 --target "${targets[@]}"

temp=${TMPDIR:-/tmp}
echo "== on the disk: $temp ($(df -T "$temp" | awk 'NR == 2 { print $2 " on " $1 }')) =="
build/bench/bench/ql2_bench --runs "$runs"
if [ -d /dev/shm ]; then
  echo
  echo "== in memory: /dev/shm =="
  build/bench/bench/ql2_bench --runs "$runs" --work-dir "/dev/shm/ql2-bench-$$"
fi

echo
echo "== window =="
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
build/bench/bench/ql2_bench --make-tree "$tree/sim" --kb 256
window=$(find build/bench -type f -name "$window_target" -perm -u+x | head -n 1)
scripts/bench-window.sh "${window:-build/bench/$window_target}" "$tree/sim" "$runs"
