#!/usr/bin/env bash
# Start-up cost: a command that shows no window (strlength) against an empty Win32 GUI program built
# with the same compiler, for the 32-bit product (under wine32, or under qemu-i386 where the kernel runs
# no 32-bit code) and for the x86-64 twin (under wine64), all four run in turn under one display.
# Prints the medians and the ratio of each build. Also checks the programs' size and that they import
# only Windows system DLLs.
#   bench/startup.sh [runs]     (default 30 runs of each)
set -uo pipefail
cd "$(dirname "$0")/.."
runs=${1:-30}
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
  eval "measure_tovrik_$arch() { use_build $arch; run_once \"\$TOVRIK_EXE_DIR/tovrik.exe\" strlength abc; }"
  names+=("empty_$arch" "tovrik_$arch")
done
# Three unrecorded rounds warm the sessions (desktop processes, caches).
alternate_medians "$runs" 3 "${names[@]}"
echo "$runs runs each, in turn; kernel runs 32-bit x86 code: $(/usr/lib/wine/wine --version >/dev/null 2>&1 && echo yes || echo no)"
for arch in "${builds[@]}"; do
  empty_median=${MEDIAN[empty_$arch]}
  tovrik_median=${MEDIAN[tovrik_$arch]}
  awk -v build="$arch (${B_RUNNER[$arch]})" -v a="$tovrik_median" -v b="$empty_median" \
    'BEGIN { printf "%s: empty.exe median %s ms, tovrik.exe strlength median %s ms, ratio %.2f (target <= 1.30)\n", build, b, a, a / b }'
done

for exe in build/win32/tovrik.exe build/win64/tovrik.exe; do
  size=$(stat -c %s "$exe")
  imports=$(objdump -p "$exe" | awk '/DLL Name:/ {print $3}' | sort -u | tr '\n' ' ')
  echo "$exe: $size bytes (limit 1048576); imports: $imports"
done
