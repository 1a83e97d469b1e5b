#!/usr/bin/env bash
# Fails when a tracked C++ source is not as clang-format 14 (pinned: other versions
# format some constructs differently) makes it, and names the files.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
if ! report=$(clang-format-14 --dry-run --Werror "${files[@]}" 2>&1); then
  grep -o '^[^:]*\.\(cpp\|h\)' <<<"$report" | sort -u | sed 's/^/not formatted: /' >&2
  echo "check-format.sh: run clang-format-14 -i on these files" >&2
  exit 1
fi
echo "format: ${#files[@]} files as clang-format-14 makes them"
