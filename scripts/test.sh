#!/usr/bin/env bash
# Builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
build=${TASKMETER_BUILD_DIR:-build}
scripts/configure.sh "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTASKMETER_WERROR=ON
cmake --build "$build" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
