#!/usr/bin/env bash
# End-to-end benchmark of tandrel-batch: wall time, input rate and peak
# memory per loaded value, median of several runs with a warm file cache.
#
#   bench/run-bench.sh            # every scenario, 5 runs each
#   RUNS=3 bench/run-bench.sh sample b200-years
#   bench/run-bench.sh b200-all b200-native   # what the .dta and .sav add
#   bench/run-bench.sh b200-groups b200-groups-native   # the same, unmerged
#   bench/run-bench.sh native-ratio   # their cost as a ratio, wall and CPU time
#
# The generated installations go to bench/generated/ (git-ignored); the
# one at 1500 variables takes about 1.4 GB of disk. Delete a folder there to
# have it generated anew after the generator changed.
set -euo pipefail
cd "$(dirname "$0")/.."

RUNS="${RUNS:-5}"
cmake --preset release >/dev/null
cmake --build --preset release -j "${JOBS:-$(nproc)}" --target tandrel-batch tandrel-kivgen >/dev/null
BATCH=build/release/src/tandrel-batch
KIVGEN=build/release/tools/tandrel-kivgen
GEN=bench/generated
OUT="$(mktemp -d)"
trap 'rm -rf "$OUT"' EXIT

generate() {  # name groups vars
  local dir="$GEN/$1"
  [ -f "$dir/kivora.csv" ] && return
  mkdir -p "$GEN"
  "$KIVGEN" bench --out "$dir" --groups "$2" --years 1800:2025 --vars "$3" >&2
}

first_year() { sed -n 's/^first_year_possible *= *"\([0-9]*\)".*/\1/p' "$1/kivora.mdf"; }

# scenario name, installation dir, loaded values, then tandrel-batch options
run_scenario() {
  local name="$1" dir="$2" loaded="$3"
  shift 3
  local data="$dir/kivora.csv"
  cat "$data" >/dev/null  # warm the file cache
  local bytes
  bytes=$(stat -c %s "$data")
  # The fixed overhead: the same installation with a single year kept.
  /usr/bin/time -f "%M" -o "$OUT/base" "$BATCH" --program-dir "$dir" --years \
    "$(first_year "$dir"):$(first_year "$dir")" --vars all --out "$OUT/base.csv" >/dev/null 2>&1
  local base
  base=$(cat "$OUT/base")
  local times=() rss=0
  for _ in $(seq "$RUNS"); do
    /usr/bin/time -f "%e %M" -o "$OUT/time" "$BATCH" --program-dir "$dir" "$@" \
      --out "$OUT/$name.csv" >/dev/null 2>"$OUT/stderr" || {
      cat "$OUT/stderr" >&2
      return 1
    }
    read -r wall kb <"$OUT/time"
    times+=("$wall")
    [ "$kb" -gt "$rss" ] && rss=$kb
  done
  local median
  median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
  awk -v n="$name" -v t="$median" -v b="$bytes" -v r="$rss" -v l="$loaded" -v z="$base" 'BEGIN {
    per = (l > 0) ? sprintf("%.1f", (r - z) * 1024 / l) : "-";
    printf "%-12s %6.2f s  %7.1f MB/s  %6.0f MB peak  %5s B/value\n", n, t, b / 1e6 / t, r / 1024, per
  }'
}

chosen() { [ -z "$SCENARIOS" ] || [[ " $SCENARIOS " == *" $1 "* ]]; }
SCENARIOS="$*"

printf '%-12s %8s  %12s  %12s  %11s\n' scenario "median" "input rate" "peak memory" "per value"
# per value: (peak - peak with one year kept) / values loaded
if chosen sample; then
  run_scenario sample build/release/src 0 --unit state --period 5 --years 1960:1990 --vars all
fi
# Loaded values: groups x years kept x (200 columns - diaspora + is_kiv).
if chosen b200-years || chosen b200-all; then generate b200 1001 200; fi
if chosen b200-years; then
  run_scenario b200-years "$GEN/b200" $((1001 * 51 * 200)) \
    --unit state --period 5 --years 1950:2000 --vars all --no-missing-cases
fi
if chosen b200-all; then
  run_scenario b200-all "$GEN/b200" $((1001 * 226 * 200)) \
    --unit state --period 5 --vars all --no-missing-cases
fi
# The same run with the Stata and SPSS data files: their share of the run's
# time is b200-native against b200-all.
if chosen b200-native; then
  generate b200 1001 200
  run_scenario b200-native "$GEN/b200" $((1001 * 226 * 200)) \
    --unit state --period 5 --vars all --no-missing-cases --dta --sav
fi
# The same run with the provenance columns and the codebook, and the filled
# one with them: their cost is b200-prov against b200-all and
# b200-fill-prov against b200-filled.
if chosen b200-prov; then
  generate b200 1001 200
  run_scenario b200-prov "$GEN/b200" $((1001 * 226 * 200)) \
    --unit state --period 5 --vars all --no-missing-cases --provenance --codebook
fi
if chosen b200-fill-prov; then
  generate b200c 961 200
  run_scenario b200-fill-prov "$GEN/b200c" $(((961 + 40) * 226 * 200)) \
    --unit state --period 5 --vars all --interpolate linear --controls all --provenance --codebook
fi
# The largest unmerged run (every group-year, 226,226 cases), without and
# with the Stata and SPSS data files.
if chosen b200-groups || chosen b200-groups-native; then generate b200 1001 200; fi
if chosen b200-groups; then
  run_scenario b200-groups "$GEN/b200" $((1001 * 226 * 200)) \
    --unit group --vars all
fi
if chosen b200-groups-native; then
  run_scenario b200-groups-native "$GEN/b200" $((1001 * 226 * 200)) \
    --unit group --vars all --dta --sav
fi
# The cost of the .dta and .sav on the largest unmerged run as one ratio:
# median wall time and median CPU time (user + system) with them over
# without, the runs alternating so that a busy machine weighs on both.
native_ratio() {
  local dir="$1" with=() without=() cpu_with=() cpu_without=()
  shift
  median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
  for _ in $(seq "$RUNS"); do
    for extra in "" "--dta --sav"; do
      # shellcheck disable=SC2086
      /usr/bin/time -f "%e %U %S" -o "$OUT/time" "$BATCH" --program-dir "$dir" "$@" $extra \
        --out "$OUT/ratio.csv" >/dev/null 2>&1
      read -r wall user sys <"$OUT/time"
      if [ -z "$extra" ]; then
        without+=("$wall") cpu_without+=("$(awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }')")
      else
        with+=("$wall") cpu_with+=("$(awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }')")
      fi
    done
  done
  awk -v w="$(median "${with[@]}")" -v o="$(median "${without[@]}")" \
    -v cw="$(median "${cpu_with[@]}")" -v co="$(median "${cpu_without[@]}")" 'BEGIN {
    printf "native-ratio wall %.2f s / %.2f s = %.2f   cpu %.2f s / %.2f s = %.2f\n",
      w, o, w / o, cw, co, cw / co
  }'
}
if chosen native-ratio; then
  generate b200 1001 200
  native_ratio "$GEN/b200" --unit group --vars all
fi
# With control cases: 961 groups leave the group index room for the
# control groups of the 40 states without groups.
if chosen b200-filled; then
  generate b200c 961 200
  run_scenario b200-filled "$GEN/b200c" $(((961 + 40) * 226 * 200)) \
    --unit state --period 5 --vars all --interpolate linear --controls all
fi
if chosen b1500-all; then
  generate b1500 1001 1500
  run_scenario b1500-all "$GEN/b1500" $((1001 * 226 * 1500)) \
    --unit state --period 5 --vars all --no-missing-cases
fi
if chosen b1500-filled; then
  generate b1500c 961 1500
  run_scenario b1500-filled "$GEN/b1500c" $(((961 + 40) * 226 * 1500)) \
    --unit state --period 5 --vars all --interpolate linear --controls all
fi
