#!/usr/bin/env bash
# Builds the release archive build/dist/tovrik-VERSION.zip: the 32-bit program, its x86-64 build as
# x64/tovrik.exe, the README and the changelog as text, the license, the examples and a checksum file (and
# the archive's own checksum beside it). Each program is built afresh in a directory of its own, and every
# date in them and in the archive is the last commit's, so two runs on the same sources give the same
# bytes. TOVRIK_DIST_DIR puts the result elsewhere; TOVRIK_PACKAGE_BUILD_DIR (32-bit) and
# TOVRIK_PACKAGE_BUILD_DIR_X64 (x86-64) take a program from that build directory, brought up to date, instead.
set -euo pipefail
cd "$(dirname "$0")/.."

dist=${TOVRIK_DIST_DIR:-build/dist}
epoch=$(git log -1 --format=%ct)
version=$(sed -n 's/^FILEVERSION \([0-9]*\),\([0-9]*\),\([0-9]*\),.*/\1.\2.\3/p' resources/tovrik.rc)
[ -n "$version" ] || { echo "package: no FILEVERSION in resources/tovrik.rc" >&2; exit 1; }
scripts/lib/build-libjpeg.sh

export SOURCE_DATE_EPOCH=$epoch
mkdir -p "$dist"
# build_program NAME TOOLCHAIN GIVEN_DIR: prints the directory that holds the built tovrik.exe.
build_program() {
  local name=$1 toolchain=$2 given=$3 work
  if [ -n "$given" ]; then
    work=$given
    cmake --build "$work" --target tovrik >"$dist/build.log" 2>&1 || { cat "$dist/build.log" >&2; exit 1; }
  else
    work="$dist/build-$name"
    rm -rf "$work"
    echo "package: building the $name program in $work" >&2
    cmake -S . -B "$work" -G Ninja -DCMAKE_TOOLCHAIN_FILE="cmake/$toolchain.cmake" >"$dist/build.log" 2>&1 &&
      cmake --build "$work" --target tovrik >>"$dist/build.log" 2>&1 || { cat "$dist/build.log" >&2; exit 1; }
  fi
  echo "$work"
}
work32=$(build_program win32 mingw-i686 "${TOVRIK_PACKAGE_BUILD_DIR:-}")
work64=$(build_program win64 mingw-x86_64 "${TOVRIK_PACKAGE_BUILD_DIR_X64:-}")
python3 scripts/lib/make_release.py "$epoch" "$version" "$work32/tovrik.exe" "$work64/tovrik.exe" \
  "$dist/tovrik-$version.zip"
[ -n "${TOVRIK_PACKAGE_BUILD_DIR:-}" ] || rm -rf "$work32"
[ -n "${TOVRIK_PACKAGE_BUILD_DIR_X64:-}" ] || rm -rf "$work64"
rm -f "$dist/build.log"
