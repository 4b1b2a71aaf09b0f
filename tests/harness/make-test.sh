#!/usr/bin/env bash
# `make test` as timed stages: the packages, the builds, the emulated PC's
# image (where it is used), the suite of this machine, and the 32-bit part in
# the emulated PC; prints each stage's time at the end. A stage that prepares
# (packages, builds, image) ends the run when it fails; a failing suite still
# lets the other one run, and fails the whole.
#   make-test.sh <build-dir>
# VRX_ARCH (host-arch.sh's choice) comes from the Makefile, MAKE too.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
checkout=$(cd "$here/../.." && pwd)
build=${1:-build}
arch=${VRX_ARCH:-$(VRX_BUILD=$build bash "$here/host-arch.sh")}
make=${MAKE:-make}
started=$(date +%s)

times=()
stage() {
  local name=$1 from rc
  shift
  echo "=== $name"
  from=$(date +%s)
  "$@"
  rc=$?
  times+=("$name $(($(date +%s) - from)) s$([[ $rc -ne 0 ]] && echo " (failed, exit status $rc)")")
  return $rc
}
report() {
  local t
  echo "Stage times:"
  for t in "${times[@]}"; do
    echo "  $t"
  done
  echo "  make test in all: $(($(date +%s) - started)) s"
}
prepared() {
  report
  echo "make test stopped: $1 failed (above)." >&2
  exit 1
}

stage packages "$make" --no-print-directory deps || prepared "installing the packages"
stage builds "$make" --no-print-directory build-for-run || prepared "the build"
if [[ $arch == *x86-emulated ]]; then
  stage "emulated PC image" bash "$checkout/tools/emulated-pc/build-image.sh" >/dev/null ||
    prepared "building the emulated 32-bit PC"
fi

failed=0
case $arch in
  x86) stage "32-bit suite" env VRX_STARTED="$started" bash "$here/run-tests.sh" "$build" || failed=1 ;;
  x64 | x64+x86-emulated)
    stage "64-bit suite" env VRX_STARTED="$started" bash "$here/run-tests.sh" "$build/x64" || failed=1
    ;;
  x86-emulated)
    stage "native tests" bash "$here/run-tests.sh" "$build" -L native || failed=1
    ;;
esac
case $arch in
  x64+x86-emulated)
    stage "32-bit part (emulated PC)" bash "$here/run-emulated-tests.sh" "$build" || failed=1
    ;;
  x86-emulated)
    stage "32-bit suite (emulated PC)" bash "$here/run-emulated-tests.sh" "$build" --all || failed=1
    ;;
esac
report
exit $failed
