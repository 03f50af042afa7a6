#!/usr/bin/env bash
# Builds the libFuzzer targets of the five readers (clang, AddressSanitizer
# and UndefinedBehaviorSanitizer) and runs each for a while, starting from
# the kept inputs in tests/fuzz/. Fails when a target finds a crash, a
# sanitizer report or a leak; the input that found it is left in
# build/fuzz/findings/<reader>/ to be kept in tests/fuzz/regressions/.
# Usage: scripts/fuzz.sh [seconds per target, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

declare -A folder=(
  [configuration_file]=configuration [description_file]=description [data_file]=data
  [settings_file]=settings [cow_lists]=cow
)
status=0
summary=()
for entry in configuration_file description_file data_file settings_file cow_lists; do
  name="${folder[$entry]}"
  corpus="build/fuzz/corpus/$name"
  findings="build/fuzz/findings/$name"
  log="build/fuzz/$name.log"
  mkdir -p "$corpus" "$findings"
  cp -n tests/fuzz/seeds/"$name"/* tests/fuzz/regressions/"$name"/* "$corpus"/ 2>/dev/null || true
  echo "fuzz: $name for ${seconds}s" >&2
  if ! "build/fuzz/tests/fuzz/tandrel_fuzz_$entry" -max_total_time="$seconds" \
      -print_final_stats=1 -rss_limit_mb=2048 -timeout=20 \
      -artifact_prefix="$findings/" "$corpus" >"$log" 2>&1; then
    echo "fuzz: $name FAILED; see $log and $findings/" >&2
    tail -n 40 "$log" >&2
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n1 | cut -d' ' -f2)
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -n1 | cut -d' ' -f2)
  summary+=("$(printf '%-14s %10s runs  %6s edges  %6s features' "$name" "${runs:-?}" "${cov:-?}" "${ft:-?}")")
done
printf '%s\n' "${summary[@]}"
exit "$status"
