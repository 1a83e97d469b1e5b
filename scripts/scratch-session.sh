# Sourced by the scripts that start a display server for one command (with-desktop.sh,
# with-compositor.sh): a scratch folder in $work, the processes they start collected in
# $pids and ended, last started first, when the script exits, and wait_for.
work=$(mktemp -d "/tmp/taskmeter-${session_kind:-session}.XXXXXX")
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

wait_for() {  # a condition, checked every tenth of a second for at most thirty seconds
  for _ in $(seq 300); do
    if eval "$1"; then return 0; fi
    sleep 0.1
  done
  return 1
}
