#!/usr/bin/env bash
# Installs everything the project needs on Debian 12 (run as root), creates the project's Wine prefix
# under build/ and builds the Windows program and the host tests. Safe to run again: a ready machine
# takes seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=lib/apt.sh
source scripts/lib/apt.sh

packages=(
  wine wine64 wine32:i386 fonts-wine xvfb
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 cmake ninja-build g++ libgtest-dev
  python3 python3-pytest python3-pefile locales x11-apps imagemagick dpkg-dev
)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  tovrik_apt_update
  tovrik_apt_install "${missing[@]}"
fi

# Prints the apt entry of the backports suite, made from the machine's first archive entry.
backports_entry() {
  local suite
  suite="$(. /etc/os-release && echo "$VERSION_CODENAME")-backports"
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    awk -v suite="$suite" '
      /^URIs:/ && !uri { uri = $0 } /^Signed-By:/ && !key { key = $0 }
      END { print "Types: deb"; print uri; print "Suites: " suite; print "Components: main"; if (key) print key }
    ' /etc/apt/sources.list.d/debian.sources
  else
    awk -v suite="$suite" '$1 == "deb" && !done { print "Types: deb"; print "URIs: " $2; print "Suites: " suite; print "Components: main"; done = 1 }' \
      /etc/apt/sources.list
  fi
}
qemu_recent() {
  local version
  version=$(dpkg-query -W -f='${Version}' qemu-user-static 2>/dev/null) &&
    dpkg --compare-versions "$version" ge 1:8
}
# The product is 32-bit. Where the kernel executes no 32-bit x86 code, wine32 runs under user-mode
# emulation: qemu-user-static from bookworm-backports (Debian 12's own 7.2 crashes Wine's desktop) and the
# preloader Wine starts every process through. TOVRIK_EMULATION_MODE=qemu installs it anyway.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1 || [ "${TOVRIK_EMULATION_MODE:-auto}" = qemu ]; then
  if ! qemu_recent || ! dpkg-query -W -f='${Status}\n' wine32-preloader:i386 2>/dev/null | grep -q 'install ok installed'; then
    entry=$(backports_entry)
    if [ "$entry" != "$(cat /etc/apt/sources.list.d/tovrik-backports.sources 2>/dev/null)" ]; then
      echo "setup: adding the backports suite for qemu-user-static"
      echo "$entry" >/etc/apt/sources.list.d/tovrik-backports.sources
    fi
    tovrik_apt_update
    echo "setup: installing qemu-user-static (backports) and wine32-preloader:i386"
    tovrik_apt_install_from "$(tovrik_apt_codename)-backports" qemu-user-static
    tovrik_apt_install wine32-preloader:i386
  fi
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

# Builds, by the presets of CMakePresets.json: the product (32-bit), its 64-bit twin for machines without
# 32-bit execution, the host tests.
for preset in win32 win64 host; do
  [ -f "build/$preset/build.ninja" ] || cmake --preset "$preset"
  cmake --build --preset "$preset"
done

# The prefixes: the product's (win32, natively or under emulation) and the twin's (win64), which the
# tests also run to compare the two builds' arithmetic.
# shellcheck source=lib/wine-env.sh
for arch in win64 win32; do
  (
    unset TOVRIK_PREFIX TOVRIK_WINELOADER TOVRIK_WINE_CHOSEN
    TOVRIK_WINE_ARCH=$arch
    source scripts/lib/wine-env.sh
    [ "$TOVRIK_WINE_RUNNER" != none ] || { echo "setup: nothing on this machine runs $arch programs" >&2; exit 1; }
    tovrik_make_prefix
    echo "setup: ready ($TOVRIK_WINE_ARCH, $TOVRIK_WINE_RUNNER)"
  )
done
