#!/usr/bin/env bash
# Progress updates: the cost of one incrementprogressform call against an empty Win32 GUI program and
# against the least program that finds the window and sends it a message (under Wine, the window
# system's own start-up in user32 costs far more than on Windows), all run in turn under the same Wine
# session while a progress window is open; then the CPU time that the creating invocation uses while it
# waits idle in its message loop.
#   bench/progress.sh [runs]     (default 30 runs of each)
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/wine-env.sh
source scripts/lib/session.sh
runs=${1:-30}
trap 'tovrik_wine_env "$TOVRIK_WINELOADER" "$TOVRIK_EXE_DIR/tovrik.exe" closeprogressdlg "BenchProgress" >/dev/null 2>&1; tovrik_session_stop' EXIT
trap 'exit 130' INT TERM
tovrik_session_start || exit 1

source bench/lib.sh

tovrik_wine_env "$TOVRIK_WINELOADER" "$TOVRIK_EXE_DIR/tovrik.exe" createprogressdlg "BenchProgress" "Mesure" 1000000 &
tovrik_wine_env "$TOVRIK_WINELOADER" "$TOVRIK_EXE_DIR/probe.exe" window "BenchProgress" 30000 >/dev/null
measure_empty() { run_once "$TOVRIK_EXE_DIR/empty.exe"; }
measure_window_user() { run_once "$TOVRIK_EXE_DIR/empty_window_user.exe" BenchProgress; }
measure_increment() { run_once "$TOVRIK_EXE_DIR/tovrik.exe" incrementprogressform "BenchProgress" 1; }
alternate_medians "$runs" 3 empty window_user increment
empty_median=${MEDIAN[empty]}
window_user_median=${MEDIAN[window_user]}
increment_median=${MEDIAN[increment]}
echo "wine: $TOVRIK_WINE_ARCH, $runs runs each"
echo "empty.exe median: ${empty_median} ms"
echo "empty_window_user.exe (FindWindow + SendMessage) median: ${window_user_median} ms"
echo "tovrik.exe incrementprogressform median: ${increment_median} ms"
awk -v a="$increment_median" -v b="$empty_median" 'BEGIN { printf "ratio to empty.exe: %.2f (target <= 1.30)\n", a / b }'
awk -v a="$increment_median" -v b="$window_user_median" 'BEGIN { printf "ratio to empty_window_user.exe: %.2f\n", a / b }'
tovrik_wine_env "$TOVRIK_WINELOADER" "$TOVRIK_EXE_DIR/probe.exe" progress "BenchProgress"

# Idle CPU of the creating invocation: its Unix process's user+system ticks over 5 seconds.
pid=$(pgrep -f 'tovrik.exe createprogressdlg' | head -n1)
if [ -n "$pid" ]; then
  ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
  before=$(ticks "$pid"); sleep 5; after=$(ticks "$pid")
  echo "creating invocation idle CPU: $((after - before)) ticks in 5 s ($(getconf CLK_TCK) ticks per second)"
fi
