#!/usr/bin/env bash
# Fuzz smoke: builds the libFuzzer targets with clang in build-fuzz-smoke/ and runs each for a few
# seconds, starting from its seed corpus in fuzz/corpus/<target>/. Any crash, hang, sanitizer
# report or broken invariant fails the script. The seed corpora are only read: new inputs go to
# a scratch directory that is removed afterwards.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dir="$top/build-fuzz-smoke"
seconds=${FUZZ_SMOKE_SECONDS:-4}
jobs=${FUZZ_SMOKE_JOBS:-$(nproc)}
targets=(reader labels axis diagram texts table)

cmake -S "$top" -B "$dir" -DDIAGR_FUZZ=ON -DDIAGR_TESTS=OFF -DDIAGR_BENCH=OFF -DDIAGR_WERROR=ON \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir" -j"$jobs" --target "${targets[@]/#/fuzz_}"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
for t in "${targets[@]}"; do
  mkdir -p "$scratch/$t"
  if "$dir/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
       -artifact_prefix="$scratch/$t-" "$scratch/$t" "$top/fuzz/corpus/$t" >"$scratch/$t.log" 2>&1; then
    echo "fuzz smoke $t: $(grep -Eo 'Done [0-9]+ runs' "$scratch/$t.log" | tail -1) in ${seconds}s, no finding"
  else
    echo "fuzz smoke $t: FAILED" >&2
    tail -n 40 "$scratch/$t.log" >&2
    failed=1
  fi
done
exit "$failed"
