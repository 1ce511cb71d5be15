#!/usr/bin/env bash
# Sets up, builds, and draws the demonstration page from examples/plot.out.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/setup.sh"
cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=Release -DDIAGR_TESTS=OFF -DDIAGR_BENCH=OFF >/dev/null
cmake --build "$top/build" -j"$(nproc)" --target diatest1

# Says where the plotter put the page for the device text DEVICE, naming the file as the plotter
# does (plotter/device_name.cpp): "file/type" with a known type, or else a file name whose
# extension is a known type; no file name gives plot.<extension>, and a file name without the
# type's extension gets it (case aside). Relative names are in the working directory, $out.
where_the_page_went() {
  local text=${1:-plot.pdf/pdf} type="" file="" ext
  extension_of() {
    case "${1,,}" in
      pdf | vpdf) echo pdf ;; png) echo png ;; svg) echo svg ;; ps | vps) echo ps ;; eps) echo eps ;;
      xw | xwin | xwindow | xserve) echo xw ;; null) echo null ;; *) echo "" ;;
    esac
  }
  if [[ $text == */* ]]; then
    type=$(extension_of "${text##*/}")
    file=${text%/*}
  fi
  if [ -z "$type" ]; then
    local last=${text##*/}
    if [[ $last == *.* && -n ${last%.*} ]]; then
      type=$(extension_of "${last##*.}")
    fi
    case "$type" in
      xw | null | "") echo "the device \"$text\" is not known"; return ;;
    esac
    file=$text
  fi
  case "$type" in
    xw) echo "the page was shown in an X window"; return ;;
    null) echo "the page was drawn on the null device: no file"; return ;;
  esac
  ext=$type
  file=${file:-plot}
  local tail=${file: -$((${#ext} + 1))}
  [ "${tail,,}" = ".$ext" ] || file="$file.$ext"
  [[ $file == /* ]] || file="$out/$file"
  echo "the page is in $file"
}

out="$top/out"
mkdir -p "$out"
cp "$top/examples/plot.out" "$out/plot.out"
cd "$out"
"$top/build/demo/diatest1"
echo "demo: $(where_the_page_went "${PGPLOT_DEV:-}")"
