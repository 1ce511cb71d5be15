#!/usr/bin/env bash
# Runs a cursor probe in a /xw window on a private Xvfb server, moves the pointer to a pixel of
# that window and hits a key there; after the probe's PLTEND, hits the key again or closes the
# window, or stops the X server.
#
# Usage: plotter_xw_cursor.sh PROBE MODE PX PY KEY [END [HEIGHT]]
#   PROBE  the probe program; it gets MODE as its argument and PGPLOT_DEV=/xw
#   PX PY  pointer position in window pixels from the window's top left corner
#   KEY    the key, as an xdotool key name (for example "q")
#   END    "key" (the default), "close" or "lost": how the window is ended after PLTEND ("lost"
#          stops Xvfb under it)
#   HEIGHT the window is made HEIGHT pixels tall, its width kept, before the pointer is moved
# Prints the probe's output, then "window WIDTH HEIGHT" (pixels, at the key hit), "after-end open
# TITLE" or "after-end closed" (half a second after the probe's PLTEND), and "ended STATUS" once it
# ended.
# Every wait is bounded. Exit status: 0 done, 77 Xvfb or xdotool missing, 1 something did not
# come up in time.
set -u
probe=$1 mode=$2 px=$3 py=$4 key=$5 end=${6:-key} tall=${7:-}

for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null 2>&1 || { echo "missing $tool"; exit 77; }
done

work=$(mktemp -d)
xvfb_pid= probe_pid=
cleanup() {
  [ -n "$probe_pid" ] && kill "$probe_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number once it accepts connections.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"

PGPLOT_DEV=/xw timeout 30 "$probe" "$mode" >"$work/out" 2>"$work/err" &
probe_pid=$!
for _ in $(seq 100); do
  grep -q '^ready' "$work/out" 2>/dev/null && break
  kill -0 "$probe_pid" 2>/dev/null || break
  sleep 0.1
done
grep -q '^ready' "$work/out" || { echo "probe not ready"; cat "$work/out" "$work/err"; exit 1; }

# The probe's window: the one visible top-level window smaller than the screen.
window=
for _ in $(seq 50); do
  for id in $(xdotool search --onlyvisible --maxdepth 1 --name '' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id")"
    if [ "$WIDTH" -lt 1280 ] && [ "$WIDTH" -gt 1 ]; then
      window=$id
      width=$WIDTH height=$HEIGHT
    fi
  done
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "no window"; exit 1; }

if [ -n "$tall" ]; then
  xdotool windowsize "$window" "$width" "$tall"
  for _ in $(seq 50); do
    eval "$(xdotool getwindowgeometry --shell "$window")"
    [ "$HEIGHT" -eq "$tall" ] && break
    sleep 0.1
  done
  [ "$HEIGHT" -eq "$tall" ] || { echo "window not resized"; exit 1; }
  height=$HEIGHT
fi

xdotool mousemove --window "$window" "$px" "$py"
sleep 0.2
# Without a window manager the key goes to the window under the pointer. Repeat it until the
# probe has taken it (the probe may not be waiting at the cursor yet).
for _ in $(seq 40); do
  grep -q '^hit' "$work/out" && break
  kill -0 "$probe_pid" 2>/dev/null || break
  xdotool key "$key"
  sleep 0.25
done
# The probe has reached PLTEND: its window stays.
sleep 0.5
if kill -0 "$probe_pid" 2>/dev/null && title=$(xdotool getwindowname "$window" 2>/dev/null); then
  after_end="after-end open $title"
else
  after_end="after-end closed"
fi
for _ in $(seq 40); do
  kill -0 "$probe_pid" 2>/dev/null || break
  case $end in
    close) xdotool windowclose "$window" 2>/dev/null ;;
    lost) kill "$xvfb_pid" 2>/dev/null ;;
    *) xdotool key "$key" ;;
  esac
  sleep 0.25
done
wait "$probe_pid"
status=$?
probe_pid=
cat "$work/out"
cat "$work/err" >&2
echo "window $width $height"
echo "$after_end"
echo "ended $status"
exit $status
