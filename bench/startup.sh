#!/usr/bin/env bash
# Start-up cost: a command that shows no window (strlength) against the floor program, which does only
# what every command run must (read the settings key's RFile value, delete that file, write a new one),
# and the floor against an empty Win32 GUI program, all built with the same compiler; for the 32-bit
# product (under wine32, or under qemu-i386 where the kernel runs no 32-bit code) and for the x86-64 twin
# (under wine64), the six run in turn under one display. Every run is timed in microseconds. Prints per
# build the three medians and the medians of the ratios taken round by round. Also checks the programs'
# size and that they import only Windows system DLLs.
#   bench/startup.sh [runs]     (default 40 runs of each)
set -uo pipefail
cd "$(dirname "$0")/.."
runs=${1:-40}
source scripts/lib/wine-env.sh
source scripts/lib/session.sh
source bench/lib.sh

bench_find_builds
trap bench_stop_builds EXIT
trap 'exit 130' INT TERM
bench_start_builds || exit 1

names=()
for arch in "${builds[@]}"; do
  eval "measure_empty_$arch() { use_build $arch; run_once \"\$TOVRIK_EXE_DIR/empty.exe\"; }"
  eval "measure_floor_$arch() { use_build $arch; run_once \"\$TOVRIK_EXE_DIR/floor.exe\"; }"
  eval "measure_tovrik_$arch() { use_build $arch; run_once \"\$TOVRIK_EXE_DIR/tovrik.exe\" strlength abc; }"
  names+=("empty_$arch" "floor_$arch" "tovrik_$arch")
done
# Three unrecorded rounds warm the sessions (desktop processes, caches).
alternate_medians "$runs" 3 "${names[@]}"
echo "$runs runs each, in turn; kernel runs 32-bit x86 code: $(/usr/lib/wine/wine --version >/dev/null 2>&1 && echo yes || echo no)"
for arch in "${builds[@]}"; do
  echo "$arch (${B_RUNNER[$arch]}): medians empty.exe $(in_ms "${MEDIAN[empty_$arch]}") ms," \
    "floor.exe $(in_ms "${MEDIAN[floor_$arch]}") ms, tovrik.exe strlength $(in_ms "${MEDIAN[tovrik_$arch]}") ms"
  awk -v build="$arch" -v command="$(paired_ratio_median "tovrik_$arch" "floor_$arch")" \
    -v floor="$(paired_ratio_median "floor_$arch" "empty_$arch")" \
    -v empty="$(paired_ratio_median "tovrik_$arch" "empty_$arch")" \
    'BEGIN { printf "%s: median ratios strlength/floor %.3f (target <= 1.05), floor/empty %.3f, strlength/empty %.3f\n",
             build, command, floor, empty }'
done

for arch in win32 win64; do
  for exe in "build/$arch/tovrik.exe" "build/$arch/floor.exe"; do
    size=$(stat -c %s "$exe")
    imports=$(objdump -p "$exe" | awk '/DLL Name:/ {print $3}' | sort -u | tr '\n' ' ')
    echo "$exe: $size bytes (limit 1048576); imports: $imports"
  done
done
