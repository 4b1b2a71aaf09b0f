#!/usr/bin/env bash
# Installs what the build, the demo and the tests need on a Debian machine
# (run as root). Quick when everything is already there.
set -euo pipefail

packages=(
  cmake make g++ clang libclang-rt-14-dev
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  googletest
  wine wine32:i386
  xvfb xauth x11-utils imagemagick
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
# A mirror in the middle of a sync makes `apt-get update` fail on one index;
# try again a few times, then go on with whatever lists were fetched.
for attempt in 1 2 3 4 5; do
  apt-get update -q && break
  echo "apt-get update failed (attempt $attempt); retrying" >&2
  sleep $((attempt * 10))
done
for attempt in 1 2 3; do
  apt-get install -y -q --no-install-recommends "${missing[@]}" && exit 0
  echo "apt-get install failed (attempt $attempt); retrying" >&2
  sleep 15
  apt-get update -q || true
done
exit 1
