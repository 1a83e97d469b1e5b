#!/usr/bin/env bash
# Configures a build folder with Ninja: scripts/configure.sh BUILD_DIR [cmake options...]
# A folder configured earlier with another generator is cleared of CMake's cache first,
# since CMake refuses to switch generators in place; the compiled objects go with it, but
# the compiler cache gives them back.
set -euo pipefail
build=$1
shift
if [ -f "$build/CMakeCache.txt" ] && ! grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja$' "$build/CMakeCache.txt"; then
  echo "configure.sh: $build was made with another generator; configuring it again for Ninja"
  rm -f "$build/CMakeCache.txt"
  find "$build" -name CMakeFiles -prune -exec rm -rf {} +
fi
cmake -S . -B "$build" -G Ninja "$@" >/dev/null
