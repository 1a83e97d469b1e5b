#!/usr/bin/env bash
# Builds the program and runs its main job.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
build=${TASKMETER_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"
shopt -s nullglob
tools=("$build"/host/*/taskmeter-*)
if [ ${#tools[@]} -eq 0 ]; then
  echo "Built the libraries; the tools are not there yet."
fi
for tool in "${tools[@]}"; do
  [ -x "$tool" ] && "$tool" --help
done
