#!/usr/bin/env bash
# Installs what the build, the demo and the tests need on a Debian machine
# (run as root). Quick when everything is already there.
#
# 32-bit Wine (wine32 through i386 multiarch) only where this machine can
# start 32-bit x86 programs; wine64 always, for the 64-bit suite; what builds
# and boots the emulated 32-bit PC (tools/emulated-pc) only where the tests
# use it (host-arch.sh: x64+x86-emulated or x86-emulated). Packages
# come only from indexes that apt verified against their signed Release
# files.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

packages=(
  cmake make g++ clang libclang-rt-dev
  g++-mingw-w64-i686-win32 gcc-mingw-w64-i686-win32 binutils-mingw-w64-i686 mingw-w64-i686-dev
  g++-mingw-w64-x86-64-win32 gcc-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  googletest
  wine wine64
  xvfb xauth x11-utils imagemagick libimage-exiftool-perl
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  util-linux coreutils
  xorriso zip unzip
)
x86=false
if bash "$here/../tests/harness/host-arch.sh" --can-run-x86; then
  x86=true
  packages+=(wine32:i386)
fi
# Wine's X11 driver loads these by name at run time (libwine recommends them):
# without RandR a screen of two outputs is one monitor to Wine, without
# Render its GDI falls back to slower paths. Both architectures' Wine.
x_libraries=(libxrandr2 libxrender1 libxinerama1 libxi6 libxcursor1 libxfixes3 libxcomposite1 libxxf86vm1)
packages+=("${x_libraries[@]}")
if $x86; then
  packages+=("${x_libraries[@]/%/:i386}")
fi
arch=${VRX_ARCH:-$(bash "$here/../tests/harness/host-arch.sh")}
if [[ $arch == *x86-emulated ]]; then
  packages+=(qemu-system-x86 debootstrap cpio e2fsprogs kmod xz-utils debian-archive-keyring)
fi

# A name without an architecture means the machine's own, or "all": with
# the i386 one installed too, the bare name would answer for both.
native=$(dpkg --print-architecture)
installed() {
  local status
  if [[ $1 != *:* ]]; then
    status=$(dpkg-query -W -f='${Status}' "$1:$native" 2>/dev/null) ||
      status=$(dpkg-query -W -f='${Status}' "$1:all" 2>/dev/null) || status=""
  else
    status=$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null) || status=""
  fi
  [[ "$status" == "install ok installed" ]]
}
missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if $x86 && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi

# A mirror caught in the middle of a sync serves indexes that no longer match
# its Release file; fetching them by their hash (apt's own remedy) gets the
# ones the Release file names. An index that still fails is never used (apt
# keeps the one it verified before, if any): the update is tried again later.
update_log=$(mktemp)
trap 'rm -f "$update_log"' EXIT
updated=false
for delay in 5 15 45 90; do
  if apt-get update -q -o Acquire::By-Hash=force >"$update_log" 2>&1 &&
     ! grep -q '^[WE]: \(Failed to fetch\|Some index files failed\)' "$update_log"; then
    updated=true
    break
  fi
  grep '^[WE]:' "$update_log" >&2 || true
  echo "apt-get update did not verify every index; again in $delay s" >&2
  sleep "$delay"
done
$updated || echo "apt-get update could not verify every index; installing from those it did verify" >&2

for delay in 10 30 0; do
  apt-get install -y -q --no-install-recommends "${missing[@]}" && exit 0
  [[ $delay -eq 0 ]] && break
  echo "apt-get install failed; again in $delay s" >&2
  sleep "$delay"
done
exit 1
