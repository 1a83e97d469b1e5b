#!/usr/bin/env bash
# Runs a command on a virtual X display of its own (Xvfb) with openbox as the window
# manager, which keeps _NET_ACTIVE_WINDOW up to date. Used for the recorder's tests.
set -euo pipefail
if [ -z "${TASKMETER_DESKTOP_STARTED:-}" ]; then
  export TASKMETER_DESKTOP_STARTED=1
  exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi
# The recorder refuses Wayland sessions; this display is X11 whatever the caller's is.
unset WAYLAND_DISPLAY
export XDG_SESSION_TYPE=x11
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null || true; wait "$wm" 2>/dev/null || true' EXIT
# Ready when openbox has announced itself on the root window (at most thirty seconds,
# for a machine that is busy building).
ready=0
for _ in $(seq 300); do
  if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
    ready=1
    break
  fi
  sleep 0.1
done
if [ "$ready" != 1 ]; then
  echo "with-desktop.sh: openbox did not start on $DISPLAY" >&2
  exit 1
fi
"$@"
