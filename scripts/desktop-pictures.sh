#!/usr/bin/env bash
# Pictures of the program as users see it on a desktop, for a person to look at (not run
# by the tests): the main window in tree and list mode as it first opens, and each dialog
# over the main window, on a virtual X display with openbox as the window manager, at
# 1280x900 and at 800x600. Builds what it needs in the build folder first.
#   scripts/desktop-pictures.sh [OUT_DIR]     (default build/desktop-pictures)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${TASKMETER_BUILD_DIR:-build}
out=$(realpath -m "${1:-$build/desktop-pictures}")
cmake --build "$build" --target host_tests view_tests
for screen in 1280x900 800x600; do
  mkdir -p "$out/$screen"
  export TASKMETER_SHOTS_DIR="$out/$screen"
  DESKTOP_SCREEN="${screen}x24" QT_QPA_PLATFORM=xcb scripts/with-desktop.sh sh -c "
    '$build/tests/host/host_tests' --gtest_filter='WindowImageTest.*' &&
    '$build/tests/view_tests' --gtest_filter='ViewShotsTest.*'"
done
echo "Pictures in $out"
