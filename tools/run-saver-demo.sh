#!/usr/bin/env bash
# The main job: shows the built saver full screen under Wine, on $DISPLAY
# when there is one, else in Xvfb with screenshots saved under the build.
#   run-saver-demo.sh <build-dir>
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:-build}" && pwd)
export VRX_BUILD="$build"
if [[ -n "${DISPLAY:-}" ]]; then
  export VRX_DISPLAY="$DISPLAY"
fi
# shellcheck source=../tests/harness/wine-env.sh
source "$here/../tests/harness/wine-env.sh"
vrx_ensure_wine || { echo "could not start Wine" >&2; exit 1; }

saver="$build/dist/pictures/VRXSaver.scr"
shots="$build/screenshots"
mkdir -p "$shots"
wine "$saver" /s </dev/null >"$build/saver-demo.log" 2>&1 &
pid=$!
sleep 3
if [[ -z "${VRX_DISPLAY:-}" ]]; then
  import -window root -display "$DISPLAY" "$shots/saver-1.png" && echo "screenshot: $shots/saver-1.png"
fi
if [[ -n "${VRX_DISPLAY:-}" ]]; then
  echo "The saver runs on $DISPLAY; move the mouse or press a key to end it."
  wait $pid
else
  wine taskkill /im VRXSaver.scr </dev/null >/dev/null 2>&1 || kill $pid 2>/dev/null
  wait $pid 2>/dev/null
fi
exit 0
