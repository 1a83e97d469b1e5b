#!/usr/bin/env bash
# Starts an installed taskmeter as a new user would: no TASKMETER_HOME, HOME and the XDG
# folders fresh in SCRATCH, offscreen, drawing its window into SCRATCH/window.png.
# Checks that the window was drawn, that the per-user options folder was made (its
# catalogue equal to CATALOGUE, when given) and that nothing of the build tree was
# loaded: an installed program must stand on its own.
#
#   run-installed.sh SCRATCH BUILD_DIR CATALOGUE PROGRAM [ARGUMENT...]
set -euo pipefail
scratch=$1 build=$2 catalogue=$3
shift 3

fail() { echo "FAIL: $*" >&2; exit 1; }

home=$scratch/user
mkdir -p "$home" "$scratch/runtime"
chmod 700 "$scratch/runtime"
picture=$scratch/window.png
log=$scratch/run.log
if ! env -u TASKMETER_HOME -u DISPLAY -u WAYLAND_DISPLAY HOME="$home" \
    XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=offscreen LD_DEBUG=libs,files \
    LD_DEBUG_OUTPUT="$scratch/ld" "$@" --screenshot "$picture" >"$log" 2>&1; then
  cat "$log" >&2
  fail "the installed program did not draw its window"
fi

# A PNG's width and height are the big-endian words at bytes 16 and 20.
[ -s "$picture" ] || fail "no picture"
read -r width height < <(od -An -tu1 -j16 -N8 "$picture" |
  awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }')
# The window fills the offscreen screen of 800 by 600, its frame inside it.
[ "$width" -ge 780 ] && [ "$height" -ge 580 ] || fail "picture of ${width}x${height}, not the window"

options=$home/.config/TaskMeter/options
for file in mainpref.ini viewopt.xml predefgroups.xml; do
  [ -s "$options/$file" ] || fail "$options/$file was not made"
done
[ "$(stat -c %a "$home/.config")" = 700 ] || fail "$home/.config was made for everyone to read"
if [ -n "$catalogue" ]; then
  cmp -s "$catalogue" "$options/predefgroups.xml" || fail "the catalogue is not the shipped one"
fi

# Every file the dynamic loader opened (the module through dlopen too) comes from
# outside the build tree.
grep -h 'file=.*libtaskmeter-module.so' "$scratch"/ld.* >/dev/null ||
  fail "the loader never opened the module"
if grep -h -m3 "file=$(realpath "$build")/" "$scratch"/ld.*; then
  fail "the installed program used files of the build tree"
fi
echo "window ${width}x${height}, options made in $options"
