#!/usr/bin/env bash
# Configures a build folder with Ninja: scripts/configure.sh BUILD_DIR [cmake options...]
# A folder configured earlier with another generator, or with other compilers than CC and
# CXX name, is cleared of CMake's cache first, since CMake refuses to switch either in
# place; the compiled objects go with it, but the compiler cache gives them back.
set -euo pipefail
build=$1
shift
made_otherwise() {
  local cache=$build/CMakeCache.txt lang var
  grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja$' "$cache" || return 0
  for lang in C CXX; do
    [ "$lang" = C ] && var=${CC:-} || var=${CXX:-}
    [ -n "$var" ] || continue
    grep -q "^CMAKE_${lang}_COMPILER:[A-Z]*=$(command -v "$var")\$" "$cache" || return 0
  done
  return 1
}
if [ -f "$build/CMakeCache.txt" ] && made_otherwise; then
  echo "configure.sh: $build was made with another generator or compilers; configuring it again"
  rm -f "$build/CMakeCache.txt"
  find "$build" -name CMakeFiles -prune -exec rm -rf {} +
fi
# The host program's executable is built where the host's sources once had a folder.
if [ -d "$build/host/taskmeter" ]; then rm -rf "$build/host/taskmeter"; fi
cmake -S . -B "$build" -G Ninja "$@" >/dev/null
