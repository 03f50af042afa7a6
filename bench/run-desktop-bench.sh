#!/usr/bin/env bash
# A run started from the desktop window against the same run of
# tandrel-batch, on the 200-variable benchmark installation: median wall
# time of several runs each, and the window's share of time spent pumping.
#
#   bench/run-desktop-bench.sh        # 5 runs each
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS="${RUNS:-5}"
cmake --preset release >/dev/null
cmake --build --preset release -j 2 --target tandrel-batch tandrel-kivgen tandrel-desktop-bench >/dev/null
BATCH=build/release/src/tandrel-batch
DESKTOP=build/release/bench/tandrel-desktop-bench
dir=bench/generated/b200
[ -f "$dir/kivora.csv" ] || build/release/tools/tandrel-kivgen bench --out "$dir" --groups 1001 \
  --years 1800:2025 --vars 200 >&2
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
# The batch scenario b200-years, saved as the installation's settings file
# so the window runs the very same selections.
settings="$dir/$(sed -n 's/^Saved_Settings *= *"\(.*\)".*/\1/p' "$dir/Tandrel.ini")"
"$BATCH" --program-dir "$dir" --unit state --period 5 --years 1950:2000 --vars all \
  --no-missing-cases --out "$out/run.csv" --save-settings "$settings" >/dev/null 2>&1
cat "$dir/kivora.csv" >/dev/null
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
batch_times=() desk_times=()
for _ in $(seq "$RUNS"); do
  s=$(date +%s.%N)
  "$BATCH" --program-dir "$dir" --settings "$settings" --out "$out/run.csv" >/dev/null 2>&1
  batch_times+=("$(echo "$(date +%s.%N) - $s" | bc)")
  desk_times+=("$("$DESKTOP" "$dir" 2>/dev/null | tee -a "$out/desk.log" | awk '{print $1}')")
done
b=$(printf '%s\n' "${batch_times[@]}" | median)
d=$(printf '%s\n' "${desk_times[@]}" | median)
echo "tandrel-batch (whole process): $b s"
echo "tandrel Go (the run only):     $d s   ($(tail -1 "$out/desk.log"))"
echo "ratio: $(echo "scale=3; $d / $b" | bc)"
