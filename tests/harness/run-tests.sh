#!/usr/bin/env bash
# Runs every test of a build: starts the Wine prefixes and Xvfb screens once,
# then CTest. On CI the servers are stopped again at the end.
#   run-tests.sh <build-dir> [ctest arguments...]
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:-build}" && pwd)
shift || true
export VRX_BUILD="$build"

start() {
  ( export VRX_DEPTH=$1 VRX_DPI=${2:-}; source "$here/wine-env.sh"; vrx_ensure_wine ) || {
    echo "could not start Wine for depth $1" >&2
    exit 1
  }
}
stop() {
  ( export VRX_DEPTH=$1 VRX_DPI=${2:-}; source "$here/wine-env.sh"; vrx_stop_wine )
}

start 24
start 8
start 24 144
ctest --test-dir "$build" --output-on-failure --timeout 300 "$@"
rc=$?
if [[ "${CI:-}" == "true" ]]; then
  stop 24
  stop 8
  stop 24 144
fi
exit $rc
