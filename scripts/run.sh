#!/usr/bin/env bash
# Builds the tools, makes a sample home with two weeks of simulated activity and
# prints its report. Safe to run again: the sample home is made afresh each time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
build=${TASKMETER_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target taskmeter-simulate taskmeter-report

home="$build/sample-home"
rm -rf "$home"
"$build/host/simulate/taskmeter-simulate" --sample-home "$home" --days 14
echo
"$build/host/report/taskmeter-report" --home "$home"
