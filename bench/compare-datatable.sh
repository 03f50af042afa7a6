#!/usr/bin/env bash
# Tandrel side by side with R data.table (two threads) on the same job: state
# x 5-year periods, mean, minimum and maximum of every variable and the count
# of merged records, written as CSV. Whole processes, median of RUNS paired
# runs with a warm file cache, at three scales:
#
#   realistic   300 groups, 1945-2006, 129 columns (about 10 MB); 1950-2000 kept
#   capacity    1001 groups, 1800-2025, 200 columns (about 190 MB); 1950-2000 kept
#   all-years   the capacity installation, every year kept
#
#   bench/compare-datatable.sh                 # the three scales, 5 paired runs
#   RUNS=3 bench/compare-datatable.sh realistic
#   bench/compare-datatable.sh --smoke         # the realistic scale once (CI)
#   BATCH=/path/to/tandrel-batch bench/compare-datatable.sh   # another build
#
# Columns: the medians and their ratio; the one-core parse floor (read,
# split and convert every number of the whole file, tandrel-parse-floor)
# and Tandrel against half of it, the two-core floor; the peak memory of
# both; Tandrel's bytes per loaded value: (peak - peak with one year kept)
# over groups x years kept x columns.
set -euo pipefail
cd "$(dirname "$0")/.."

RUNS="${RUNS:-5}"
SCALES=()
for arg in "$@"; do
  case "$arg" in
    --smoke) RUNS=1 SCALES=(realistic) ;;
    realistic | capacity | all-years) SCALES+=("$arg") ;;
    *) echo "compare-datatable: unknown scale $arg" >&2; exit 2 ;;
  esac
done
[ ${#SCALES[@]} -gt 0 ] || SCALES=(realistic capacity all-years)

command -v Rscript >/dev/null && Rscript -e 'library(data.table)' >/dev/null 2>&1 || {
  echo "compare-datatable: needs R with data.table (scripts/install-deps.sh)" >&2
  exit 1
}
cmake --preset release >/dev/null
cmake --build --preset release -j "${JOBS:-2}" \
  --target tandrel-batch tandrel-kivgen tandrel-parse-floor >/dev/null
BATCH="${BATCH:-build/release/src/tandrel-batch}"
KIVGEN=build/release/tools/tandrel-kivgen
FLOOR=build/release/bench/tandrel-parse-floor
GEN=bench/generated
OUT="$(mktemp -d)"
trap 'rm -rf "$OUT"' EXIT

generate() {  # name groups years vars
  local dir="$GEN/$1"
  [ -f "$dir/kivora.csv" ] && return
  mkdir -p "$GEN"
  "$KIVGEN" bench --out "$dir" --groups "$2" --years "$3" --vars "$4" >&2
}
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
mdf_value() { sed -n "s/^$2 *= *\"\\([0-9]*\\)\".*/\\1/p" "$1/kivora.mdf"; }

# One whole process: "wall-seconds peak-KiB" in the file $1.
timed() {
  local into="$1"
  shift
  /usr/bin/time -f "%e %M" -o "$into" "$@" >/dev/null 2>"$OUT/stderr" || {
    cat "$OUT/stderr" >&2
    return 1
  }
}

compare() {  # scale dir first last
  local scale="$1" dir="$2" first="$3" last="$4"
  local data="$dir/kivora.csv"
  cat "$data" >/dev/null  # warm the file cache
  local columns lines loaded
  columns=$(mdf_value "$dir" number_of_variables)
  lines=$(awk -F, -v f="$first" -v l="$last" '$3 >= f && $3 <= l' "$data" | wc -l)
  loaded=$((lines * columns))
  local one
  one=$(mdf_value "$dir" first_year_possible)
  timed "$OUT/base" "$BATCH" --program-dir "$dir" --unit state --period 5 --years "$one:$one" \
    --vars all --no-missing-cases --out "$OUT/base.csv"
  local t_times=() r_times=() f_times=() t_rss=0 r_rss=0 wall kb
  for _ in $(seq "$RUNS"); do
    timed "$OUT/t" "$BATCH" --program-dir "$dir" --unit state --period 5 \
      --years "$first:$last" --vars all --no-missing-cases --out "$OUT/tandrel.csv"
    read -r wall kb <"$OUT/t"
    t_times+=("$wall")
    [ "$kb" -gt "$t_rss" ] && t_rss=$kb
    timed "$OUT/r" Rscript bench/datatable-job.R "$dir" "$first" "$last" "$OUT/datatable.csv"
    read -r wall kb <"$OUT/r"
    r_times+=("$wall")
    [ "$kb" -gt "$r_rss" ] && r_rss=$kb
    f_times+=("$("$FLOOR" "$data" 2>/dev/null)")
  done
  local t r f base cases_t cases_r
  t=$(printf '%s\n' "${t_times[@]}" | median)
  r=$(printf '%s\n' "${r_times[@]}" | median)
  f=$(printf '%s\n' "${f_times[@]}" | median)
  read -r _ base <"$OUT/base"
  # Tandrel's file may open with a header line; data.table's always does.
  cases_t=$(awk 'NR == 1 && !/^[ 0-9-]/ {next} {n++} END {print n + 0}' "$OUT/tandrel.csv")
  cases_r=$(($(wc -l <"$OUT/datatable.csv") - 1))
  [ "$cases_t" -gt 0 ] && [ "$cases_r" -gt 0 ] || {
    echo "compare-datatable: a job wrote no cases ($cases_t, $cases_r)" >&2
    return 1
  }
  awk -v s="$scale" -v mb="$(stat -c %s "$data")" -v t="$t" -v r="$r" -v f="$f" \
    -v tk="$t_rss" -v rk="$r_rss" -v z="$base" -v l="$loaded" -v ct="$cases_t" -v cr="$cases_r" '
    BEGIN {
      printf "%-10s %6.1f MB  %7.3f s  %7.3f s  %5.2f  %7.3f s  %5.2f  %5.0f / %5.0f MiB  %5.1f B  %d / %d\n",
        s, mb / 1e6, t, r, t / r, f, t / (f / 2), tk / 1024, rk / 1024, (tk - z) * 1024 / l, ct, cr
    }'
}

printf '%-10s %9s  %9s  %9s  %5s  %9s  %5s  %17s  %7s  %s\n' scale file Tandrel data.table \
  ratio "1-core floor" "/2-core" "peak T / dt" "B/value" "cases T / dt"
for scale in "${SCALES[@]}"; do
  case "$scale" in
    realistic)
      generate realistic 300 1945:2006 129
      compare realistic "$GEN/realistic" 1950 2000
      ;;
    capacity)
      generate b200 1001 1800:2025 200
      compare capacity "$GEN/b200" 1950 2000
      ;;
    all-years)
      generate b200 1001 1800:2025 200
      compare all-years "$GEN/b200" 1800 2025
      ;;
  esac
done
