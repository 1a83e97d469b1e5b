#!/usr/bin/env bash
# Builds everything, the Qt window code included, with AddressSanitizer (leak
# detection on) and UndefinedBehaviorSanitizer, and runs every test suite. Lifetimes
# go wrong most easily in the window code, so it is not left out.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
build=${TASKMETER_SANITIZE_BUILD_DIR:-build-sanitize}
# -O1 keeps the stacks readable and the suites several times faster than -O0.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
      -DTASKMETER_SANITIZE=ON -DTASKMETER_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
