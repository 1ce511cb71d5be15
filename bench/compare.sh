#!/usr/bin/env bash
# Times our programs against the same drawing made straight on cairo, whole process, in
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

. "$top/bench/timing.sh"
mkdir -p "$work/page"
make_data 1000 "$work/page/plot.out"
make_data 100000 "$work/curve-1e5.dat"
make_data 1000000 "$work/curve-1e6.dat"

printf '| case | ours ms | reference ms | ratio (median of pairs) | ours peak MB | reference peak MB | memory ratio |\n'
printf '|---|---:|---:|---:|---:|---:|---:|\n'

compare() {
  local name=$1 device=$2 ours=$3 reference=$4 data=${5:-}
  paired "$work/page" -- env PGPLOT_DEV="$device" "$ours" ${data:+"$data"} -- env PGPLOT_DEV="$device" "$reference" ${data:+"$data"}
  awk -v n="$name" -v ta="$ours_median" -v tb="$theirs_median" -v r="$ratio" -v ma="$ours_mem" -v mb="$theirs_mem" \
    'BEGIN { printf "| %s | %.1f | %.1f | %.3f | %.1f | %.1f | %.3f |\n", n, 1000 * ta, 1000 * tb, r, ma / 1024, mb / 1024, ma / mb }'
}

compare "page N=1000, PDF" "plot.pdf/pdf" "$build/demo/diatest1" "$build/bench/ref_page"
compare "page N=1000, PNG" "plot.png/png" "$build/demo/diatest1" "$build/bench/ref_page"
compare "curve N=10^5, PDF" "curve.pdf/pdf" "$build/bench/curve" "$build/bench/ref_curve" "$work/curve-1e5.dat"
compare "curve N=10^6, PDF" "curve.pdf/pdf" "$build/bench/curve" "$build/bench/ref_curve" "$work/curve-1e6.dat"
echo
echo "$runs runs per side, alternating; $(nproc) cores; load average before the last case: $(cut -d' ' -f1-3 /proc/loadavg)"
