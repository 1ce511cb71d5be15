#!/usr/bin/env bash
# Times the diagr command against gnuplot drawing the same plot to PDF, whole process, in
# alternating runs (ours, gnuplot, ours, gnuplot, ...), and prints one table: median wall time of
# each, the median of the paired ratios ours/gnuplot, and the median peak memory of each.
#
#   bash bench/gnuplot_compare.sh [RUNS] [BUILD_DIR]
#   CASES='time' bash bench/gnuplot_compare.sh 7      # only the cases named
#
# RUNS (default 11, at least 5) runs of each side per case; BUILD_DIR (default build-bench) is
# configured as a Release build; CASES (default all: 'curve table time hist pages'), blank- or
# comma-separated, picks the cases. Cases, all on 20 x 10 cm PDF pages through gnuplot's pdfcairo:
# - curve: a file of 10^6 pairs (the curve of compare.sh) drawn with a title and axis texts: the `diagr`
#   command against gnuplot reading the same file;
# - table: a CSV table of 10^6 rows and 3 named columns, -u 1:2 against gnuplot's `using 1:2` with its
#   separator set to comma: the table reader's cost on top of the curve's;
# - time: a CSV table of 10^6 rows `YYYY-MM-DDThh:mm:ss,value` (one minute apart from
#   2024-01-01T00:00:00, a smooth curve) under a header `time,value`, -u 1:2 with a title and axis
#   texts against gnuplot's `set xdata time` with its timefmt: reading times on top of the table's;
# - hist: the y column of the curve's 10^6 pairs counted into bins 1 wide (--hist -u 2 --binwidth 1)
#   against gnuplot's `smooth frequency with boxes` of (floor($2)):(1), the same bins;
# - pages: diagram pages of a 1000-point curve with frame, axis texts, title and three texts, one page and
#   100 pages in one PDF in one run: bench/pages_ours.cpp against a gnuplot script looping over
#   `plot` (the cost of a page is the difference of the two runs over 99).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-11}
build=${2:-$top/build-bench}
if ((runs < 5)); then
  echo "gnuplot_compare.sh: at least 5 runs per side" >&2
  exit 2
fi
cases=" ${CASES:-curve table time hist pages} "
cases=${cases//,/ }
for c in $cases; do
  case $c in
    curve | table | time | hist | pages) ;;
    *) echo "gnuplot_compare.sh: no case '$c' (the cases: curve table time hist pages)" >&2; exit 2 ;;
  esac
done
# wanted NAME: whether CASES names the case.
wanted() { [[ " $cases " == *" $1 "* ]]; }
command -v gnuplot >/dev/null || { echo "gnuplot_compare.sh: gnuplot is not installed (Debian: gnuplot-nox)" >&2; exit 1; }

cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target diagr_cli pages >/dev/null
diagr=$build/cli/diagr

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$top/bench/timing.sh"

# 10^6 pairs of the curve of compare.sh.
wanted curve || wanted hist && make_data 1000000 "$work/curve.dat"

# 10^6 rows of 3 columns with names, as a spreadsheet writes them.
wanted table && awk -v n=1000000 'BEGIN {
  print "time,signal,reference"
  for (i = 0; i < n; i++) { t = 10.0 * i / (n - 1); printf "%.6f,%.6f,%.6f\n", t, 50 + 40 * sin(1.3 * t) * cos(0.21 * t), cos(t) }
}' >"$work/table.csv"

# 10^6 rows of an ISO 8601 time and a value, one minute apart from 2024-01-01T00:00:00 (to
# 2025-11-25T10:39:00, over a leap day), the value the curve of compare.sh over the rows.
wanted time && awk -v n=1000000 'BEGIN {
  print "time,value"
  split("31 29 31 30 31 30 31 31 30 31 30 31", days, " ")
  y = 2024; m = 1; d = 1; i = 0
  while (i < n) {
    for (h = 0; h < 24 && i < n; h++)
      for (mi = 0; mi < 60 && i < n; mi++) {
        t = 10.0 * i / (n - 1)
        printf "%04d-%02d-%02dT%02d:%02d:00,%.6f\n", y, m, d, h, mi, 50 + 40 * sin(1.3 * t) * cos(0.21 * t)
        i++
      }
    leap = y % 4 == 0 && (y % 100 != 0 || y % 400 == 0)
    if (++d > days[m] - (m == 2 && !leap)) { d = 1; if (++m > 12) { m = 1; y++ } }
  }
}' >"$work/time.csv"

# The pages for gnuplot: the curve of pages_ours.cpp, sampled at 1000 points, shifted on every page.
for count in 1 100; do
  cat >"$work/pages$count.gp" <<EOF
set terminal pdfcairo size 20cm,10cm
set output 'gnuplot_pages.pdf'
set samples 1000
set xlabel 'x'
set ylabel 'y'
do for [k=1:$count] {
  set title sprintf('page %d', k)
  set label 1 'first text' at graph 0.05, graph 0.9
  set label 2 'second text' at graph 0.05, graph 0.8
  set label 3 'third text' at graph 0.05, graph 0.7
  plot [0:10] 50 + 40 * sin(1.3 * x + 0.1 * k) * cos(0.21 * x) notitle with lines
}
EOF
done

# compare NAME -- OURS... -- THEIRS...: one row of the table.
compare() {
  local name=$1
  shift
  paired "$work" "$@"
  awk -v n="$name" -v ta="$ours_median" -v tb="$theirs_median" -v r="$ratio" -v ma="$ours_mem" -v mb="$theirs_mem" \
    'BEGIN { printf "| %s | %.1f | %.1f | %.3f | %.1f | %.1f |\n", n, 1000 * ta, 1000 * tb, r, ma / 1024, mb / 1024 }'
}

printf '| case | ours ms | gnuplot ms | ratio (median of pairs) | ours peak MB | gnuplot peak MB |\n'
printf '|---|---:|---:|---:|---:|---:|\n'

if wanted curve; then
  compare "curve N=10^6, PDF" -- "$diagr" curve.dat -o ours.pdf -t curve -x x -y y -- \
    gnuplot -e "set terminal pdfcairo size 20cm,10cm; set output 'gnuplot.pdf'; set title 'curve';
                set xlabel 'x'; set ylabel 'y'; plot 'curve.dat' skip 1 with lines notitle"
fi
if wanted table; then
  compare "table 10^6 x 3 CSV, -u 1:2, PDF" -- "$diagr" table.csv -u 1:2 -o ours.pdf -- \
    gnuplot -e "set terminal pdfcairo size 20cm,10cm; set output 'gnuplot.pdf'; set datafile separator comma;
                plot 'table.csv' using 1:2 with lines"
fi
if wanted time; then
  compare "time 10^6 x 2 CSV, ISO 8601, -u 1:2, PDF" -- "$diagr" time.csv -u 1:2 -o ours.pdf -t time -x time -y value -- \
    gnuplot -e "set terminal pdfcairo size 20cm,10cm; set output 'gnuplot.pdf'; set title 'time';
                set xlabel 'time'; set ylabel 'value'; set datafile separator ','; set xdata time;
                set timefmt '%Y-%m-%dT%H:%M:%S'; plot 'time.csv' using 1:2 with lines notitle"
fi
if wanted hist; then
  compare "hist of 10^6 values, bins 1 wide, PDF" -- "$diagr" curve.dat --hist -u 2 --binwidth 1 -o ours.pdf -- \
    gnuplot -e "set terminal pdfcairo size 20cm,10cm; set output 'gnuplot.pdf'; w = 1;
                plot 'curve.dat' skip 1 using (w * floor(\$2 / w)):(1) smooth frequency with boxes notitle"
fi
if wanted pages; then
  compare "1 diagram page, PDF" -- env PGPLOT_DEV=pages.pdf/pdf "$build/bench/pages" 1 -- gnuplot pages1.gp
  ours_one=$ours_median
  theirs_one=$theirs_median
  compare "100 diagram pages, one PDF" -- env PGPLOT_DEV=pages.pdf/pdf "$build/bench/pages" 100 -- gnuplot pages100.gp
  awk -v a1="$ours_one" -v a100="$ours_median" -v b1="$theirs_one" -v b100="$theirs_median" 'BEGIN {
    a = (a100 - a1) / 99; b = (b100 - b1) / 99
    printf "| each further page (100 pages less 1, over 99) | %.2f | %.2f | %.3f | | |\n", 1000 * a, 1000 * b, a / b
  }'
fi
echo
echo "$runs runs per side, alternating; $(nproc) cores; load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
