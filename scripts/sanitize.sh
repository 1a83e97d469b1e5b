#!/usr/bin/env bash
# Builds the Qt-free libraries with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs their tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
build=build-sanitize
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DTASKMETER_STD_ONLY=ON \
      -DTASKMETER_SANITIZE=ON -DTASKMETER_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
