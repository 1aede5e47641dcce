#!/usr/bin/env bash
# Sets up, builds and runs every test. With --sanitize: the same in an AddressSanitizer +
# UndefinedBehaviorSanitizer build (folder build-asan).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

build=build
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
  build=build-asan
  flags=(-DCMAKE_BUILD_TYPE=Debug -DTOBRISK_SANITIZE=ON -DTOBRISK_BUILD_BENCH=OFF)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
fi

export QT_QPA_PLATFORM=offscreen
cmake -S . -B "$build" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j2
