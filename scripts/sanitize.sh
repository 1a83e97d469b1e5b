#!/usr/bin/env bash
# Builds everything, the Qt window code included, with AddressSanitizer (leak detection
# on) and UndefinedBehaviorSanitizer (the clang build the fuzz targets share) and runs
# every test suite. Lifetimes go wrong most easily in the window code, so it is not left out.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(scripts/clang-build.sh)
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
