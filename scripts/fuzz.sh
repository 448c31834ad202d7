#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build/fuzz and runs each for a while (default 60
# seconds each), starting from the committed seeds. Inputs found are kept in build/fuzz/corpus/,
# so later runs go on from them; an input that fails a check is saved in build/fuzz/artifacts/.
#   scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
targets=(profile_fuzz panel_scan_fuzz)

CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQL2_WERROR=ON -DQL2_FUZZ=ON -DQL2_BUILD_TESTS=OFF -DQL2_BUILD_BENCH=OFF >/dev/null
cmake --build build/fuzz -j 2 --target "${targets[@]}"

for target in "${targets[@]}"; do
  corpus=build/fuzz/corpus/$target
  artifacts=build/fuzz/artifacts/$target
  mkdir -p "$corpus" "$artifacts"
  echo "== $target: ${seconds}s =="
  build/fuzz/fuzz/"$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" "fuzz/corpus/$target"
done
