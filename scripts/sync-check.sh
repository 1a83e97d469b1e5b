#!/usr/bin/env bash
# Two computers of one user, played on this machine, that share their data folders with
# Syncthing: two Syncthing instances on the loopback address only (no discovery, no
# relays, no NAT traversal), each sending its data folder into the other's Computers/
# folder. Each computer gets its own simulated logs; once both sides hold the other's
# logs, the report on either side must give the same totals, the sum of what each
# computer's logs give alone. The check after the build is bounded to 120 s, and
# everything it starts is stopped at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${TASKMETER_BUILD_DIR:-build}

skip() {
  echo "=========================================================================" >&2
  echo "SKIPPED: the sync check did not run: $*" >&2
  echo "=========================================================================" >&2
  exit 0
}

if [ "${1:-}" != --bounded ]; then
  # A machine without the package (or without a way to install it) skips, loudly.
  TASKMETER_WITH_SYNC=1 scripts/deps.sh || true
  for tool in syncthing ss timeout; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (TASKMETER_WITH_SYNC=1 scripts/deps.sh)"
  done
  [ -f "$build/CMakeCache.txt" ] || scripts/configure.sh "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$build" -j"$(nproc)" --target taskmeter-report taskmeter-simulate >/dev/null
  exec timeout --kill-after=10 120 "$0" --bounded
fi

report=$PWD/$build/tools/report/taskmeter-report
simulate=$PWD/$build/tools/simulate/taskmeter-simulate
now="2026-03-18 15:20:00"
scratch=$(mktemp -d)
pids=()
stop() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$scratch"
}
trap stop EXIT
trap 'exit 1' INT TERM
fail() {
  echo "FAIL: $*" >&2
  for log in "$scratch"/*/syncthing.log; do
    echo "--- $log" >&2
    tail -n 20 "$log" >&2 || true
  done
  exit 1
}

# A port nothing listens on yet and not taken for the other instance.
free_port() {
  local candidate
  while :; do
    candidate=$((20000 + RANDOM % 40000))
    [[ " ${port[*]} " == *" $candidate "* ]] && continue
    ss -Hltn "sport = :$candidate" | grep -q . || { echo "$candidate"; return; }
  done
}

computers=(desk lap)
declare -A data id port
for name in "${computers[@]}"; do
  root=$scratch/$name
  data[$name]="$root/share/Kestrel Works/TaskMeter/DB"
  mkdir -p "$root/home" "${data[$name]}/.stfolder"
  "$simulate" --sample-home "$root/taskmeter" --data "${data[$name]}" --machine "$name" \
    --now "$now" --days 10 >/dev/null
  id[$name]=$(HOME=$root/home syncthing generate --home="$root/syncthing" --no-default-folder \
    --skip-port-probing 2>&1 | sed -n 's/^Device ID: *//p')
  [ -n "${id[$name]}" ] || fail "syncthing generate gave no device id for $name"
  port[$name]=$(free_port)
done

# Folder ids name the computer that sends; the other one receives into Computers/.
folder_xml() {  # sender receiver-path type
  cat <<EOF
  <folder id="taskmeter-$1" label="$1" path="$2" type="$3" rescanIntervalS="2" fsWatcherEnabled="false">
    <device id="${id[desk]}"></device>
    <device id="${id[lap]}"></device>
  </folder>
EOF
}
for name in "${computers[@]}"; do
  other=desk
  [ "$name" = desk ] && other=lap
  root=$scratch/$name
  inbox="$root/share/Kestrel Works/TaskMeter/Computers/$other"
  mkdir -p "$inbox/.stfolder"
  {
    echo '<configuration version="36">'
    folder_xml "$name" "${data[$name]}" sendonly
    folder_xml "$other" "$inbox" receiveonly
    for device in "${computers[@]}"; do
      echo "  <device id=\"${id[$device]}\" name=\"$device\"><address>tcp://127.0.0.1:${port[$device]}</address></device>"
    done
    cat <<EOF
  <gui enabled="false"></gui>
  <options>
    <listenAddress>tcp://127.0.0.1:${port[$name]}</listenAddress>
    <globalAnnounceEnabled>false</globalAnnounceEnabled>
    <localAnnounceEnabled>false</localAnnounceEnabled>
    <relaysEnabled>false</relaysEnabled>
    <natEnabled>false</natEnabled>
    <startBrowser>false</startBrowser>
    <urAccepted>-1</urAccepted>
    <autoUpgradeIntervalH>0</autoUpgradeIntervalH>
    <crashReportingEnabled>false</crashReportingEnabled>
    <reconnectionIntervalS>1</reconnectionIntervalS>
  </options>
</configuration>
EOF
  } >"$root/syncthing/config.xml"
  HOME=$root/home STNOUPGRADE=1 syncthing serve --home="$root/syncthing" --no-browser \
    --no-restart --no-upgrade >"$root/syncthing.log" 2>&1 &
  pids+=($!)
done

# In sync: each side's Computers/ holds the other's logs byte for byte.
in_sync() {
  diff -rq -x '.st*' -x '.syncthing.*' "${data[desk]}" "$scratch/lap/share/Kestrel Works/TaskMeter/Computers/desk" &&
    diff -rq -x '.st*' -x '.syncthing.*' "${data[lap]}" "$scratch/desk/share/Kestrel Works/TaskMeter/Computers/lap"
}
waited=0
until in_sync >/dev/null 2>&1; do
  [ "$waited" -lt 100 ] || fail "the two computers were not in sync after ${waited} s"
  for pid in "${pids[@]}"; do kill -0 "$pid" 2>/dev/null || fail "a syncthing instance ended"; done
  sleep 1
  waited=$((waited + 1))
done
echo "in sync after about ${waited} s"

# The month, week and today totals of a report, as "M W T".
totals() {  # computer [XDG_DATA_HOME]
  local root=$scratch/$1
  XDG_DATA_HOME=${2:-$root/share} "$report" --home "$root/taskmeter" --now "$now" --format json |
    sed -n '/"totals": {/,/}/p' | grep -o '[0-9]\+' | tr '\n' ' '
}
desk_side=$(totals desk)
lap_side=$(totals lap)
read -r -a desk_alone <<<"$(totals desk "$scratch/nowhere")"
read -r -a lap_alone <<<"$(totals lap "$scratch/nowhere")"
sum="$((desk_alone[0] + lap_alone[0])) $((desk_alone[1] + lap_alone[1])) $((desk_alone[2] + lap_alone[2])) "
echo "desk: $desk_side; lap: $lap_side; each alone summed: $sum"
[ "$desk_side" = "$lap_side" ] || fail "the two sides report different totals"
[ "$desk_side" = "$sum" ] || fail "the totals are not those of both computers' logs"
[ "${desk_alone[0]}" -gt 0 ] && [ "${lap_alone[0]}" -gt 0 ] || fail "a computer logged nothing"
echo "sync check passed"
