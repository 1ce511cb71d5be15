#!/usr/bin/env bash
# Sets up, builds and runs every test: once with shared libraries, once with static ones under
# AddressSanitizer + UBSan.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/setup.sh"
jobs=$(nproc)

run() {
  local dir=$1; shift
  # Our own builds: warnings are errors, and tests and benchmarks are required, never skipped.
  cmake -S "$top" -B "$dir" -DDIAGR_WERROR=ON -DDIAGR_TESTS=ON -DDIAGR_BENCH=ON "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  (cd "$dir" && ctest --output-on-failure -j"$jobs")
}

echo "== tests (shared libraries) =="
run "$top/build-test" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_SHARED_LIBS=ON
echo "== tests under AddressSanitizer + UndefinedBehaviorSanitizer (static libraries) =="
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 LSAN_OPTIONS=suppressions=$top/tests/lsan.supp:print_suppressions=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run "$top/build-asan" -DCMAKE_BUILD_TYPE=Debug -DDIAGR_SANITIZE=ON -DBUILD_SHARED_LIBS=OFF
echo "== fuzz smoke (a few seconds per libFuzzer target) =="
bash "$top/scripts/fuzz_smoke.sh"
