#!/usr/bin/env bash
# Runs the tests of a build: makes sure the Wine prefixes and Xvfb screens of
# the chosen tests can start (and says why not, once, before any test), runs
# CTest, then stops the servers it used and prints how long the suite took.
#   run-tests.sh <build-dir> [ctest arguments...]
# The build's Windows tests run under the Wine its wine-arch file names; the
# host tools' self-tests and the native fuzzer run in the same CTest run.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:-build}" && pwd) || exit 1
shift || true
export VRX_BUILD="$build"
# Each profile: depth, system DPI ("-" for Wine's own), monitors.
profiles=("24" "8" "24 144" "24 - 2" "24 - portrait")

if [[ ! -f "$build/CTestTestfile.cmake" ]]; then
  echo "no tests in $build: build it first (make test)" >&2
  exit 1
fi
arch=$(cat "$build/wine-arch" 2>/dev/null || echo win32)
echo "Running the tests of $build ($arch programs under $([[ $arch == win64 ]] && echo wine64 || echo 32-bit Wine)${VRX_RUN_PLACE:+ $VRX_RUN_PLACE})"

profile() {
  local dpi=${2:-}
  export VRX_DEPTH=$1 VRX_DPI=${dpi#-} VRX_MONITORS=${3:-}
  # shellcheck source=wine-env.sh
  source "$here/wine-env.sh"
}
stop_all() {
  local p
  for p in "${profiles[@]}"; do
    # shellcheck disable=SC2086
    ( profile $p; vrx_stop_wine )
  done
}
trap stop_all EXIT
trap 'exit 130' INT TERM

# The profiles of the tests that these arguments choose, from CTest's own
# list: "depth dpi monitors" with "-" for Wine's own DPI.
chosen_profiles() {
  ctest --test-dir "$build" -N -V "$@" 2>/dev/null |
    sed -n 's/^\([0-9]*\): *VRX_\(DEPTH\|DPI\|MONITORS\)=\(.*\)$/\1 \2 \3/p' |
    awk '{ value[$1, $2] = $3; test[$1] = 1 }
      END { for (n in test) print value[n, "DEPTH"], (value[n, "DPI"] == "" ? "-" : value[n, "DPI"]), value[n, "MONITORS"] }' |
    sort -u
}

started=$(date +%s)
silent="${VRX_WINE_STATE:-$build/wine}/silent-starts.log"
rm -f "$silent"
mapfile -t used < <(chosen_profiles "$@")
for p in "${used[@]}"; do
  # shellcheck disable=SC2086
  if ! ( profile $p; vrx_ensure_wine ); then
    # shellcheck disable=SC2086
    set -- $p
    dpi=${2:-}
    dpi=${dpi#-}
    echo "No test was run: Wine or its X server cannot start on this machine" \
      "(the ${1}-bit screen${dpi:+, DPI $dpi}${3:+, monitors: $3})." >&2
    exit 1
  fi
done

ctest --test-dir "$build" --output-on-failure --timeout 300 "$@"
rc=$?
finished=$(date +%s)
if [[ -s "$silent" ]]; then
  echo "Wine starts that ended before the program printed anything, run again ($(wc -l <"$silent")):"
  sed 's/^/  /' "$silent"
fi
echo "Test suite: $((finished - started)) s${VRX_STARTED:+ (make test in all: $((finished - VRX_STARTED)) s)}"
exit $rc
