#!/usr/bin/env bash
# Runs a test program on a private Xvfb server: run_on_xvfb.sh [--window-manager] PROGRAM [ARGS...]
# With --window-manager, openbox manages the windows, so moves go through the window system.
# Exits 77 (skipped) when Xvfb, or openbox where asked for, is not installed.
set -euo pipefail

window_manager=no
if [ "${1:-}" = "--window-manager" ]; then
  window_manager=yes
  shift
fi
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
if [ "$window_manager" = yes ] && ! command -v openbox >/dev/null; then
  echo "SKIP: openbox is not installed"
  exit 77
fi

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number to the descriptor. The first screen
# holds the main window even at twice the scale; the second is a common laptop screen.
Xvfb -displayfd 3 -screen 0 1920x1280x24 -screen 1 1920x1080x24 -nolisten tcp -noreset 3>"$work/display" \
  2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.05
done
[ -s "$work/display" ] || { cat "$work/xvfb.log"; echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$(cat "$work/display")"
export TV_SMALL_SCREEN="$DISPLAY.1"
export QT_QPA_PLATFORM=xcb
# No session bus: nothing the tests start may start one of its own or reach the desktop's.
export DBUS_SESSION_BUS_ADDRESS=disabled:

if [ "$window_manager" = yes ]; then
  HOME="$work" openbox --sm-disable >"$work/openbox.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
  done
fi

"$@"
