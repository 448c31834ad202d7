#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build/fuzz and runs each for a while (default 60
# seconds each), starting from the committed seeds and found inputs. Inputs found are kept in
# build/fuzz/corpus/, so later runs go on from them; an input that fails a check is saved in
# build/fuzz/artifacts/. With --merge, the inputs found that reach code or paths the committed
# found inputs do not are then copied into fuzz/found/<target>/, whose replay is part of the tests.
# With --build-only, the targets are built and nothing is run (the test command runs their tests).
#   scripts/fuzz.sh [--merge | --build-only] [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
mode=run
if [[ ${1:-} == --merge || ${1:-} == --build-only ]]; then
  mode=${1#--}
  shift
fi
seconds=${1:-60}
targets=(profile_fuzz panel_scan_fuzz wine_reg_fuzz)
max_len=4096 # panel files larger than this are in fuzz/regressions/, replayed but not mutated

CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQL2_WERROR=ON -DQL2_FUZZ=ON -DQL2_BUILD_TESTS=OFF -DQL2_BUILD_BENCH=OFF >/dev/null
cmake --build build/fuzz -j "$(nproc)" --target "${targets[@]}"
[[ $mode == build-only ]] && exit 0

for target in "${targets[@]}"; do
  corpus=build/fuzz/corpus/$target
  artifacts=build/fuzz/artifacts/$target
  found=fuzz/found/$target
  mkdir -p "$corpus" "$artifacts" "$found"
  echo "== $target: ${seconds}s =="
  build/fuzz/fuzz/"$target" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" "fuzz/corpus/$target" "$found"
  if [[ $mode == merge ]]; then
    echo "== $target: merging into $found =="
    build/fuzz/fuzz/"$target" -merge=1 -max_len="$max_len" "$found" "$corpus"
  fi
done
