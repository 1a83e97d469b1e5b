#!/usr/bin/env bash
# Runs a command on a virtual X display of its own (Xvfb) with openbox as the window
# manager, which keeps _NET_ACTIVE_WINDOW up to date; new windows do not take the focus,
# so the active window changes only when a test asks. Used for the recorder's tests.
# The server picks a free display number itself (-displayfd), so runs side by side never
# meet on one display, and both programs are ended with the command. DESKTOP_SCREEN sets
# the screen's size and depth (1280x800x24 unless given).
set -euo pipefail
session_kind=desktop
. "$(dirname "$0")/scratch-session.sh"

Xvfb -displayfd 3 -screen 0 "${DESKTOP_SCREEN:-1280x800x24}" -nolisten tcp 3>"$work/display" 2>"$work/server.log" &
pids+=($!)
if ! wait_for '[ -s "$work/display" ]'; then
  echo "with-desktop.sh: Xvfb did not start:" >&2
  cat "$work/server.log" >&2
  exit 1
fi
export DISPLAY=":$(head -n1 "$work/display")"
# The recorder refuses Wayland sessions; this display is X11 whatever the caller's is.
unset WAYLAND_DISPLAY XAUTHORITY XDG_CURRENT_DESKTOP
export XDG_SESSION_TYPE=x11
openbox --sm-disable --config-file "$(dirname "$0")/openbox-tests.xml" >"$work/openbox.log" 2>&1 &
wm=$!
pids+=($wm)
if ! wait_for 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"'; then
  echo "with-desktop.sh: openbox did not start on $DISPLAY:" >&2
  kill -0 "$wm" 2>/dev/null || echo "(openbox has exited)" >&2
  cat "$work/openbox.log" "$work/server.log" >&2
  exit 1
fi
"$@"
