#!/usr/bin/env bash
# Soaks the real window program: SECONDS of random keys, clicks, menus, boxes, files, clock
# moves and kills on Xvfb with openbox, in the sanitizer build (build-asan). The seed is
# printed first; pass it again to replay a finding. Evidence of a finding goes to
# soak-findings/.
#   scripts/soak-windows.sh SECONDS [SEED]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

seconds=${1:?usage: scripts/soak-windows.sh SECONDS [SEED]}
seed=()
if [ -n "${2:-}" ]; then seed=(--seed "$2"); fi

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTOBRISK_SANITIZE=ON \
  -DTOBRISK_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan --target tobrisk tobrisk-cli

export TOBRISK_BIN=$PWD/build-asan/shell/tobrisk
export TOBRISK_CLI=$PWD/build-asan/cli/tobrisk-cli
export PYTHONDONTWRITEBYTECODE=1
exec python3 tests/xsoak/soak.py "$seconds" "${seed[@]}" --keep "$PWD/soak-findings"
