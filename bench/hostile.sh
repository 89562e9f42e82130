#!/usr/bin/env bash
# The hostile-argument sweep at length: thousands of runs of the words that show no window (and the
# window words with arguments that fail first), all driven by one probe process inside Wine. Prints
# every fault and the counts: runs, ended within their time, exit 0, well-formed files, inert values.
#   bench/hostile.sh [runs] [seed]     (default 3000 runs, seed 16; the default test runs 300 of seed 16)
set -uo pipefail
cd "$(dirname "$0")/.."
runs=${1:-3000}
seed=${2:-16}
source scripts/lib/wine-env.sh
source scripts/lib/session.sh
export PYTHONDONTWRITEBYTECODE=1

tovrik_make_prefix >&2
trap tovrik_session_stop EXIT
trap 'exit 130' INT TERM
tovrik_session_start || exit 1
echo "hostile sweep: $runs runs of build $TOVRIK_WINE_ARCH ($TOVRIK_WINE_RUNNER), seed $seed"
/usr/bin/python3 tests/e2e/hostile.py "$runs" "$seed"
