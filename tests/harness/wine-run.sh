#!/usr/bin/env bash
# Runs a Windows program under the build's Wine prefix and Xvfb screen, with
# its exit code. CTest uses it as the emulator of every Windows test program.
#   wine-run.sh <program.exe> [arguments...]
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
: "${VRX_BUILD:=$(cd "$here/../.." && pwd)/build}"
export VRX_BUILD
# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
vrx_ensure_wine || exit 125
# Wine lingers about a second at exit when its standard error is a pipe, as
# under CTest; the program's errors go through a file instead.
errors=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")
wine "$@" 2>"$errors"
rc=$?
cat "$errors" >&2
rm -f "$errors"
exit $rc
