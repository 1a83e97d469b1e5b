#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a fixed number of inputs,
# starting from the committed seed corpus (copied, so the run adds nothing to it).
set -euo pipefail
cd "$(dirname "$0")/.."
TASKMETER_WITH_FUZZ=1 scripts/deps.sh
runs=${TASKMETER_FUZZ_RUNS:-100000}
build=build-fuzz
CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTASKMETER_STD_ONLY=ON \
      -DTASKMETER_FUZZ=ON -DTASKMETER_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target taskmeter_fuzz_targets
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/config" "$work/data"
export TASKMETER_HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
for target in "$build"/tests/fuzz/fuzz_*; do
  name=$(basename "$target")
  corpus="$work/corpus-$name"
  mkdir -p "$corpus"
  cp -r tests/fuzz/corpus/"$name"/. "$corpus"/ 2>/dev/null || true
  echo "== $name: $runs inputs"
  "$target" -runs="$runs" -seed=1 -max_len=4096 "$corpus" 2>&1 | tail -n 3
done
