#!/usr/bin/env bash
# Start-up cost: a command that shows no window (strlength) against an empty Win32 GUI program built
# with the same compiler, for the 32-bit product (under wine32, or under qemu-i386 where the kernel runs
# no 32-bit code and qemu-user-static is installed; TOVRIK_WINE_EMULATION=off leaves it out there) and
# for the x86-64 twin (under wine64), all four run in turn under one display.
# Prints the medians and the ratio of each build. Also checks the programs' size and that they import
# only Windows system DLLs.
#   bench/startup.sh [runs]     (default 30 runs of each)
set -uo pipefail
cd "$(dirname "$0")/.."
runs=${1:-30}
source scripts/lib/wine-env.sh
source scripts/lib/session.sh
source bench/lib.sh

# What each build runs with, as wine-env.sh chooses it; the 32-bit product is left out where nothing
# here runs it.
declare -A B_PREFIX B_EXE_DIR B_LOADER B_SERVER B_RUNNER
builds=()
for arch in win32 win64; do
  (
    unset TOVRIK_PREFIX TOVRIK_WINELOADER
    TOVRIK_WINE_ARCH=$arch
    # The plain command and the empty program show no window, which emulation runs faithfully.
    TOVRIK_WINE_EMULATION=${TOVRIK_WINE_EMULATION:-qemu}
    source scripts/lib/wine-env.sh
    if [ "$arch" = win32 ] && [ "$TOVRIK_WINE_EMULATED" = no ] && ! tovrik_wine32_native; then exit 1; fi
    printf '%s\n' "$TOVRIK_PREFIX" "$TOVRIK_EXE_DIR" "$TOVRIK_WINELOADER" "$TOVRIK_WINESERVER" "$TOVRIK_WINE_RUNNER"
  ) >"$TOVRIK_BUILD/bench-$arch.env" || { echo "$arch: nothing on this machine runs it, left out"; continue; }
  mapfile -t values <"$TOVRIK_BUILD/bench-$arch.env"
  rm -f "$TOVRIK_BUILD/bench-$arch.env"
  B_PREFIX[$arch]=${values[0]} B_EXE_DIR[$arch]=${values[1]} B_LOADER[$arch]=${values[2]}
  B_SERVER[$arch]=${values[3]} B_RUNNER[$arch]=${values[4]}
  builds+=("$arch")
done

use_build() {
  TOVRIK_WINE_ARCH=$1 TOVRIK_PREFIX=${B_PREFIX[$1]} TOVRIK_EXE_DIR=${B_EXE_DIR[$1]}
  TOVRIK_WINELOADER=${B_LOADER[$1]} TOVRIK_WINESERVER=${B_SERVER[$1]}
}

stop_all() {
  for arch in "${builds[@]}"; do
    use_build "$arch"
    tovrik_wine_env "$TOVRIK_WINESERVER" -k 2>/dev/null
  done
  tovrik_session_stop
}
trap stop_all EXIT
trap 'exit 130' INT TERM

for arch in "${builds[@]}"; do
  use_build "$arch"
  tovrik_make_prefix >&2
done
# One display; each build's prefix has its own persistent wineserver.
use_build "${builds[0]}"
tovrik_session_start || exit 1
for arch in "${builds[@]:1}"; do
  use_build "$arch"
  tovrik_wine_env "$TOVRIK_WINESERVER" -p
done

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
