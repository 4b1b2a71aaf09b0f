# Sourced by the scripts that run Windows programs under Wine. Keeps one Wine
# prefix and one Xvfb screen per build directory and per colour depth, made
# once and reused, and a persistent, warmed wineserver for each prefix.
#
#   VRX_BUILD   the build directory (default: build)
#   VRX_DEPTH   24 (default) or 8: the 8-bit screen is a palette device
#   VRX_DPI     a system DPI for the prefix (e.g. 144); unset: Wine's 96
#   VRX_MONITORS 2: two monitors side by side (Xorg's dummy driver, two RandR
#               outputs), which Wine reports as two; portrait: the same with a
#               second monitor of 480 x 800, taller than wide; unset: one Xvfb
#               screen
#   VRX_DISPLAY use this X display instead of an own Xvfb (the demo on $DISPLAY)
#   VRX_PROFILE a name for a state of its own beside the tests' (the bench's)
#   VRX_WINE_STATE where the prefixes and servers' state live (default
#               <build>/wine; the emulated PC keeps them on its own disk)
#   VRX_PREFIX_TEMPLATE a prefix made by `wineboot -i` with the same Wine, copied
#               instead of making a new one (the emulated PC's, made once)
#
# The build directory says which Wine it needs (its file wine-arch, written
# when it is configured): win32, the 32-bit programs under 32-bit Wine, or
# win64, the x86_64 programs under wine64 in a 64-bit prefix. Either way
# `wine` names the right loader for the scripts that source this file.

VRX_BUILD=$(cd "${VRX_BUILD:-build}" && pwd)
VRX_DEPTH=${VRX_DEPTH:-24}
VRX_SCREEN=${VRX_SCREEN:-640x480}
VRX_WINE_STATE=${VRX_WINE_STATE:-$VRX_BUILD/wine}
VRX_STATE="$VRX_WINE_STATE/${VRX_PROFILE:+$VRX_PROFILE-}$VRX_DEPTH${VRX_DPI:+-dpi$VRX_DPI}${VRX_MONITORS:+-mon$VRX_MONITORS}"
export WINEPREFIX="$VRX_STATE/prefix"
WINEARCH=$(cat "$VRX_BUILD/wine-arch" 2>/dev/null || echo win32)
export WINEARCH
if [[ $WINEARCH == win64 ]]; then
  VRX_WINE_LOADER=${VRX_WINE_LOADER:-/usr/lib/wine/wine64}
else
  VRX_WINE_LOADER=${VRX_WINE_LOADER:-/usr/lib/wine/wine}
fi
# Debian's `wine` takes 32-bit Wine whenever it is installed; the loader is
# named here so that a 64-bit prefix gets wine64 on any machine.
export WINELOADER="$VRX_WINE_LOADER"
mkdir -p "$VRX_WINE_STATE/bin"
if [[ "$(cat "$VRX_WINE_STATE/bin/wine" 2>/dev/null)" != *"exec $VRX_WINE_LOADER "* ]]; then
  printf '#!/bin/sh\nexec %s "$@"\n' "$VRX_WINE_LOADER" >"$VRX_WINE_STATE/bin/wine.$$"
  chmod +x "$VRX_WINE_STATE/bin/wine.$$"
  mv -f "$VRX_WINE_STATE/bin/wine.$$" "$VRX_WINE_STATE/bin/wine"
fi
case ":$PATH:" in
  *":$VRX_WINE_STATE/bin:"*) ;;
  *) export PATH="$VRX_WINE_STATE/bin:$PATH" ;;
esac
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

vrx_log() { echo "[wine-env] $*" >&2; }

# Says why Wine or its X server cannot start, once, and fails.
vrx_fail() {
  echo "[wine-env] cannot run the Windows programs: $*" >&2
  return 1
}

# The last lines of a log, indented, for a failure message.
vrx_log_tail() {
  [[ -s "$1" ]] && tail -n 5 "$1" | sed 's/^/    /' >&2
  return 0
}

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

# The second monitor's mode: VRX_SCREEN like the first, or 480 x 800 for
# the portrait layout.
vrx_second_screen() {
  if [[ ${VRX_MONITORS:-} == portrait ]]; then echo 480x800; else echo "$VRX_SCREEN"; fi
}

# The whole screen that holds both monitors side by side, as WxH.
vrx_both_screens() {
  local second w=${VRX_SCREEN%x*} h=${VRX_SCREEN#*x}
  second=$(vrx_second_screen)
  local w2=${second%x*} h2=${second#*x}
  echo "$((w + w2))x$((h > h2 ? h : h2))"
}

# Xorg with the dummy driver: one screen of two RandR outputs, VRX_SCREEN
# and the second monitor's mode, the second to the right of the first, as
# Wine needs them to report two monitors (Xvfb makes no such outputs, and
# Wine 8 takes one monitor only from Xinerama screens). 480 x 800 is not
# among the driver's own modes, so the portrait layout brings its timings.
vrx_start_two_monitors() {
  local second both
  second=$(vrx_second_screen)
  both=$(vrx_both_screens)
  local modeline=()
  [[ $second == 480x800 ]] && modeline=('  Modeline "480x800" 31.00 480 504 552 624 800 801 804 828 -HSync +Vsync')
  printf '%s\n' 'Section "ServerFlags"' '  Option "AutoAddDevices" "false"' '  Option "DontVTSwitch" "true"' \
    'EndSection' 'Section "Device"' '  Identifier "card"' '  Driver "dummy"' '  VideoRam 32768' 'EndSection' \
    'Section "Monitor"' '  Identifier "monitor"' '  HorizSync 5.0-1000.0' '  VertRefresh 5.0-200.0' \
    "${modeline[@]}" 'EndSection' \
    'Section "Screen"' '  Identifier "screen"' '  Device "card"' '  Monitor "monitor"' \
    "  DefaultDepth $VRX_DEPTH" '  SubSection "Display"' "    Depth $VRX_DEPTH" "    Modes \"$VRX_SCREEN\"" \
    "    Virtual ${both%x*} ${both#*x}" '  EndSubSection' 'EndSection' >"$VRX_STATE/xorg.conf"
  setsid Xorg ":$1" -config "$VRX_STATE/xorg.conf" -logfile "$VRX_STATE/xorg.log" -noreset -nolisten tcp -ac \
    </dev/null >"$VRX_STATE/xvfb.log" 2>&1 &
  echo $! >"$VRX_STATE/xvfb.pid"
}

# The output counts as connected for Wine only once a query has probed it
# again after it was given its mode.
vrx_place_second_monitor() {
  local second both
  second=$(vrx_second_screen)
  both=$(vrx_both_screens)
  DISPLAY=":$1" xrandr --addmode DUMMY1 "$second" &&
    DISPLAY=":$1" xrandr --fb "$both" --output DUMMY1 --mode "$second" --pos "${VRX_SCREEN%x*}x0" &&
    DISPLAY=":$1" xrandr --query | grep -q '^DUMMY1 connected'
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
    n=$(vrx_pick_display) || { flock -u 9; vrx_fail "no free X display"; return; }
    local server=Xvfb
    [[ -n ${VRX_MONITORS:-} && $VRX_MONITORS != 1 ]] && server=Xorg
    command -v $server >/dev/null || { flock -u 9; vrx_fail "$server is not installed (make deps)"; return; }
    if [[ $server == Xorg ]]; then
      vrx_start_two_monitors "$n"
    else
      setsid Xvfb ":$n" -screen 0 "${VRX_SCREEN}x${VRX_DEPTH}" -nolisten tcp -ac \
        </dev/null >"$VRX_STATE/xvfb.log" 2>&1 &
      echo $! >"$VRX_STATE/xvfb.pid"
    fi
    echo ":$n" >"$VRX_STATE/display"
    local i
    for i in $(seq 1 200); do
      [[ -e /tmp/.X11-unix/X$n ]] && break
      vrx_xvfb_alive || break
      sleep 0.05
    done
    if [[ ! -e /tmp/.X11-unix/X$n ]] || ! vrx_xvfb_alive; then
      flock -u 9
      vrx_fail "$server :$n ($VRX_SCREEN x $VRX_DEPTH) did not start; its log $VRX_STATE/xvfb.log ends:"
      vrx_log_tail "$VRX_STATE/xvfb.log"
      rm -f "$VRX_STATE/xvfb.pid"
      return 1
    fi
    if [[ $server == Xorg ]] && ! vrx_place_second_monitor "$n" >>"$VRX_STATE/xvfb.log" 2>&1; then
      flock -u 9
      vrx_fail "the second monitor of Xorg :$n could not be placed; $VRX_STATE/xvfb.log ends:"
      vrx_log_tail "$VRX_STATE/xvfb.log"
      return 1
    fi
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
    if [[ ! -x "$VRX_WINE_LOADER" ]]; then
      flock -u 8
      if [[ $WINEARCH == win64 ]]; then
        vrx_fail "64-bit Wine ($VRX_WINE_LOADER, package wine64) is not installed (make deps)"
      else
        vrx_fail "32-bit Wine ($VRX_WINE_LOADER, package wine32:i386) is not installed (make deps)"
      fi
      return
    fi
    rm -rf "$WINEPREFIX"
    if [[ -n "${VRX_PREFIX_TEMPLATE:-}" && -f "$VRX_PREFIX_TEMPLATE/system.reg" ]]; then
      vrx_log "creating $WINEARCH Wine prefix $WINEPREFIX from $VRX_PREFIX_TEMPLATE (once)"
      cp -a "$VRX_PREFIX_TEMPLATE" "$WINEPREFIX" 2>"$VRX_STATE/wineboot.log"
    else
      vrx_log "creating $WINEARCH Wine prefix $WINEPREFIX (once)"
      wine wineboot -i </dev/null >"$VRX_STATE/wineboot.log" 2>&1 || true
      wineserver -w </dev/null >/dev/null 2>&1 || true
    fi
    # A loader that cannot start leaves no registry behind; say why at once
    # instead of letting every program fail alike.
    local rc
    wine cmd /c exit 7 </dev/null >>"$VRX_STATE/wineboot.log" 2>&1
    rc=$?
    if [[ $rc -ne 7 || ! -f "$WINEPREFIX/system.reg" ]]; then
      flock -u 8
      vrx_fail "$VRX_WINE_LOADER cannot make the prefix $WINEPREFIX; $VRX_STATE/wineboot.log ends:"
      vrx_log_tail "$VRX_STATE/wineboot.log"
      return 1
    fi
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
    wine cmd /c exit 7 </dev/null >"$VRX_STATE/warm.log" 2>&1
    if [[ $? -ne 7 ]]; then
      vrx_fail "$VRX_WINE_LOADER cannot start a program in $WINEPREFIX:"
      vrx_log_tail "$VRX_STATE/warm.log"
      return 1
    fi
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
