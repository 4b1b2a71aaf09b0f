# Sourced by the scripts that run Windows programs under Wine. Keeps one Wine
# prefix and one Xvfb screen per build directory and per colour depth, made
# once and reused, and a persistent, warmed wineserver for each prefix.
#
#   VRX_BUILD   the build directory (default: build)
#   VRX_DEPTH   24 (default) or 8: the 8-bit screen is a palette device
#   VRX_DPI     a system DPI for the prefix (e.g. 144); unset: Wine's 96
#   VRX_DISPLAY use this X display instead of an own Xvfb (the demo on $DISPLAY)

VRX_BUILD=$(cd "${VRX_BUILD:-build}" && pwd)
VRX_DEPTH=${VRX_DEPTH:-24}
VRX_SCREEN=${VRX_SCREEN:-640x480}
VRX_STATE="$VRX_BUILD/wine/$VRX_DEPTH${VRX_DPI:+-dpi$VRX_DPI}"
export WINEPREFIX="$VRX_STATE/prefix"
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

vrx_log() { echo "[wine-env] $*" >&2; }

# A free display number, chosen once per state directory.
vrx_pick_display() {
  local n
  for n in $(seq 90 160); do
    if [[ ! -e /tmp/.X$n-lock && ! -e /tmp/.X11-unix/X$n ]]; then
      echo "$n"
      return 0
    fi
  done
  return 1
}

vrx_xvfb_alive() {
  [[ -f "$VRX_STATE/xvfb.pid" ]] && kill -0 "$(cat "$VRX_STATE/xvfb.pid")" 2>/dev/null
}

vrx_ensure_xvfb() {
  mkdir -p "$VRX_STATE"
  if [[ -n "${VRX_DISPLAY:-}" ]]; then
    export DISPLAY="$VRX_DISPLAY"
    return 0
  fi
  exec 9>"$VRX_STATE/xvfb.lock"
  flock 9
  if ! vrx_xvfb_alive; then
    local n
    n=$(vrx_pick_display) || { vrx_log "no free X display"; return 1; }
    setsid Xvfb ":$n" -screen 0 "${VRX_SCREEN}x${VRX_DEPTH}" -nolisten tcp -ac \
      </dev/null >"$VRX_STATE/xvfb.log" 2>&1 &
    echo $! >"$VRX_STATE/xvfb.pid"
    echo ":$n" >"$VRX_STATE/display"
    local i
    for i in $(seq 1 100); do
      [[ -e /tmp/.X11-unix/X$n ]] && break
      sleep 0.05
    done
    # Wine's new processes would otherwise read stale state of an earlier server.
    wineserver -k >/dev/null 2>&1 || true
    rm -f "$VRX_STATE/server.warm"
  fi
  flock -u 9
  export DISPLAY="$(cat "$VRX_STATE/display")"
}

# Creating a prefix takes about half a minute; it is done once per state
# directory, then only the keys the tests touch are reset by the tests.
vrx_ensure_prefix() {
  exec 8>"$VRX_STATE/prefix.lock"
  flock 8
  if [[ ! -f "$WINEPREFIX/.vrx-ready" ]]; then
    vrx_log "creating Wine prefix $WINEPREFIX (once)"
    rm -rf "$WINEPREFIX"
    wineboot -i </dev/null >"$VRX_STATE/wineboot.log" 2>&1 || true
    wineserver -w </dev/null >/dev/null 2>&1 || true
    # No crash dialog and no debugger: a fault ends the program quietly.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
      </dev/null >>"$VRX_STATE/wineboot.log" 2>&1
    wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f \
      </dev/null >>"$VRX_STATE/wineboot.log" 2>&1 || true
    # Without a window manager, unmanaged windows close at once (a managed
    # one waits two seconds for the manager to withdraw it).
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
      </dev/null >>"$VRX_STATE/wineboot.log" 2>&1
    # No desktop integration of the prefix's programs.
    wine reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /t REG_SZ /d '' /f \
      </dev/null >>"$VRX_STATE/wineboot.log" 2>&1
    if [[ -n "${VRX_DPI:-}" ]]; then
      wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$VRX_DPI" /f \
        </dev/null >>"$VRX_STATE/wineboot.log" 2>&1
    fi
    # The server reads its settings anew when it starts again.
    wineserver -k </dev/null >/dev/null 2>&1 || true
    wineserver -w </dev/null >/dev/null 2>&1 || true
    rm -f "$VRX_STATE/server.warm"
    touch "$WINEPREFIX/.vrx-ready"
  fi
  flock -u 8
}

vrx_ensure_server() {
  # Starts the prefix's server if none runs, else only makes it persistent.
  wineserver -p </dev/null >/dev/null 2>&1 || true
  if [[ ! -f "$VRX_STATE/server.warm" ]]; then
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
    touch "$VRX_STATE/server.warm"
  fi
}

vrx_ensure_wine() {
  vrx_ensure_xvfb && vrx_ensure_prefix && vrx_ensure_server
}

# Stops this state directory's wineserver and Xvfb.
vrx_stop_wine() {
  wineserver -k >/dev/null 2>&1 || true
  if vrx_xvfb_alive; then
    kill "$(cat "$VRX_STATE/xvfb.pid")" 2>/dev/null || true
  fi
  rm -f "$VRX_STATE/xvfb.pid" "$VRX_STATE/server.warm"
}
