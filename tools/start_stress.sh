#!/usr/bin/env bash
# Starts the real program many times on a private Xvfb and reports, for each way a desktop
# may offer D-Bus, how many starts showed their window, the slowest start, and how many
# processes outlived their program:
#   tools/start_stress.sh [COUNT] [NORMAL_PROGRAM] [SANITIZER_PROGRAM]
# COUNT defaults to 200; the programs to build/app/tarnview and build-sanitize/app/tarnview
# (a missing one is left out). The bus kinds:
#   bus         a session bus of the run's own, as on a desktop
#   autolaunch  no bus, and dbus-launch installed: D-Bus starts one for the display
#   disabled    DBUS_SESSION_BUS_ADDRESS=disabled:
# Each start is ended as a person ends the program; one that shows no window within 15 s
# counts as hung and its process group is killed. What the program started and is still
# there after it ended counts as left behind, but a bus that D-Bus started for the display:
# that must be gone once the display is. Exits non-zero when any start hung or left a
# process behind.
set -euo pipefail
cd "$(dirname "$0")/.."

count=${1:-200}
normal=${2:-build/app/tarnview}
sanitized=${3:-build-sanitize/app/tarnview}
window_timeout=15

for tool in Xvfb xdotool dbus-daemon; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed (tools/install-deps.sh)" >&2; exit 2; }
done

work=$(mktemp -d)
xvfb_pid=""
bus_pid=""
cleanup() {
  [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

now_ms() { echo $(($(date +%s%N) / 1000000)); }

start_display() {
  exec {display_fd}<> <(:)
  Xvfb -displayfd "$display_fd" -screen 0 1920x1080x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb_pid=$!
  read -r -t 10 display_number <&"$display_fd"
  exec {display_fd}>&-
  export DISPLAY=":$display_number"
}

stop_display() {
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
}

# Sets the environment of the program for a bus kind; 1 when the kind cannot be made here.
prepare_bus() {
  unset DBUS_SESSION_BUS_ADDRESS
  case $1 in
  bus)
    dbus-daemon --session --nofork --nopidfile --address="unix:path=$work/bus" --print-address=1 \
      >"$work/bus-address" 2>/dev/null &
    bus_pid=$!
    for _ in $(seq 100); do [ -s "$work/bus-address" ] && break; sleep 0.05; done
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus-address")
    export DBUS_SESSION_BUS_ADDRESS
    ;;
  autolaunch) command -v dbus-launch >/dev/null || return 1 ;;
  disabled) export DBUS_SESSION_BUS_ADDRESS=disabled: ;;
  esac
}

stop_bus() {
  [ -n "$bus_pid" ] || return 0
  kill "$bus_pid" 2>/dev/null || true
  wait "$bus_pid" 2>/dev/null || true
  bus_pid=""
  rm -f "$work/bus" "$work/bus-address"
}

# The processes that carry a mark in their environment: the program and everything it
# started, whatever session or group they moved to.
marked() {
  grep -lsF -- "TARNVIEW_STRESS_MARK=$1" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3 || true
}

# One start: prints "shown MILLISECONDS" or "hung -". The program is ended as a person ends
# it, by itself; a hung one with everything in its process group.
start_once() {
  local program=$1 mark=$2 pid started
  started=$(now_ms)
  # A session and process group of its own: what it starts can be found and ended.
  TARNVIEW_STRESS_MARK=$mark setsid "$program" >/dev/null 2>&1 &
  pid=$!
  # Asked every 20 ms: xdotool's own --sync waits half a second between looks.
  local deadline=$((started + window_timeout * 1000))
  until xdotool search --onlyvisible --pid "$pid" --name '^Tarnview$' >/dev/null 2>&1 || [ "$(now_ms)" -gt "$deadline" ]
  do
    sleep 0.02
  done
  if [ "$(now_ms)" -le "$deadline" ]; then
    echo "shown $(($(now_ms) - started))"
  else
    echo "hung -"
    kill -KILL -- "-$pid" 2>/dev/null || true
  fi
  kill -TERM "$pid" 2>/dev/null || true
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

# Counts the marked processes still alive but those named (a bus that D-Bus started for the
# display lives as long as the display), reports and ends them.
count_leftovers() {
  local mark=$1 spared=${2:-} left=""
  sleep 0.3
  for other in $(marked "$mark"); do
    case " $spared " in *" $(ps -o comm= -p "$other" 2>/dev/null) "*) continue ;; esac
    echo "left behind: $other $(ps -o args= -p "$other")" >&2
    kill -KILL "$other" 2>/dev/null || true
    left="$left $other"
  done
  echo "$left" | wc -w
}

# Runs COUNT starts of a program with a bus kind and prints one line of figures.
run_kind() {
  local label=$1 program=$2 kind=$3 shown=0 slowest=0 leftovers=0 mark
  cp "$program" "$work/app/tarnview"
  start_display
  if ! prepare_bus "$kind"; then
    stop_display
    printf '%-10s %-11s skipped: dbus-launch is not installed\n' "$label" "$kind"
    return
  fi
  for number in $(seq "$count"); do
    mark="$$-$label-$kind-$number"
    read -r outcome milliseconds < <(cd "$work/app" && start_once "$work/app/tarnview" "$mark")
    if [ "$outcome" = shown ]; then
      shown=$((shown + 1))
      [ "$milliseconds" -gt "$slowest" ] && slowest=$milliseconds
    fi
    leftovers=$((leftovers + $(count_leftovers "$mark" "dbus-launch dbus-daemon")))
  done
  stop_bus
  stop_display
  # Whatever D-Bus started for the display must go with it, within a few seconds.
  for _ in $(seq 100); do [ -z "$(marked "$$-$label-$kind-")" ] && break; sleep 0.1; done
  leftovers=$((leftovers + $(count_leftovers "$$-$label-$kind-")))
  printf '%-10s %-11s %5d of %d shown, %5d hung, slowest %6d ms, %3d left behind\n' "$label" "$kind" "$shown" \
    "$count" $((count - shown)) "$slowest" "$leftovers"
  total_bad=$((total_bad + count - shown + leftovers))
}

mkdir -p "$work/app" "$work/home/.config/Corvane" "$work/runtime"
chmod 700 "$work/runtime"
printf '[General]\nLanguage=en\n' >"$work/home/.config/Corvane/Tarnview.conf"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb
export ASAN_OPTIONS=detect_leaks=0

total_bad=0
echo "$count starts each"
if [ -x "$normal" ]; then
  for kind in bus autolaunch disabled; do run_kind normal "$normal" "$kind"; done
else
  echo "no normal build at $normal"
fi
if [ -x "$sanitized" ]; then
  for kind in bus disabled; do run_kind sanitizer "$sanitized" "$kind"; done
else
  echo "no sanitizer build at $sanitized"
fi
[ "$total_bad" -eq 0 ]
