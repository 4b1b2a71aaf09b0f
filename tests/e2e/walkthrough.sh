#!/usr/bin/env bash
# Goes through the setup under Wine as a user would and saves a screenshot of
# each step as <build>/screenshots/setup-*.png: first from a large medium
# (the shell's copy progress), then from build/dist into the default
# destination, ending with the installed saver started from the Windows
# directory. The installation stays in the build's Wine prefix.
#   walkthrough.sh <build-dir>
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:-build}" && pwd)
export VRX_BUILD="$build"
source "$here/../harness/wine-env.sh"
vrx_ensure_wine || { echo "could not start Wine" >&2; exit 1; }
cmake --build "$build" --target setup_walkthrough dist >/dev/null || exit 1
shots="$build/screenshots"
mkdir -p "$shots"
rm -f "$shots"/setup-*.png

walk() {
  wine "$build/tests/bin/setup_walkthrough.exe" "$@" </dev/null 2>/dev/null |
    while read -r kind name rest; do
      name=${name%$'\r'}
      echo "$kind $name $rest"
      if [[ "$kind" == SHOT ]]; then
        import -window root -display "$DISPLAY" "$shots/setup-$name.png"
      fi
    done
}

# A large medium, twice into the same place: the second run asks before
# replacing the files (answered "Yes to all").
rm -rf "$WINEPREFIX/drive_c/VRX2 Walkthrough Copy" "$WINEPREFIX/drive_c/VRX2 Screen Saver"
walk 'C:\VRX2 Walkthrough Copy' 400
walk 'C:\VRX2 Walkthrough Copy' 400
rm -rf "$WINEPREFIX/drive_c/VRX2 Walkthrough Copy"
walk 'C:\VRX2 Screen Saver' 0 saver
ls "$shots"/setup-*.png
