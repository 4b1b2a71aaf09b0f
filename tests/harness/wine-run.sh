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
# under CTest; the program's errors go through a file instead. Its output is
# passed on as it comes and kept, to tell a program that ran from one that
# never did.
errors=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")
output=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")
trap 'rm -f "$errors" "$output"' EXIT
# Every test program prints before its first test. A start that ends with an
# error before the program wrote a single byte, on either stream, never reached
# the program (Wine's loader refused it, its errors silenced): it is started
# again, at most twice, and each such start is noted for the suite's summary.
# A program that fails on its own prints, and is never run again.
for attempt in 1 2 3; do
  wine "$@" 2>"$errors" | tee "$output"
  rc=${PIPESTATUS[0]}
  cat "$errors" >&2
  if [[ $rc -eq 0 || -s "$output" || -s "$errors" || $attempt -eq 3 ]]; then
    break
  fi
  echo "$(date -u +%FT%TZ) $(basename "$1") ended with exit code $rc before printing anything (start $attempt)" \
    >>"$VRX_WINE_STATE/silent-starts.log"
  echo "[wine-run] $(basename "$1") ended with exit code $rc before printing anything; started again" >&2
done
if [[ $rc -ne 0 ]]; then
  echo "[wine-run] $(basename "$1") ended with exit code $rc" >&2
fi
exit "$rc"
