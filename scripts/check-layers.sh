#!/usr/bin/env bash
# Fails when a file under src/ includes from a floor above its own. The
# floors, from the bottom: a file may include its own floor and any below.
set -euo pipefail
cd "$(dirname "$0")/.."

floors=(platform process diagnostics reference engine output run ui app batch desktop)
declare -A rank
for i in "${!floors[@]}"; do rank[${floors[$i]}]=$i; done

status=0
while IFS= read -r file; do
  floor=${file#src/}
  floor=${floor%%/*}
  own=${rank[$floor]:-}
  if [ -z "$own" ]; then
    echo "check-layers: $file lies in no known floor" >&2
    status=1
    continue
  fi
  while IFS= read -r target; do
    [ -n "$target" ] || continue
    their=${rank[$target]:-}
    if [ -z "$their" ]; then
      echo "check-layers: $file includes from unknown folder $target/" >&2
      status=1
    elif [ "$their" -gt "$own" ]; then
      echo "check-layers: $file ($floor) includes from $target/, a floor above it" >&2
      status=1
    fi
  done < <(sed -n -E 's@^[[:space:]]*#[[:space:]]*include[[:space:]]*"([a-z]+)/.*@\1@p' "$file" | sort -u)
done < <(find src -mindepth 2 -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

# The widget toolkit stays in the desktop floor.
if grep -rIl -E '#include[[:space:]]*<Q' src --include='*.h' --include='*.cpp' | grep -v '^src/desktop/'; then
  echo "check-layers: Qt headers included outside src/desktop" >&2
  status=1
fi

[ "$status" -eq 0 ] && echo "check-layers: every include points down the floors"
exit "$status"
