#!/usr/bin/env bash
# Times the diagr command against gnuplot drawing the same plot to PDF, whole process, in
# alternating runs (ours, gnuplot, ours, gnuplot, ...), and prints one table: median wall time of
# each, the median of the paired ratios ours/gnuplot, and the median peak memory of each.
#
#   bash bench/gnuplot_compare.sh [RUNS] [BUILD_DIR]
#
# RUNS (default 11, at least 5) runs of each side per case; BUILD_DIR (default build-bench) is
# configured as a Release build. Case: a file of 10^6 pairs (the curve of compare.sh) drawn with a
# title and axis texts on a 20 x 10 cm PDF page: `diagr` against gnuplot's pdfcairo terminal.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-11}
build=${2:-$top/build-bench}
if ((runs < 5)); then
  echo "gnuplot_compare.sh: at least 5 runs per side" >&2
  exit 2
fi
command -v gnuplot >/dev/null || { echo "gnuplot_compare.sh: gnuplot is not installed (Debian: gnuplot-nox)" >&2; exit 1; }

cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target diagr_cli >/dev/null
diagr=$build/cli/diagr

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 10^6 pairs of a smooth curve with distinct points, as in compare.sh.
awk -v n=1000000 'BEGIN {
  print "Benchmark data: x, y"
  for (i = 0; i < n; i++) { t = 10.0 * i / (n - 1); printf "%.7g %.7g\n", t, 50 + 40 * sin(1.3 * t) * cos(0.21 * t) }
}' >"$work/curve.dat"

# One timed run in the work directory: wall seconds and peak memory in KB.
run_once() {
  local start end
  start=$EPOCHREALTIME
  (cd "$work" && /usr/bin/time -f "%M" -o "$work/mem" "$@" >/dev/null 2>&1)
  end=$EPOCHREALTIME
  echo "$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.6f", b - a }') $(cat "$work/mem")"
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# compare NAME -- OURS... -- THEIRS...
compare() {
  local name=$1
  shift 2
  local -a ours=() theirs=()
  while [[ $1 != -- ]]; do ours+=("$1"); shift; done
  shift
  theirs=("$@")
  run_once "${ours[@]}" >/dev/null
  run_once "${theirs[@]}" >/dev/null
  : >"$work/pairs"
  for ((i = 0; i < runs; i++)); do
    echo "$(run_once "${ours[@]}") $(run_once "${theirs[@]}")" >>"$work/pairs"
  done
  local ta tb r ma mb
  ta=$(awk '{ print $1 }' "$work/pairs" | median)
  tb=$(awk '{ print $3 }' "$work/pairs" | median)
  r=$(awk '{ print $1 / $3 }' "$work/pairs" | median)
  ma=$(awk '{ print $2 }' "$work/pairs" | median)
  mb=$(awk '{ print $4 }' "$work/pairs" | median)
  awk -v n="$name" -v ta="$ta" -v tb="$tb" -v r="$r" -v ma="$ma" -v mb="$mb" \
    'BEGIN { printf "| %s | %.1f | %.1f | %.3f | %.1f | %.1f |\n", n, 1000 * ta, 1000 * tb, r, ma / 1024, mb / 1024 }'
}

printf '| case | ours ms | gnuplot ms | ratio (median of pairs) | ours peak MB | gnuplot peak MB |\n'
printf '|---|---:|---:|---:|---:|---:|\n'

compare "curve N=10^6, PDF" -- "$diagr" curve.dat -o ours.pdf -t curve -x x -y y -- \
  gnuplot -e "set terminal pdfcairo size 20cm,10cm; set output 'gnuplot.pdf'; set title 'curve';
              set xlabel 'x'; set ylabel 'y'; plot 'curve.dat' skip 1 with lines notitle"
echo
echo "$runs runs per side, alternating; $(nproc) cores; load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
