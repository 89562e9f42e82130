# Sourced by the project's scripts: the paths and the clean environment every Wine process runs with.
# shellcheck shell=bash

TOVRIK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
TOVRIK_BUILD="$TOVRIK_ROOT/build"

# The product is a 32-bit program, and the tests run it wherever they run:
#   under wine32 itself, where the kernel executes 32-bit x86 code;
#   else under wine32 by user-mode emulation (qemu-i386 from qemu-user-static 8 or later, and the package
#   wine32-preloader:i386; scripts/setup.sh installs both on such a machine).
# TOVRIK_EMULATION_MODE=qemu emulates even where the kernel runs 32-bit code (to try that path), =off never.
# TOVRIK_WINE_ARCH=win64 runs the x86-64 twin under wine64 instead: a quick local loop, not the product.
TOVRIK_QEMU=/usr/bin/qemu-i386-static
TOVRIK_EMULATED_WINE_DIR="$TOVRIK_BUILD/qemu-i386/usr/lib/wine"

tovrik_wine32_native() {
  /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Debian 12's own qemu-user (7.2) runs windowless programs but crashes Wine's desktop process.
tovrik_qemu_recent() {
  local version
  version=$("$TOVRIK_QEMU" --version 2>/dev/null | sed -n 's/^qemu-i386 version \([0-9]*\)\..*/\1/p')
  [ -n "$version" ] && [ "$version" -ge 8 ]
}

tovrik_wine32_emulable() {
  [ "${TOVRIK_EMULATION_MODE:-auto}" != off ] && [ -x "$TOVRIK_QEMU" ] && tovrik_qemu_recent &&
    [ -x /usr/lib/wine/wine ] && [ -f /usr/lib/wine/wine-preloader.static ] && [ -x /usr/lib/wine/wineserver64 ]
}

# Lays out the emulated Wine: copies of the 32-bit loader and preloader (Wine finds its preloader,
# its wineserver and its data beside the running loader, and re-executes through them), the scripts
# that run both under qemu, and links to Wine's libraries and data.
tovrik_emulated_wine_tree() {
  local dir="$TOVRIK_EMULATED_WINE_DIR" here
  here="$TOVRIK_ROOT/scripts/lib/qemu-i386"
  mkdir -p "$dir" "$TOVRIK_BUILD/qemu-i386/usr/share"
  cmp -s /usr/lib/wine/wine "$dir/wine.elf" || cp /usr/lib/wine/wine "$dir/wine.elf"
  cmp -s /usr/lib/wine/wine-preloader.static "$dir/wine-preloader.static" ||
    cp /usr/lib/wine/wine-preloader.static "$dir/wine-preloader.static"
  ln -sfn "$here/wine" "$dir/wine"
  ln -sfn "$here/wine-preloader" "$dir/wine-preloader"
  ln -sfn /usr/lib/wine/wineserver64 "$dir/wineserver"
  ln -sfn /usr/lib/i386-linux-gnu "$TOVRIK_BUILD/qemu-i386/usr/lib/i386-linux-gnu"
  ln -sfn /usr/share/wine "$TOVRIK_BUILD/qemu-i386/usr/share/wine"
}

# The choice is made once and inherited by the scripts and tests that a run starts.
tovrik_wine_choice="${TOVRIK_WINE_ARCH:-}/${TOVRIK_EMULATION_MODE:-auto}"
if [ "${TOVRIK_WINE_CHOSEN:-}" != "$tovrik_wine_choice" ] || [ -z "${TOVRIK_WINELOADER:-}" ]; then
  TOVRIK_WINE_ARCH=${TOVRIK_WINE_ARCH:-win32}
  TOVRIK_RUNS_EMULATED=no
  if [ "$TOVRIK_WINE_ARCH" = win32 ]; then
    TOVRIK_WINELOADER=/usr/lib/wine/wine
    TOVRIK_WINESERVER=/usr/lib/wine/wineserver32
    [ -x /usr/lib/wine/wineserver64 ] && TOVRIK_WINESERVER=/usr/lib/wine/wineserver64
    TOVRIK_WINE_RUNNER=wine32
    if { [ "${TOVRIK_EMULATION_MODE:-auto}" = qemu ] || ! tovrik_wine32_native; } && tovrik_wine32_emulable; then
      TOVRIK_RUNS_EMULATED=yes
      tovrik_emulated_wine_tree
      TOVRIK_WINELOADER="$TOVRIK_EMULATED_WINE_DIR/wine"
      TOVRIK_WINESERVER=/usr/lib/wine/wineserver64
      TOVRIK_WINE_RUNNER="wine32 under qemu-i386"
    elif ! tovrik_wine32_native; then
      # Nothing here runs it: the commands fail and say so (scripts/setup.sh installs the emulation).
      TOVRIK_WINE_RUNNER=none
    fi
  else
    TOVRIK_WINELOADER=/usr/lib/wine/wine64
    TOVRIK_WINESERVER=/usr/lib/wine/wineserver64
    TOVRIK_WINE_RUNNER=wine64
  fi
  TOVRIK_WINE_CHOSEN="$TOVRIK_WINE_ARCH/${TOVRIK_EMULATION_MODE:-auto}"
fi
unset tovrik_wine_choice
# How much longer than natively the tests let a run take: emulation starts each process several times
# slower.
[ -n "${TOVRIK_TIME_SCALE:-}" ] || { [ "$TOVRIK_RUNS_EMULATED" = yes ] && TOVRIK_TIME_SCALE=5 || TOVRIK_TIME_SCALE=1; }
# TOVRIK_PREFIX may name another prefix (a copy), so that two test runs can go on side by side.
TOVRIK_PREFIX="${TOVRIK_PREFIX:-$TOVRIK_BUILD/wine-$TOVRIK_WINE_ARCH}"
TOVRIK_EXE_DIR="$TOVRIK_BUILD/$TOVRIK_WINE_ARCH"
TOVRIK_HOME="$TOVRIK_BUILD/home"
export TOVRIK_ROOT TOVRIK_BUILD TOVRIK_WINE_ARCH TOVRIK_WINELOADER TOVRIK_WINESERVER TOVRIK_PREFIX \
  TOVRIK_EXE_DIR TOVRIK_HOME TOVRIK_RUNS_EMULATED TOVRIK_WINE_RUNNER TOVRIK_WINE_CHOSEN \
  TOVRIK_TIME_SCALE

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

# Runs one quiet Wine command (what it prints is shown only when it fails), up to three times: right after a
# prefix is made, a Wine process now and then ends with exit code 1 before it reaches its program.
tovrik_wine_tries() {
  local try out
  for try in 1 2 3; do
    out=$(tovrik_wine_env "$@" 2>&1) && return 0
    echo "setup: '$*' failed (try $try of 3): $out" >&2
    sleep 1
  done
  return 1
}

# Creates the Wine prefix of the chosen build unless it is complete: its last step leaves a stamp, so a
# prefix that a failed set-up left half made gets the remaining steps the next time (each may run again).
tovrik_make_prefix() {
  local stamp="$TOVRIK_PREFIX/.tovrik-prefix-complete"
  [ -f "$stamp" ] && { tovrik_prefix_fonts; return 0; }
  echo "setup: making the Wine prefix $TOVRIK_PREFIX ($TOVRIK_WINE_ARCH, $TOVRIK_WINE_RUNNER)"
  tovrik_wine_env "$TOVRIK_WINELOADER" wineboot -i || return 1
  # Let every process of the new prefix end before the next step starts afresh.
  tovrik_wine_env "$TOVRIK_WINESERVER" -w
  # Xvfb has no window manager: a virtual desktop makes Wine draw the frames and title bars itself,
  # so windows look (and screenshots show) what a user would see.
  tovrik_wine_tries "$TOVRIK_WINELOADER" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f &&
    tovrik_wine_tries "$TOVRIK_WINELOADER" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f ||
    return 1
  tovrik_wine_env "$TOVRIK_WINESERVER" -w
  tovrik_prefix_fonts
  touch "$stamp"
}

# Wine's own fonts (package fonts-wine: Tahoma, MS Sans Serif, Marlett for the caption buttons, the system
# fonts) go where Windows keeps its fonts: this Wine finds them only in C:\windows\Fonts, and without them
# every form is drawn with substitutes.
tovrik_prefix_fonts() {
  local fonts="$TOVRIK_PREFIX/drive_c/windows/Fonts" font
  mkdir -p "$fonts"
  for font in /usr/share/wine/fonts/*; do
    [ -f "$font" ] || continue
    cmp -s "$font" "$fonts/$(basename "$font")" || cp "$font" "$fonts/"
  done
}
