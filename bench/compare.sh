#!/usr/bin/env bash
# Times our programs against the same drawing made straight on PGPLOT, whole process, in
# alternating runs (ours, reference, ours, reference, ...), and prints one table: median wall time
# of each, the median of the paired ratios ours/reference, and the median peak memory (maximum
# resident set) of each with their ratio.
#
#   bash bench/compare.sh [RUNS] [BUILD_DIR]
#
# RUNS (default 15, at least 10) runs of each side per case; BUILD_DIR (default build-bench) is
# configured as a Release build and the four programs are built in it. Cases: the demonstration
# page (diatest1 / ref_page) at N = 1000 on PDF and PNG, and the curve (curve / ref_curve) at
# N = 10^5 and 10^6 on PDF. The data are generated here, the same on every machine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-15}
build=${2:-$top/build-bench}
if ((runs < 10)); then
  echo "compare.sh: at least 10 runs per side" >&2
  exit 2
fi

cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target diatest1 curve ref_page ref_curve >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# N pairs of a smooth curve with distinct points: x from 0 to 10, y = 50 + 40 sin(1.3 x) cos(0.21 x).
make_data() {
  awk -v n="$1" 'BEGIN {
    print "Benchmark data: x, y"
    for (i = 0; i < n; i++) { t = 10.0 * i / (n - 1); printf "%.7g %.7g\n", t, 50 + 40 * sin(1.3 * t) * cos(0.21 * t) }
  }' >"$2"
}
mkdir -p "$work/page"
make_data 1000 "$work/page/plot.out"
make_data 100000 "$work/curve-1e5.dat"
make_data 1000000 "$work/curve-1e6.dat"

# One timed run: wall seconds (from the shell's clock) and peak memory in KB (from time(1)).
# Output files go to the work directory; giza's warnings about Greek letters it lacks are dropped.
run_once() {
  local device=$1
  shift
  local start end
  start=$EPOCHREALTIME
  (cd "$work/page" && PGPLOT_DEV=$device /usr/bin/time -f "%M" -o "$work/mem" "$@" 2>/dev/null)
  end=$EPOCHREALTIME
  echo "$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.6f", b - a }') $(cat "$work/mem")"
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

printf '| case | ours ms | reference ms | ratio (median of pairs) | ours peak MB | reference peak MB | memory ratio |\n'
printf '|---|---:|---:|---:|---:|---:|---:|\n'

compare() {
  local name=$1 device=$2 ours=$3 reference=$4 data=${5:-}
  local -a a_cmd=("$ours") b_cmd=("$reference")
  if [[ -n $data ]]; then
    a_cmd+=("$data")
    b_cmd+=("$data")
  fi
  run_once "$device" "${a_cmd[@]}" >/dev/null
  run_once "$device" "${b_cmd[@]}" >/dev/null
  : >"$work/pairs"
  for ((i = 0; i < runs; i++)); do
    echo "$(run_once "$device" "${a_cmd[@]}") $(run_once "$device" "${b_cmd[@]}")" >>"$work/pairs"
  done
  local ta tb r ma mb
  ta=$(awk '{ print $1 }' "$work/pairs" | median)
  tb=$(awk '{ print $3 }' "$work/pairs" | median)
  r=$(awk '{ print $1 / $3 }' "$work/pairs" | median)
  ma=$(awk '{ print $2 }' "$work/pairs" | median)
  mb=$(awk '{ print $4 }' "$work/pairs" | median)
  awk -v n="$name" -v ta="$ta" -v tb="$tb" -v r="$r" -v ma="$ma" -v mb="$mb" \
    'BEGIN { printf "| %s | %.1f | %.1f | %.3f | %.1f | %.1f | %.3f |\n", n, 1000 * ta, 1000 * tb, r, ma / 1024, mb / 1024, ma / mb }'
}

compare "page N=1000, PDF" "plot.pdf/pdf" "$build/demo/diatest1" "$build/bench/ref_page"
compare "page N=1000, PNG" "plot.png/png" "$build/demo/diatest1" "$build/bench/ref_page"
compare "curve N=10^5, PDF" "curve.pdf/pdf" "$build/bench/curve" "$build/bench/ref_curve" "$work/curve-1e5.dat"
compare "curve N=10^6, PDF" "curve.pdf/pdf" "$build/bench/curve" "$build/bench/ref_curve" "$work/curve-1e6.dat"
echo
echo "$runs runs per side, alternating; $(nproc) cores; load average before the last case: $(cut -d' ' -f1-3 /proc/loadavg)"
