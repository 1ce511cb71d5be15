#!/usr/bin/env bash
# Shows that thinning polylines in the plotter changes nothing visible: draws a smooth and a noisy
# curve of N points (default 10^5) as PNG at DPI (default 1000, 25 um pixels) through the plotter,
# straight on cairo with every point, and straight on cairo with the points thinned to 0.01 um, and
# counts the pixels that differ.
#   bash bench/thin_check.sh [N] [DPI] [BUILD_DIR]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
n=${1:-100000}
dpi=${2:-1000}
build=${3:-$top/build-bench}
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target thin_check >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for kind in smooth noisy; do
  extra=()
  [[ $kind == noisy ]] && extra=(noisy)
  echo "== $kind curve"
  "$build/bench/thin_check" "$n" "$dpi" "$work" "${extra[@]}"
  echo -n "ours (5 um) against reference (every point): "
  python3 "$top/bench/pixel_diff.py" "$work/ours.pgm" "$work/reference.pgm"
  echo -n "fine (0.01 um) against reference:           "
  python3 "$top/bench/pixel_diff.py" "$work/fine.pgm" "$work/reference.pgm"
  echo -n "ours (5 um) against fine (0.01 um):          "
  python3 "$top/bench/pixel_diff.py" "$work/ours.pgm" "$work/fine.pgm"
done
