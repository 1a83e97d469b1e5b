#!/usr/bin/env bash
# The recorder's CPU use: the host's CPU seconds over a minute with the desktop idle, and
# over a minute of ten window switches a second, on a virtual X display with openbox, or
# on sway started headless (DESKTOP=sway). The host's own windows stay offscreen, so the
# figure is the recorder's and the event loop's.
# Usage: [DESKTOP=x11|sway] bench/recorder-cpu.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
seconds=${2:-60}
desktop=${DESKTOP:-x11}
if [ -z "${RECORDER_CPU_ON_DESKTOP:-}" ]; then
  if [ "$desktop" = sway ]; then
    RECORDER_CPU_ON_DESKTOP=1 TASKMETER_COMPOSITOR_TIMEOUT=$((seconds * 3 + 60)) \
      exec scripts/with-compositor.sh sway "$0" "$build" "$seconds"
  fi
  RECORDER_CPU_ON_DESKTOP=1 exec scripts/with-desktop.sh "$0" "$build" "$seconds"
fi
home=$(mktemp -d)
windows=()
trap 'kill "${windows[@]}" 2>/dev/null || true; rm -rf "$home"' EXIT
ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# Ten switches a second between two windows, as a pager or a key binding would.
switch_load() {
  if [ "$desktop" = sway ]; then
    # Paced by the clock, so that the time swaymsg takes does not lower the rate.
    local step next=$(date +%s%N)
    for ((step = 0; step < seconds * 10; step++)); do
      swaymsg -q "[app_id=$([ $((step % 2)) = 0 ] && echo first || echo second)] focus"
      next=$((next + 100000000))
      local wait=$(( (next - $(date +%s%N)) / 1000 ))
      [ $wait -gt 0 ] && sleep "$(printf '0.%06d' $wait)"
    done
  else
    "$build/bench/recorder/recorder-switch-load" 10 "$seconds"
  fi
}
if [ "$desktop" = sway ]; then
  # The windows read their input from a pipe held open here: they close with the script.
  mkfifo "$home/input"
  exec 3<>"$home/input"
  for name in first second; do
    "$build/tests/recorder/desktops/test-window" "$name" "$name" <"$home/input" &
    windows+=($!)
  done
fi

TASKMETER_HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" \
  QT_QPA_PLATFORM=offscreen "$build/host/taskmeter" >"$home/host.log" 2>&1 &
host=$!
sleep 3  # started and settled
before=$(cpu $host); sleep "$seconds"; after=$(cpu $host)
echo "idle desktop ($desktop): $(( (after - before) * 1000 / ticks )) ms CPU in $seconds s"
before=$(cpu $host)
switch_load
after=$(cpu $host)
blocks=$(cat "$home"/data/Kestrel\ Works/TaskMeter/DB/*.log | grep -c '^~~~$')
echo "10 switches a second ($desktop): $(( (after - before) * 1000 / ticks )) ms CPU in $seconds s ($blocks blocks)"
[ -n "${KEEP_LOG:-}" ] && cp "$home"/data/Kestrel\ Works/TaskMeter/DB/*.log "$KEEP_LOG"
kill -TERM $host
wait $host
