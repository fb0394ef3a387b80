#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while (default 60 s):
#   fuzz/run.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
command -v clang++ >/dev/null || { echo "clang++ is needed for libFuzzer"; exit 77; }
out=build-fuzz
mkdir -p "$out"
core_sources=(src/core/base/*.cpp src/core/model/*.cpp src/core/hpd/*.cpp src/core/settings/*.cpp
              src/core/editor/*.cpp src/core/exchange/*.cpp)
for target in fuzz/fuzz_*.cpp; do
  name=$(basename "$target" .cpp)
  clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -Isrc "$target" \
    "${core_sources[@]}" -o "$out/$name"
  mkdir -p "$out/$name.corpus"
  "$out/$name" -max_total_time="$seconds" -max_len=65536 "$out/$name.corpus"
done
