#!/usr/bin/env bash
# Runs Wine tests of a 32-bit build inside the emulated 32-bit PC
# (tools/emulated-pc), for machines that cannot start 32-bit programs: one
# boot, the checkout and the build shared at their own paths, run-tests.sh
# inside with the guest's own prefixes and persistent wineservers.
#
#   run-emulated-tests.sh <build-dir>          the product's programs started as
#       processes: the tests labelled e2e or process, and those named for the
#       x86 build (X86 in the name)
#   run-emulated-tests.sh <build-dir> --all    every Wine test of the build
#   run-emulated-tests.sh <build-dir> <ctest arguments...>   the Wine tests these
#       choose, e.g. -R SilentInstall
#
# The image is built first when the cache lacks it. Exit status: CTest's, or 1
# when the emulated PC cannot be built or never finished (no test then counts).
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
checkout=$(cd "$here/../.." && pwd)
build=$(cd "${1:-build}" && pwd) || exit 1
shift || true

product_labels='e2e|process'
product_names='X86'

nothing_run() {
  echo "No test was run in the emulated 32-bit PC: $*" >&2
  exit 1
}
[[ -f $build/CTestTestfile.cmake ]] || nothing_run "no tests in $build (build it first: make test)"
[[ $(cat "$build/wine-arch" 2>/dev/null) == win32 ]] || nothing_run "$build is not the 32-bit build"

# Exact names, each escaped for CTest's regular expression.
names_regex() {
  sed -n 's/^ *Test *#[0-9]*: //p' | sort -u | sed 's/[][\.^$*+?(){}|]/\\&/g' | paste -sd '|' |
    sed 's/^\(..*\)$/^(\1)$/'
}
if [[ $# -eq 0 ]]; then
  regex=$({ ctest --test-dir "$build" -N -L "$product_labels"; ctest --test-dir "$build" -N -R "$product_names"; } |
    names_regex)
  [[ -n $regex ]] || nothing_run "no test of $build is labelled $product_labels or named $product_names"
  chosen=(-L wine -R "$regex")
elif [[ $1 == --all ]]; then
  shift
  chosen=(-L wine "$@")
else
  chosen=(-L wine "$@")
fi

image=$(bash "$checkout/tools/emulated-pc/build-image.sh") || nothing_run "its image could not be built (above)"

control="$build/emulated-pc"
rm -rf "$control"
mkdir -p "$control"
{
  echo '[[ -e /dev/fd ]] || ln -s /proc/self/fd /dev/fd'
  echo 'export PATH=/usr/lib/wine:$PATH'
  echo 'export VRX_WINE_STATE=/var/lib/vrx/wine VRX_PREFIX_TEMPLATE=/var/lib/vrx/prefix-template'
  echo 'export VRX_RUN_PLACE="in the emulated 32-bit PC"'
  echo 'echo "Emulated PC: Linux $(uname -r) $(uname -m), $(nproc) CPUs, $(wine --version)"'
  printf 'bash %q %q' "$checkout/tests/harness/run-tests.sh" "$build"
  printf ' %q' "${chosen[@]}"
  echo
} >"$control/job.sh"

shares=("$checkout")
[[ $build/ == "$checkout"/* ]] || shares+=("$build")
echo "Booting the emulated 32-bit PC ($image)"
bash "$checkout/tools/emulated-pc/boot.sh" "$image" "$control" "${shares[@]}"
rc=$?
[[ $rc -eq 125 ]] && nothing_run "it did not boot or did not finish (above)"
exit $rc
