#!/usr/bin/env bash
# Builds the release archive build/dist/tovrik-VERSION.zip: the 32-bit program, the README as text, the
# examples and a checksum file (and the archive's own checksum beside it). The program is built afresh
# in a directory of its own, and every date in it and in the archive is the last commit's, so two runs
# on the same sources give the same bytes. TOVRIK_DIST_DIR puts the result elsewhere;
# TOVRIK_PACKAGE_BUILD_DIR takes the program from that (32-bit) build directory, brought up to date, instead.
set -euo pipefail
cd "$(dirname "$0")/.."

dist=${TOVRIK_DIST_DIR:-build/dist}
epoch=$(git log -1 --format=%ct)
version=$(sed -n 's/^FILEVERSION \([0-9]*\),\([0-9]*\),\([0-9]*\),.*/\1.\2.\3/p' resources/tovrik.rc)
[ -n "$version" ] || { echo "package: no FILEVERSION in resources/tovrik.rc" >&2; exit 1; }
scripts/lib/build-libjpeg.sh

export SOURCE_DATE_EPOCH=$epoch
mkdir -p "$dist"
if [ -n "${TOVRIK_PACKAGE_BUILD_DIR:-}" ]; then
  work=$TOVRIK_PACKAGE_BUILD_DIR
  cmake --build "$work" --target tovrik >"$dist/build.log" 2>&1 || { cat "$dist/build.log"; exit 1; }
else
  work="$dist/build-win32"
  rm -rf "$work"
  echo "package: building the 32-bit program in $work"
  cmake -S . -B "$work" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >"$dist/build.log" 2>&1 &&
    cmake --build "$work" --target tovrik >>"$dist/build.log" 2>&1 || { cat "$dist/build.log"; exit 1; }
fi
python3 scripts/lib/make_release.py "$epoch" "$version" "$work/tovrik.exe" "$dist/tovrik-$version.zip"
[ -n "${TOVRIK_PACKAGE_BUILD_DIR:-}" ] || rm -rf "$work"
rm -f "$dist/build.log"
