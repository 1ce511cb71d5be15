# Shared by the comparison scripts: benchmark data and paired, alternating whole-process timing.
# Sourced, not run; the caller sets `work` (a scratch directory) and `runs` first.

# N pairs of a smooth curve with distinct points: x from 0 to 10, y = 50 + 40 sin(1.3 x) cos(0.21 x).
make_data() {
  awk -v n="$1" 'BEGIN {
    print "Benchmark data: x, y"
    for (i = 0; i < n; i++) { t = 10.0 * i / (n - 1); printf "%.7g %.7g\n", t, 50 + 40 * sin(1.3 * t) * cos(0.21 * t) }
  }' >"$2"
}

# One timed run of COMMAND in DIR: wall seconds (from the shell's clock) and peak memory in KB
# (from time(1)). What the program prints is dropped.
run_once() {
  local dir=$1 start end
  shift
  start=$EPOCHREALTIME
  (cd "$dir" && /usr/bin/time -f "%M" -o "$work/mem" "$@" >/dev/null 2>&1)
  end=$EPOCHREALTIME
  echo "$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.6f", b - a }') $(cat "$work/mem")"
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# paired DIR -- OURS... -- THEIRS...: one warm-up run of each, then RUNS alternating pairs in DIR.
# Sets ours_median and theirs_median (s), ratio (median of the paired ratios), ours_mem and
# theirs_mem (median peak KB).
paired() {
  local dir=$1
  shift 2
  local -a ours=() theirs=()
  local i
  while [[ $1 != -- ]]; do ours+=("$1"); shift; done
  shift
  theirs=("$@")
  run_once "$dir" "${ours[@]}" >/dev/null
  run_once "$dir" "${theirs[@]}" >/dev/null
  : >"$work/pairs"
  for ((i = 0; i < runs; i++)); do
    echo "$(run_once "$dir" "${ours[@]}") $(run_once "$dir" "${theirs[@]}")" >>"$work/pairs"
  done
  ours_median=$(awk '{ print $1 }' "$work/pairs" | median)
  theirs_median=$(awk '{ print $3 }' "$work/pairs" | median)
  ratio=$(awk '{ print $1 / $3 }' "$work/pairs" | median)
  ours_mem=$(awk '{ print $2 }' "$work/pairs" | median)
  theirs_mem=$(awk '{ print $4 }' "$work/pairs" | median)
}
