#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 60) on its corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
scripts/setup.sh
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTOBRISK_FUZZ=ON -DTOBRISK_BUILD_GUI=OFF -DTOBRISK_BUILD_TESTS=OFF -DTOBRISK_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for src in fuzz/*_fuzz.cpp; do
  name=$(basename "$src" .cpp)
  corpus="fuzz/corpus/${name%_fuzz}"
  work="build-fuzz/corpus-${name}"
  mkdir -p "$work"
  echo "-- $name"
  # Short inputs keep each run cheap; record_load needs room for a whole data record.
  case "$name" in
    record_load_fuzz) max_len=14664 ;;
    rpn_keys_fuzz) max_len=128 ;;
    *) max_len=256 ;;
  esac
  seeds=()
  [ -d "$corpus" ] && seeds+=("$corpus")
  "build-fuzz/fuzz/$name" -max_total_time="$seconds" -max_len="$max_len" -print_final_stats=1 "$work" "${seeds[@]}" 2>&1 |
    grep -E "stat::number_of_executed_units|ERROR|SUMMARY|Done" || true
  test "${PIPESTATUS[0]}" -eq 0
done
