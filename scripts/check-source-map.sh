#!/usr/bin/env bash
# Fails when a source file under src/ is missing from src/README.md, the map
# of every class and procedure to its file. A header counts as named when
# its .cpp is named, and the other way round; main.cpp and CMake files are
# the floors' own and need no entry.
set -euo pipefail
cd "$(dirname "$0")/.."

map=src/README.md
status=0
while IFS= read -r file; do
  base=${file##*/}
  stem=${base%.*}
  [ "$base" = main.cpp ] && continue
  if ! grep -qE "(^|[^A-Za-z0-9_])${stem}\.(h|cpp|cmake)([^A-Za-z0-9_]|$)" "$map"; then
    echo "check-source-map: $file is named nowhere in $map" >&2
    status=1
  fi
done < <(find src -mindepth 2 -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

[ "$status" -eq 0 ] && echo "check-source-map: $map names every source file"
exit "$status"
