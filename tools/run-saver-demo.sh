#!/usr/bin/env bash
# The main job: shows the built saver full screen under Wine on the pictures
# of the distribution medium, on $DISPLAY when there is one, else in Xvfb
# with a screenshot of each of several pictures saved under the build.
#   run-saver-demo.sh <build-dir> [screenshot-dir]
# The build directory is the 32-bit one or build/x64 (its wine-arch file says
# which Wine runs it); the screenshots go to <build-dir>/screenshots unless
# another directory is named.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:-build}" && pwd)
export VRX_BUILD="$build"
if [[ -n "${DISPLAY:-}" ]]; then
  export VRX_DISPLAY="$DISPLAY"
fi
# shellcheck source=../tests/harness/wine-env.sh
source "$here/../tests/harness/wine-env.sh"
vrx_ensure_wine || exit 1
# The private Xvfb and the wineserver are not left behind.
[[ -z "${VRX_DISPLAY:-}" ]] && trap vrx_stop_wine EXIT

dist="$build/dist"
saver="$dist/pictures/VRXSaver.scr"
shots=${2:-$build/screenshots}
rate=2
if ! ls "$dist"/pictures/*.bmp >/dev/null 2>&1; then
  echo "no pictures in $dist/pictures: build first" >&2
  exit 1
fi

# The settings the setup program would leave: the medium stands in for the
# installed tree, so the saver lists $dist\pictures\*.bmp.
installed=$(wine winepath -w "$dist" 2>/dev/null </dev/null | tr -d '\r')
key='HKLM\Software\Quandrel\VRX2SS'
wine reg add "$key" /v "Installed path" /t REG_SZ /d "$installed" /f </dev/null >/dev/null 2>&1
wine reg add "$key" /v Fullscreen /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
wine reg add "$key" /v UpdateRate /t REG_DWORD /d $rate /f </dev/null >/dev/null 2>&1
echo "settings: Installed path = $installed, Fullscreen 0, UpdateRate $rate"

mkdir -p "$shots"
rm -f "$shots"/saver-*.png
wine "$saver" /s </dev/null >"$build/saver-demo.log" 2>&1 &
pid=$!

if [[ -n "${VRX_DISPLAY:-}" ]]; then
  echo "The saver runs on $DISPLAY; move the mouse or press a key to end it."
  wait $pid
  exit 0
fi

# A picture changes every $rate seconds from the first paint; each shot is
# taken in the middle of a picture's time, after its wipe.
sleep 1.5
pictures=$(ls "$dist"/pictures/*.bmp | wc -l)
for n in $(seq 1 $((pictures + 1))); do
  if ! kill -0 $pid 2>/dev/null; then
    echo "the saver ended early; see $build/saver-demo.log" >&2
    break
  fi
  import -window root -display "$DISPLAY" "$shots/saver-$n.png" && echo "screenshot: $shots/saver-$n.png"
  sleep $rate
done
wine taskkill /im VRXSaver.scr </dev/null >/dev/null 2>&1 || kill $pid 2>/dev/null
wait $pid 2>/dev/null
exit 0
