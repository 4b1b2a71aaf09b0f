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
# try again a few times.
update_log=$(mktemp)
for attempt in 1 2 3; do
  apt-get update -q 2>&1 | tee "$update_log" && ! grep -q '^E: Failed to fetch' "$update_log" && break
  echo "apt-get update failed (attempt $attempt); retrying" >&2
  sleep $((attempt * 10))
done
apt-get install -y -q --no-install-recommends "${missing[@]}" && exit 0

# Some mirrors serve an index whose size no longer matches their Release
# file. Without it, the i386 libraries cannot match the versions of the
# installed amd64 ones and wine32 cannot be installed. As a last resort,
# take such an index as served (the packages it lists are still checked
# against its hashes when they are downloaded) and try once more.
sed -n 's/^E: Failed to fetch \(http[^ ]*\.xz\)  File has unexpected size.*/\1/p' "$update_log" | sort -u |
while read -r url; do
  list=/var/lib/apt/lists/$(echo "${url#*://}" | sed 's/\.xz$//; s|/|_|g')
  echo "Using the index as served: $url" >&2
  curl -fsSL "$url" | xz -dc >"$list.tmp" && mv "$list.tmp" "$list" || rm -f "$list.tmp"
done
apt-get install -y -q --no-install-recommends "${missing[@]}"
