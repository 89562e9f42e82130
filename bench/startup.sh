#!/usr/bin/env bash
# Start-up cost: a command that shows no window (strlength) against an empty Win32 GUI program built
# with the same compiler, run alternately under the same Wine session. Prints both medians and the ratio.
# Also checks the product's size and that it imports only Windows system DLLs.
#   bench/startup.sh [runs]     (default 30 runs of each)
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/wine-env.sh
source scripts/lib/session.sh
runs=${1:-30}
trap tovrik_session_stop EXIT
trap 'exit 130' INT TERM
tovrik_session_start || exit 1

source bench/lib.sh

measure_empty() { run_once "$TOVRIK_EXE_DIR/empty.exe"; }
measure_tovrik() { run_once "$TOVRIK_EXE_DIR/tovrik.exe" strlength abc; }
# Three unrecorded rounds warm the session (desktop process, caches).
alternate_medians "$runs" 3 empty tovrik
empty_median=${MEDIAN[empty]}
tovrik_median=${MEDIAN[tovrik]}
echo "wine: $TOVRIK_WINE_ARCH, $runs runs each"
echo "empty.exe median: ${empty_median} ms"
echo "tovrik.exe strlength median: ${tovrik_median} ms"
awk -v a="$tovrik_median" -v b="$empty_median" 'BEGIN { printf "ratio: %.2f (target <= 1.30)\n", a / b }'

for exe in build/win32/tovrik.exe build/win64/tovrik.exe; do
  size=$(stat -c %s "$exe")
  imports=$(objdump -p "$exe" | awk '/DLL Name:/ {print $3}' | sort -u | tr '\n' ' ')
  echo "$exe: $size bytes (limit 1048576); imports: $imports"
done
