#!/usr/bin/env bash
# Installs the Debian packages the build needs when any is missing. Safe to run again.
set -euo pipefail

packages=(build-essential cmake ninja-build ccache clang-format-14 pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev qt6-qpa-plugins fontconfig fonts-dejavu-core
          nlohmann-json3-dev libcli11-dev)
# The activity recorder talks to the X server through xcb; its tests run under Xvfb
# with openbox (which keeps _NET_ACTIVE_WINDOW) and fake input through XTEST.
packages+=(libxcb1-dev libxcb-ewmh-dev libxcb-res0-dev libxcb-screensaver0-dev libxcb-sync-dev
           libxcb-xtest0-dev xvfb openbox x11-utils)
# The Wayland recorders: libwayland-client with wayland-scanner and the standard
# protocols (QtDBus comes with qt6-base-dev). Their tests start sway, KWin and GNOME
# Shell headless on buses of their own, GNOME Shell with a stand-in logind; about two
# and a half minutes of installing on a fresh machine.
packages+=(libwayland-dev wayland-protocols)
if [ "${TASKMETER_SKIP_COMPOSITORS:-0}" != 1 ]; then
  packages+=(dbus-daemon dbus-bin sway kwin-wayland gnome-shell python3-dbusmock)
fi
# The install test validates the desktop entry and the AppStream metainfo.
packages+=(desktop-file-utils appstream)
# The package check of CI: dpkg-shlibdeps computes the library dependencies, and CPack
# finds the programs among the files with `file`.
if [ "${TASKMETER_WITH_PACKAGE:-0}" = 1 ]; then
  packages+=(dpkg-dev file)
fi
# The fuzz run of CI needs clang and its fuzzer runtime.
if [ "${TASKMETER_WITH_FUZZ:-0}" = 1 ]; then
  packages+=(clang libclang-rt-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" != 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get -o DPkg::Lock::Timeout=600 update -qq
$sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
