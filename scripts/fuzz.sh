#!/usr/bin/env bash
# Builds the libFuzzer targets (in the clang build the sanitizer suites share) and runs
# each one, starting from the committed seed corpus (copied, so a run adds nothing to it
# unless asked to).
#
#   scripts/fuzz.sh [--runs N] [--time SECONDS] [--keep DIR] [TARGET...]
#
# --runs and --time bound each target's run (whichever is reached first); without
# either, every target gets 100000 inputs, the short run of CI. --keep DIR keeps each
# target's grown corpus in DIR/<target>. Crash inputs land in <build>/artifacts/, the
# build being build-sanitize or $TASKMETER_SANITIZE_BUILD_DIR.
# Without TARGET names every target runs, one after the other.
set -euo pipefail
cd "$(dirname "$0")/.."

runs="" seconds="" keep=""
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    --time) seconds=$2; shift 2 ;;
    --keep) keep=$(realpath -m "$2"); shift 2 ;;
    -h|--help) sed -n '2,11p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    -*) echo "fuzz.sh: unknown option $1" >&2; exit 2 ;;
    *) targets+=("$1"); shift ;;
  esac
done
[ -z "$runs" ] && [ -z "$seconds" ] && runs=${TASKMETER_FUZZ_RUNS:-100000}

build=$(scripts/clang-build.sh taskmeter_fuzz_targets)
if [ ${#targets[@]} -eq 0 ]; then
  for target in "$build"/tests/fuzz/fuzz_*; do targets+=("$(basename "$target")"); done
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/config" "$work/data" "$build/artifacts"
export TASKMETER_HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
limits=(-seed=1 -max_len=4096 -artifact_prefix="$PWD/$build/artifacts/")
[ -n "$runs" ] && limits+=(-runs="$runs")
[ -n "$seconds" ] && limits+=(-max_total_time="$seconds")
for name in "${targets[@]}"; do
  corpus="$work/corpus-$name"
  [ -n "$keep" ] && corpus="$keep/$name"
  mkdir -p "$corpus"
  cp -r tests/fuzz/corpus/"$name"/. "$corpus"/ 2>/dev/null || true
  echo "== $name: ${runs:-no} input limit, ${seconds:-no} time limit"
  start=$(date +%s)
  "$build/tests/fuzz/$name" "${limits[@]}" "$corpus" 2>&1 | tail -n 3
  echo "== $name: $(( $(date +%s) - start )) s"
done
