# Sourced: starts and stops the display (Xvfb) and the one persistent wineserver that Wine processes
# share. Everything started here is stopped by tovrik_session_stop, also on failure or interruption.
# shellcheck shell=bash

tovrik_session_start() {
  TOVRIK_SESSION_DIR=$(mktemp -d "$TOVRIK_BUILD/session.XXXXXX")
  # Xvfb picks a free display number and writes it to fd 3.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -nolisten unix \
    3>"$TOVRIK_SESSION_DIR/display" >"$TOVRIK_SESSION_DIR/xvfb.log" 2>&1 &
  TOVRIK_XVFB_PID=$!
  local waited=0
  while [ ! -s "$TOVRIK_SESSION_DIR/display" ] && [ "$waited" -lt 100 ]; do sleep 0.1; waited=$((waited + 1)); done
  if [ ! -s "$TOVRIK_SESSION_DIR/display" ]; then
    echo "session: Xvfb did not start" >&2
    cat "$TOVRIK_SESSION_DIR/xvfb.log" >&2
    return 1
  fi
  DISPLAY=":$(head -n1 "$TOVRIK_SESSION_DIR/display")"
  export DISPLAY TOVRIK_SESSION_DIR TOVRIK_XVFB_PID
  # A persistent wineserver keeps start-up of each Wine process short.
  tovrik_wine_env "$TOVRIK_WINESERVER" -p
  export TOVRIK_SESSION=1
}

tovrik_session_stop() {
  [ -n "${TOVRIK_SESSION_DIR:-}" ] || return 0
  tovrik_wine_env "$TOVRIK_WINESERVER" -k 2>/dev/null || true
  tovrik_wine_env "$TOVRIK_WINESERVER" -w 2>/dev/null || true
  if [ -n "${TOVRIK_XVFB_PID:-}" ]; then
    kill "$TOVRIK_XVFB_PID" 2>/dev/null || true
    wait "$TOVRIK_XVFB_PID" 2>/dev/null || true
  fi
  rm -rf "$TOVRIK_SESSION_DIR"
  unset TOVRIK_SESSION_DIR TOVRIK_XVFB_PID TOVRIK_SESSION
}
