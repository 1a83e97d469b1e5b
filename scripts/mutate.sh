#!/usr/bin/env bash
# Plants each fault of scripts/mutations.txt in turn, builds what changed in build-mutate,
# runs the suites that use it and writes which tests caught each fault, with the totals.
#   scripts/mutate.sh RESULTS_FILE [FAULT_LIST]
# Not part of CI: a run takes one to two minutes per fault. The sources are restored after each
# fault (and at the start of a run that an interrupted one left behind). The compositor
# suites and the install test are skipped; a suite that runs past a minute counts as having
# caught the fault. The list is chosen once with `scripts/mutate.py pick COUNT SEED`.
set -euo pipefail
cd "$(dirname "$0")/.."
results=${1:?usage: scripts/mutate.sh RESULTS_FILE [FAULT_LIST]}
list=${2:-scripts/mutations.txt}
scripts/configure.sh build-mutate -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTASKMETER_WERROR=ON \
  -DTASKMETER_BENCH=OFF -DCMAKE_LINK_DEPENDS_NO_SHARED=ON -DTASKMETER_TEST_TIMEOUT=60
export TASKMETER_SKIP_COMPOSITORS=1
exec python3 scripts/mutate.py run "$list" "$results" build-mutate
