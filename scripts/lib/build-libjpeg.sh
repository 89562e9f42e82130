#!/usr/bin/env bash
# Builds the JPEG library (libjpeg-turbo, from Debian's source package) as a static library for the two
# Windows targets and for the host tests, into build/libjpeg/{win32,win64,host}/{include,lib}. The
# result is kept: a second run finds it and returns at once.
set -euo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=apt.sh
source scripts/lib/apt.sh

root=build/libjpeg
targets=(win32 win64 host)

ready=yes
for target in "${targets[@]}"; do
  [ -f "$root/$target/lib/libjpeg.a" ] && [ -f "$root/$target/include/jpeglib.h" ] || ready=no
done
[ "$ready" = yes ] && exit 0

# The source package comes from the suite the machine installs its packages from: add a deb-src entry
# beside each deb entry when there is none yet.
find_source() { find "$root/source" -maxdepth 2 -name jpeglib.h -path '*libjpeg-turbo-*' 2>/dev/null | head -n1; }
mkdir -p "$root/source"
if [ -z "$(find_source)" ]; then
  if ! apt-cache showsrc libjpeg-turbo 2>/dev/null | grep -q '^Package: libjpeg-turbo'; then
    echo "setup: adding deb-src entries for the Debian source packages"
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
      sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
        >/etc/apt/sources.list.d/tovrik-deb-src.sources
    else
      sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list >/etc/apt/sources.list.d/tovrik-deb-src.list
    fi
    tovrik_apt_update
  fi
  echo "setup: fetching the libjpeg-turbo source package"
  # dpkg-source (package dpkg-dev) unpacks it and applies Debian's patches.
  (cd "$root/source" && apt-get source -q libjpeg-turbo)
fi
source_dir=$(dirname "$(find_source)")
[ -n "$source_dir" ] && [ -f "$source_dir/CMakeLists.txt" ] || { echo "setup: no libjpeg-turbo source" >&2; exit 1; }

# The SIMD part is written in NASM assembly: used only where NASM is installed.
simd=OFF
command -v nasm >/dev/null 2>&1 && simd=ON

for target in "${targets[@]}"; do
  [ -f "$root/$target/lib/libjpeg.a" ] && [ -f "$root/$target/include/jpeglib.h" ] && continue
  echo "setup: building libjpeg for $target (SIMD $simd)"
  toolchain=()
  case $target in
    win32) toolchain=(-DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-i686.cmake") ;;
    win64) toolchain=(-DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-x86_64.cmake") ;;
  esac
  work="$root/build-$target"
  rm -rf "$work"
  # BUILD is otherwise the day of the build, which would make two builds of the library differ.
  cmake -S "$source_dir" -B "$work" -G Ninja "${toolchain[@]}" -DCMAKE_BUILD_TYPE=Release \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF -DWITH_SIMD="$simd" \
    -DREQUIRE_SIMD=OFF -DBUILD=debian-source -DCMAKE_POSITION_INDEPENDENT_CODE=ON \
    -DCMAKE_INSTALL_PREFIX="$PWD/$work/unused-prefix" \
    -DCMAKE_C_FLAGS="-ffile-prefix-map=$PWD/=" >"$work.log" 2>&1 || { cat "$work.log"; exit 1; }
  cmake --build "$work" --target jpeg-static >>"$work.log" 2>&1 || { cat "$work.log"; exit 1; }
  mkdir -p "$root/$target/lib" "$root/$target/include"
  cp "$work/libjpeg.a" "$root/$target/lib/"
  cp "$work/jconfig.h" "$source_dir/jpeglib.h" "$source_dir/jmorecfg.h" "$source_dir/jerror.h" \
    "$root/$target/include/"
  rm -rf "$work" "$work.log"
done
