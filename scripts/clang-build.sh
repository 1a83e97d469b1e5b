#!/usr/bin/env bash
# Configures and builds the one clang build that both the sanitizer suites and the fuzz
# targets use: everything with AddressSanitizer (leak detection on) and
# UndefinedBehaviorSanitizer, the libraries instrumented for the fuzzer as well, the fuzz
# targets linked with it. Prints the build folder; further arguments are targets to build.
#
#   scripts/clang-build.sh [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
TASKMETER_WITH_FUZZ=1 scripts/deps.sh >&2
build=${TASKMETER_SANITIZE_BUILD_DIR:-build-sanitize}
# -O1 keeps the stacks readable and the suites several times faster than -O0; line
# tables are all the reports need.
CXX=clang++ scripts/configure.sh "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-gline-tables-only -O1" \
  -DTASKMETER_SANITIZE=ON -DTASKMETER_FUZZ=ON -DTASKMETER_BENCH=OFF >&2
if [ $# -gt 0 ]; then
  cmake --build "$build" -j"$(nproc)" --target "$@" >&2
else
  cmake --build "$build" -j"$(nproc)" >&2
fi
echo "$build"
