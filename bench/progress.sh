#!/usr/bin/env bash
# Progress updates: the cost of one incrementprogressform call against an empty Win32 GUI program and
# against the least program that finds the window and sends it a message (under Wine, the window
# system's own start-up in user32 costs far more than on Windows), all run in turn while a progress
# window is open; then the CPU time that the creating invocation uses while it waits idle in its message
# loop. For the 32-bit product (under wine32, or under qemu-i386 where the kernel runs no 32-bit code)
# and the x86-64 twin (under wine64), side by side under one display.
#   bench/progress.sh [runs]     (default 30 runs of each)
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/wine-env.sh
source scripts/lib/session.sh
source bench/lib.sh
runs=${1:-30}

bench_find_builds
close_windows() {
  for arch in "${builds[@]}"; do
    use_build "$arch"
    tovrik_wine_env "$TOVRIK_WINELOADER" "$TOVRIK_EXE_DIR/tovrik.exe" closeprogressdlg "BenchProgress$arch" >/dev/null 2>&1
  done
  bench_stop_builds
}
trap close_windows EXIT
trap 'exit 130' INT TERM
bench_start_builds || exit 1

names=()
for arch in "${builds[@]}"; do
  use_build "$arch"
  tovrik_wine_env "$TOVRIK_WINELOADER" "$TOVRIK_EXE_DIR/tovrik.exe" createprogressdlg "BenchProgress$arch" "Mesure" 1000000 &
  tovrik_wine_env "$TOVRIK_WINELOADER" "$TOVRIK_EXE_DIR/probe.exe" window "BenchProgress$arch" 150000 >/dev/null
  eval "measure_empty_$arch() { use_build $arch; run_once \"\$TOVRIK_EXE_DIR/empty.exe\"; }"
  eval "measure_window_user_$arch() { use_build $arch; run_once \"\$TOVRIK_EXE_DIR/empty_window_user.exe\" BenchProgress$arch; }"
  eval "measure_increment_$arch() { use_build $arch; run_once \"\$TOVRIK_EXE_DIR/tovrik.exe\" incrementprogressform BenchProgress$arch 1; }"
  names+=("empty_$arch" "window_user_$arch" "increment_$arch")
done
alternate_medians "$runs" 3 "${names[@]}"
echo "$runs runs each, in turn; kernel runs 32-bit x86 code: $(/usr/lib/wine/wine --version >/dev/null 2>&1 && echo yes || echo no)"
for arch in "${builds[@]}"; do
  use_build "$arch"
  echo "$arch (${B_RUNNER[$arch]}): empty.exe median $(in_ms "${MEDIAN[empty_$arch]}") ms," \
    "empty_window_user.exe (FindWindow + SendMessage) median $(in_ms "${MEDIAN[window_user_$arch]}") ms," \
    "tovrik.exe incrementprogressform median $(in_ms "${MEDIAN[increment_$arch]}") ms"
  awk -v build="$arch" -v a="$(paired_ratio_median "increment_$arch" "empty_$arch")" \
    -v c="$(paired_ratio_median "increment_$arch" "window_user_$arch")" \
    'BEGIN { printf "%s: median ratios to empty.exe %.3f (target <= 1.30), to empty_window_user.exe %.3f\n", build, a, c }'
  tovrik_wine_env "$TOVRIK_WINELOADER" "$TOVRIK_EXE_DIR/probe.exe" progress "BenchProgress$arch" | sed "s/^/$arch: /"
  # Idle CPU of the creating invocation: its Unix process's user+system ticks over 5 seconds.
  pid=$(pgrep -f "tovrik.exe createprogressdlg BenchProgress$arch" | head -n1)
  if [ -n "$pid" ]; then
    ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
    before=$(ticks "$pid"); sleep 5; after=$(ticks "$pid")
    echo "$arch: creating invocation idle CPU: $((after - before)) ticks in 5 s ($(getconf CLK_TCK) ticks per second)"
  fi
done
