#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what was installed: the desktop
# entry and metainfo validate, the icons have their sizes, the libraries resolve inside
# the prefix, and the installed program starts for a new user, keeps its files in that
# user's home and writes nothing below the prefix.
#
#   install-test.sh BUILD_DIR VERSION APP_ID
set -euo pipefail
build=$1 version=$2 app_id=$3
here=$(dirname "$0")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

desktop-file-validate "$prefix/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml"
for size in 16 24 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png
  [ "$(od -An -tu1 -j16 -N8 "$icon" | awk '{ print $3*256 + $4 "x" $7*256 + $8 }')" = \
    "${size}x${size}" ] || fail "$icon is not ${size}x${size}"
done

for file in "$prefix"/bin/* "$prefix"/lib/taskmeter/*.so; do
  ! ldd "$file" | grep 'not found' || fail "$file misses libraries"
  ldd "$file" | awk '/libtaskmeter/ { print $3 }' | while read -r lib; do
    [[ $(realpath "$lib") == "$prefix"/lib/taskmeter/* ]] || fail "$file takes $lib"
  done
done

out=$("$prefix/bin/taskmeter" --version)
[ "$out" = "taskmeter $version" ] || fail "--version says '$out'"

# Without any place for a home the program says so and makes nothing.
set +e
out=$(env -u TASKMETER_HOME -u XDG_CONFIG_HOME HOME= QT_QPA_PLATFORM=offscreen \
  "$prefix/bin/taskmeter" --screenshot "$scratch/none.png" 2>&1)
status=$?
set -e
[ "$status" = 1 ] && [[ $out == *"no folder for the options"* ]] || fail "no home: $status $out"

# A catalogue of its own, so that the copy can be told from the built-in one.
catalogue=$prefix/share/taskmeter/predefgroups.xml
sed -i 's/<Name>Leisure</<Name>Leisure time</' "$catalogue"
listing() { (cd "$prefix" && find . -printf '%p %y %s %T@\n' | sort); }
before=$(listing)
"$here/run-installed.sh" "$scratch/run" "$build" "$catalogue" "$prefix/bin/taskmeter"
[ "$(listing)" = "$before" ] || fail "the program wrote below the prefix"
echo "install test passed"
