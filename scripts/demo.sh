#!/usr/bin/env bash
# Sets up, builds, and draws the demonstration page from examples/plot.out; builds the diagr
# command too (build/cli/diagr).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/setup.sh"
cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=Release -DDIAGR_TESTS=OFF -DDIAGR_BENCH=OFF >/dev/null
cmake --build "$top/build" -j"$(nproc)" --target diatest1 pagefile diagr_cli

out="$top/out"
mkdir -p "$out"
cp "$top/examples/plot.out" "$out/plot.out"
cd "$out"
"$top/build/demo/diatest1"
echo "demo: $("$top/build/demo/pagefile" "${PGPLOT_DEV:-}")"
echo "demo: the diagr command is $top/build/cli/diagr (diagr --help)"
