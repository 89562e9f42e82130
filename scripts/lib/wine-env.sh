# Sourced by the project's scripts: the paths and the clean environment every Wine process runs with.
# shellcheck shell=bash

TOVRIK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
TOVRIK_BUILD="$TOVRIK_ROOT/build"

# The product is a 32-bit program and runs under wine32 where the kernel can execute 32-bit x86 code.
# Some kernels cannot (ia32 emulation switched off); there the same sources, built for x86-64, run
# under wine64 instead. TOVRIK_WINE_ARCH=win32|win64 forces the choice.
if [ -z "${TOVRIK_WINE_ARCH:-}" ]; then
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    TOVRIK_WINE_ARCH=win32
  else
    TOVRIK_WINE_ARCH=win64
  fi
fi
if [ "$TOVRIK_WINE_ARCH" = win32 ]; then
  TOVRIK_WINELOADER=/usr/lib/wine/wine
  TOVRIK_WINESERVER=/usr/lib/wine/wineserver32
  [ -x /usr/lib/wine/wineserver64 ] && TOVRIK_WINESERVER=/usr/lib/wine/wineserver64
else
  TOVRIK_WINELOADER=/usr/lib/wine/wine64
  TOVRIK_WINESERVER=/usr/lib/wine/wineserver64
fi
# TOVRIK_PREFIX may name another prefix (a copy), so that two test runs can go on side by side.
TOVRIK_PREFIX="${TOVRIK_PREFIX:-$TOVRIK_BUILD/wine-$TOVRIK_WINE_ARCH}"
TOVRIK_EXE_DIR="$TOVRIK_BUILD/$TOVRIK_WINE_ARCH"
TOVRIK_HOME="$TOVRIK_BUILD/home"
export TOVRIK_ROOT TOVRIK_BUILD TOVRIK_WINE_ARCH TOVRIK_WINELOADER TOVRIK_WINESERVER TOVRIK_PREFIX \
  TOVRIK_EXE_DIR TOVRIK_HOME

# Runs a command with only the variables Wine needs, so results never depend on the caller's
# environment. TOVRIK_LOCALE (default fr_FR.UTF-8) selects the regional settings.
tovrik_wine_env() {
  mkdir -p "$TOVRIK_HOME"
  env -i \
    HOME="$TOVRIK_HOME" \
    USER=tovrik \
    PATH=/usr/bin:/bin \
    LANG="${TOVRIK_LOCALE:-fr_FR.UTF-8}" \
    LC_ALL="${TOVRIK_LOCALE:-fr_FR.UTF-8}" \
    TZ="${TOVRIK_TZ:-Europe/Paris}" \
    DISPLAY="${DISPLAY:-}" \
    WINEPREFIX="$TOVRIK_PREFIX" \
    WINEARCH="$TOVRIK_WINE_ARCH" \
    WINELOADER="$TOVRIK_WINELOADER" \
    WINESERVER="$TOVRIK_WINESERVER" \
    WINEDEBUG="${TOVRIK_WINEDEBUG:--all}" \
    WINEDLLOVERRIDES="mscoree,mshtml=" \
    "$@"
}
