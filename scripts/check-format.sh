#!/usr/bin/env bash
# Fails when a C++ file under src, tests, tools or bench differs from what
# clang-format makes of it under .clang-format. Prints each finding.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t files < <(find src tests tools bench -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
if clang-format --dry-run -Werror "${files[@]}"; then
  echo "check-format: ${#files[@]} files formatted as .clang-format says"
else
  echo "check-format: run clang-format -i on the files above" >&2
  exit 1
fi
