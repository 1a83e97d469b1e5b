#!/usr/bin/env bash
# Runs a command inside a Wayland compositor started headless for it alone:
#   scripts/with-compositor.sh sway|kwin|gnome-shell COMMAND...
# The compositor gets a runtime folder, a display and a session bus of its own (and for
# GNOME Shell a system bus with a stand-in logind), never the caller's session. The
# command sees WAYLAND_DISPLAY, XDG_RUNTIME_DIR, DBUS_SESSION_BUS_ADDRESS and
# XDG_SESSION_TYPE=wayland, plus SWAYSOCK under sway and, under GNOME Shell,
# TASKMETER_TEST_EXTENSIONS, the folder where it finds extensions. Everything started
# here is ended with the command, which gets at most TASKMETER_COMPOSITOR_TIMEOUT
# seconds (default 90).
# TASKMETER_SKIP_COMPOSITORS=1 skips the command, says so loudly and exits with 77,
# which ctest shows as a skipped test.
set -euo pipefail
kind=$1
shift
if [ "${TASKMETER_SKIP_COMPOSITORS:-0}" = 1 ]; then
  echo "########## SKIPPED: the tests under $kind (TASKMETER_SKIP_COMPOSITORS=1) ##########" >&2
  exit 77
fi
here=$(cd "$(dirname "$0")" && pwd)
session_kind=compositor
. "$here/scratch-session.sh"
fail_start() {
  echo "with-compositor.sh: $kind did not start; it printed:" >&2
  cat "$work"/*.log >&2 || true
  exit 1
}
start_bus() {  # NAME: a private bus; its address in $work/NAME.address
  local address=$work/$1.address
  dbus-daemon --config-file="$here/test-bus.conf" --nofork --print-address=3 \
    3>"$address" >"$work/$1-bus.log" 2>&1 &
  pids+=($!)
  wait_for "[ -s $address ]" || fail_start
}

# The compositors that refuse to run as root run as nobody, in folders nobody owns.
runtime=$work/runtime
home=$work/home
mkdir -p "$runtime" "$home"
chmod 700 "$runtime"
as_user=()
if [ "$(id -u)" = 0 ]; then
  chown nobody:nogroup "$runtime" "$home"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
chmod 755 "$work"

start_bus session
export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/session.address")
base_env=(env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$runtime"
          DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" XDG_SESSION_TYPE=wayland)
display=taskmeter-test

case $kind in
  sway)
    printf 'output HEADLESS-1 resolution 1280x800\nxwayland disable\n' >"$work/sway.config"
    (cd / && exec "${base_env[@]}" WLR_BACKENDS=headless WLR_RENDERER=pixman \
      WLR_LIBINPUT_NO_DEVICES=1 "${as_user[@]}" sway -c "$work/sway.config") \
      >"$work/sway.log" 2>&1 &
    pids+=($!)
    wait_for 'ls "$runtime"/wayland-? >/dev/null 2>&1 && ls "$runtime"/sway-ipc.* >/dev/null 2>&1' ||
      fail_start
    display=$(basename "$(ls "$runtime"/wayland-? | head -n1)")
    export SWAYSOCK=$(ls "$runtime"/sway-ipc.* | head -n1)
    export XDG_CURRENT_DESKTOP=sway
    ;;
  kwin)
    # The installed binary carries a file capability that containers may refuse at
    # exec; a copy has none.
    cp "$(command -v kwin_wayland)" "$work/kwin_wayland"
    chown root:root "$runtime"
    (cd / && exec "${base_env[@]}" QT_QPA_PLATFORM=wayland "$work/kwin_wayland" --virtual \
      --no-lockscreen --socket "$display" --width 1280 --height 800) >"$work/kwin.log" 2>&1 &
    pids+=($!)
    wait_for '[ -S "$runtime/$display" ] && dbus-send --session --print-reply --dest=org.kde.KWin /Scripting org.freedesktop.DBus.Peer.Ping >/dev/null 2>&1' ||
      fail_start
    export XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5
    ;;
  gnome-shell)
    # GNOME Shell stops at start without logind: a stand-in answers on a system bus of
    # its own.
    start_bus system
    export DBUS_SYSTEM_BUS_ADDRESS=$(head -n1 "$work/system.address")
    /usr/bin/python3 -m dbusmock --system --template logind >"$work/logind.log" 2>&1 &
    pids+=($!)
    wait_for 'dbus-send --system --print-reply --dest=org.freedesktop.login1 /org/freedesktop/login1 org.freedesktop.DBus.Peer.Ping >/dev/null 2>&1' ||
      fail_start
    export TASKMETER_TEST_EXTENSIONS=$home/.local/share/gnome-shell/extensions
    mkdir -p "$TASKMETER_TEST_EXTENSIONS"
    # Extensions are found when the shell starts; the caller's go there beforehand.
    if [ -n "${TASKMETER_TEST_EXTENSION:-}" ]; then
      cp -r "$TASKMETER_TEST_EXTENSION" "$TASKMETER_TEST_EXTENSIONS/"
    fi
    [ "$(id -u)" = 0 ] && chown -R nobody:nogroup "$home"
    # MUTTER_DEBUG_RESET_IDLETIME lets the tests reset the idle time, as input would.
    (cd / && exec "${base_env[@]}" DBUS_SYSTEM_BUS_ADDRESS="$DBUS_SYSTEM_BUS_ADDRESS" \
      GSETTINGS_BACKEND=memory MUTTER_DEBUG_RESET_IDLETIME=1 "${as_user[@]}" gnome-shell --headless --wayland --no-x11 \
      --virtual-monitor 1280x800 --wayland-display "$display") >"$work/gnome-shell.log" 2>&1 &
    pids+=($!)
    wait_for '[ -S "$runtime/$display" ] && dbus-send --session --print-reply --dest=org.gnome.Shell /org/gnome/Shell org.gnome.Shell.Extensions.ListExtensions >/dev/null 2>&1' ||
      fail_start
    # The shell starts in its overview, where new windows do not take the focus. It can
    # be left once its start animation is over, which shows the overview again: left
    # when it stays so for a second.
    overview() {
      dbus-send --session --print-reply --dest=org.gnome.Shell /org/gnome/Shell \
        org.freedesktop.DBus.Properties.$1 string:org.gnome.Shell string:OverviewActive ${2:-}
    }
    for try in $(seq 20); do
      overview Set variant:boolean:false >/dev/null 2>&1 || true
      sleep 1
      if overview Get 2>/dev/null | grep -q "boolean false"; then break; fi
      [ "$try" = 20 ] && fail_start
    done
    export XDG_CURRENT_DESKTOP=GNOME
    ;;
  *)
    echo "with-compositor.sh: unknown compositor $kind (sway, kwin or gnome-shell)" >&2
    exit 2
    ;;
esac

export WAYLAND_DISPLAY=$display XDG_RUNTIME_DIR=$runtime XDG_SESSION_TYPE=wayland
unset DISPLAY
status=0
timeout "${TASKMETER_COMPOSITOR_TIMEOUT:-90}" "$@" || status=$?
if [ $status != 0 ]; then
  echo "with-compositor.sh: the command failed ($status); $kind printed:" >&2
  tail -n 40 "$work"/*.log >&2 || true
fi
exit $status
