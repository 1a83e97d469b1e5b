#!/usr/bin/env bash
# Builds the Debian package with CPack from the build of test.sh, prints what it holds,
# unpacks it into a scratch root (dpkg -x) and starts the program there the way its menu
# entry does, offscreen and for a new user, checking that it draws its window.
set -euo pipefail
cd "$(dirname "$0")/.."
TASKMETER_WITH_PACKAGE=1 scripts/deps.sh
build=${TASKMETER_BUILD_DIR:-build}
scripts/configure.sh "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)" >/dev/null  # nothing to do after test.sh
rm -f "$build"/taskmeter_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/taskmeter_*.deb)
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"

fail() { echo "FAIL: $*" >&2; exit 1; }
depends=$(dpkg-deb --field "$deb" Depends)
# The Wayland recorders talk to the compositor and the session bus.
for needed in qt6-qpa-plugins libqt6widgets6 libc6 libwayland-client0 libqt6dbus6; do
  [[ $depends == *"$needed"* ]] || fail "the package does not depend on $needed"
done

contents=$(dpkg-deb --contents "$deb")
for file in usr/share/kwin/scripts/taskmeter/metadata.json \
            usr/share/kwin/scripts/taskmeter/contents/code/main.js \
            usr/share/gnome-shell/extensions/taskmeter@kestrelworks.example/metadata.json \
            usr/share/gnome-shell/extensions/taskmeter@kestrelworks.example/extension.js; do
  [[ $contents == *"./$file"* ]] || fail "the package lacks $file"
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
dpkg -x "$deb" "$root"
entries=("$root"/usr/share/applications/*.desktop)
[ ${#entries[@]} = 1 ] || fail "expected one desktop entry, found ${entries[*]}"
exec_line=$(sed -n 's/^Exec=//p' "${entries[0]}")
# The entry names the program as the desktop finds it on PATH; here that is the
# scratch root's bin folder. Field codes (%f, %u, ...) stand for no argument here.
read -r -a words <<<"$exec_line"
program=${words[0]}
[[ $program == /* ]] || program=/usr/bin/$program
arguments=()
for word in "${words[@]:1}"; do [[ $word == %? ]] || arguments+=("$word"); done
tests/install/run-installed.sh "$scratch/run" "$build" "$root/usr/share/taskmeter/predefgroups.xml" \
  "$root$program" "${arguments[@]}"
echo "package $(basename "$deb") checked"
