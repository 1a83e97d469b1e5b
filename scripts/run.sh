#!/usr/bin/env bash
# Builds the program and the tools, makes a sample home with two weeks of simulated
# activity, prints its report and starts taskmeter on it. Without a display (neither
# DISPLAY nor WAYLAND_DISPLAY set) taskmeter runs offscreen: it saves a picture of its
# main window to build/taskmeter-window.png and exits. Safe to run again: the sample
# home is made afresh each time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
build=${TASKMETER_BUILD_DIR:-build}
scripts/configure.sh "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)" --target taskmeter-simulate taskmeter-report taskmeter

home="$build/sample-home"
rm -rf "$home"
"$build/tools/simulate/taskmeter-simulate" --sample-home "$home" --days 14
echo

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  picture="$build/taskmeter-window.png"
  if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    # Qt wants a private runtime folder; a fresh one goes away with the run.
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
    trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
  fi
  TASKMETER_HOME="$home" QT_QPA_PLATFORM=offscreen \
    "$build/host/taskmeter" --screenshot "$picture"
  echo
  "$build/tools/report/taskmeter-report" --home "$home"
  exit 0
fi

"$build/tools/report/taskmeter-report" --home "$home"
echo
echo "Starting taskmeter on $home"
TASKMETER_HOME="$home" exec "$build/host/taskmeter"
