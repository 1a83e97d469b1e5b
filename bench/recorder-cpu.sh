#!/usr/bin/env bash
# The recorder's CPU use: the host's CPU seconds over a minute with the desktop idle, and
# over a minute of ten window switches a second, on a virtual X display with openbox.
# The host's own windows stay offscreen, so the figure is the recorder's and the event
# loop's. Usage: bench/recorder-cpu.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
seconds=${2:-60}
if [ -z "${RECORDER_CPU_ON_DESKTOP:-}" ]; then
  RECORDER_CPU_ON_DESKTOP=1 exec scripts/with-desktop.sh "$0" "$build" "$seconds"
fi
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$1/stat"; }

TASKMETER_HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" \
  QT_QPA_PLATFORM=offscreen "$build/host/taskmeter/taskmeter" >"$home/host.log" 2>&1 &
host=$!
sleep 3  # started and settled
before=$(cpu $host); sleep "$seconds"; after=$(cpu $host)
echo "idle desktop: $(( (after - before) * 1000 / ticks )) ms CPU in $seconds s"
before=$(cpu $host)
"$build/bench/recorder/recorder-switch-load" 10 "$seconds"
after=$(cpu $host)
blocks=$(cat "$home"/data/Kestrel\ Works/TaskMeter/DB/*.log | grep -c '^~~~$')
echo "10 switches a second: $(( (after - before) * 1000 / ticks )) ms CPU in $seconds s ($blocks blocks)"
[ -n "${KEEP_LOG:-}" ] && cp "$home"/data/Kestrel\ Works/TaskMeter/DB/*.log "$KEEP_LOG"
kill -TERM $host
wait $host
