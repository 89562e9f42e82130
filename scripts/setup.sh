#!/usr/bin/env bash
# Installs everything the project needs on Debian 12 (run as root), creates the project's Wine prefix
# under build/ and builds the Windows program and the host tests. Safe to run again: a ready machine
# takes seconds.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  wine wine64 wine32:i386 xvfb
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 cmake ninja-build g++ libgtest-dev
  python3 python3-pytest python3-pefile locales x11-apps imagemagick dpkg-dev
)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  apt_updated=no
fi
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The tests run under French, English and German regional settings; Wine takes them from the Unix locale.
wanted_locales=(fr_FR.UTF-8 en_US.UTF-8 de_DE.UTF-8)
generate=no
for wanted in "${wanted_locales[@]}"; do
  normalised=$(echo "$wanted" | sed 's/UTF-8/utf8/')
  if ! locale -a | grep -qx "$normalised"; then
    sed -i "s/^# *\($wanted UTF-8\)/\1/" /etc/locale.gen
    grep -qx "$wanted UTF-8" /etc/locale.gen || echo "$wanted UTF-8" >> /etc/locale.gen
    generate=yes
  fi
done
[ "$generate" = yes ] && locale-gen

# The JPEG library, from Debian's libjpeg-turbo source package, for the three builds below; kept under
# build/libjpeg once built.
scripts/lib/build-libjpeg.sh

# Builds: the product (32-bit), its 64-bit twin for machines without 32-bit execution, the host tests.
configure_and_build() {
  local dir=$1; shift
  [ -f "$dir/build.ninja" ] || cmake -S . -B "$dir" -G Ninja "$@"
  cmake --build "$dir"
}
configure_and_build build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
configure_and_build build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
configure_and_build build/host

# shellcheck source=lib/wine-env.sh
source scripts/lib/wine-env.sh
tovrik_make_prefix
echo "setup: ready ($TOVRIK_WINE_ARCH)"
