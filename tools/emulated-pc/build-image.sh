#!/usr/bin/env bash
# Builds the emulated 32-bit PC from Debian's packages: Debian 12 i386 with
# 32-bit Wine, Xvfb, Xorg's dummy driver and CTest on an ext4 disk image, its
# 686 kernel, and a busybox initramfs that mounts the disk and the host's 9p
# shares. The image lives in a cache outside any build directory, under a
# name made from the files that make it, so every clone on this machine
# reuses it until one of those files changes.
#
#   build-image.sh           builds the image when needed, prints its directory
#   build-image.sh --path    prints that directory only
#
#   VRX_EMULATED_PC_CACHE   the cache (default /var/cache/vrx2-emulated-pc)
#   VRX_DEBIAN_MIRROR       the Debian archive (default: the one apt uses here)
#
# Needs root (debootstrap, files of every owner), debootstrap, qemu-system-x86,
# cpio, e2fsprogs and debian-archive-keyring (tools/install-deps.sh installs
# them where the emulated PC is used). Nothing i386 runs on the host: the
# packages are unpacked here and configured inside the emulated PC.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

suite=bookworm
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
# What the tests need in the guest: 32-bit Wine, the X servers of the four
# screen profiles, xrandr to place the second monitor, flock/setsid
# (util-linux), CTest, and the X libraries Wine's X11 driver loads by name.
guest_packages=(
  wine32 libwine
  xvfb xauth xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  cmake procps
  libxrandr2 libxrender1 libxinerama1 libxi6 libxcursor1 libxfixes3 libxcomposite1 libxxf86vm1
)
# Kernel modules the initramfs loads (with what they depend on), unless built in.
initramfs_modules=(virtio_pci virtio_blk crc32c_generic ext4 9pnet_virtio 9p)

cache_root=${VRX_EMULATED_PC_CACHE:-/var/cache/vrx2-emulated-pc}
key=$(cat "$here/build-image.sh" "$here/initramfs-init.sh" "$here/guest-init.sh" | sha256sum | cut -c1-16)
image="$cache_root/image-$key"

if [[ ${1:-} == --path ]]; then
  echo "$image"
  exit 0
fi

say() { echo "[emulated-pc] $*" >&2; }
fail() {
  say "cannot build the emulated PC: $*"
  exit 1
}

mkdir -p "$cache_root"
exec 9>"$cache_root/.lock"
flock 9
if [[ -f $image/ready ]]; then
  echo "$image"
  exit 0
fi

[[ $(id -u) -eq 0 ]] || fail "it needs root (debootstrap)"
for tool in debootstrap qemu-system-x86_64 cpio mkfs.ext4 dpkg-deb apt-get depmod; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (make deps)"
done
[[ -f $keyring ]] || fail "$keyring is missing (debian-archive-keyring)"

# The archive that apt uses on this machine, else Debian's own name for it.
mirror=${VRX_DEBIAN_MIRROR:-$(apt-get indextargets --format '$(SITE) $(CODENAME)' 2>/dev/null |
  awk '$1 ~ /\/debian\/?$/ { print $1; exit }')}
mirror=${mirror:-http://deb.debian.org/debian}

work="$image.partial"
rm -rf "$work"
mkdir -p "$work" "$cache_root/debs"
say "building the emulated PC in $image from $mirror ($suite, i386); its packages are kept in $cache_root/debs"

# The kernel and busybox come through apt with a configuration of their own
# (i386 lists of this suite only), checked against the archive's keyring like
# every other package.
apt_dir="$cache_root/apt"
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
echo "deb [arch=i386 signed-by=$keyring] $mirror $suite main" >"$apt_dir/sources.list"
: >"$apt_dir/status"
apt_i386=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=$apt_dir/none"
  -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache" -o "Dir::State::Status=$apt_dir/status"
  -o "APT::Architecture=i386" -o "APT::Architectures::=i386" -o "Debug::NoLocking=1")
apt-get -q "${apt_i386[@]}" update >"$work/apt.log" 2>&1 || { tail -n 5 "$work/apt.log" >&2; fail "apt-get update of the i386 lists failed"; }
kernel_package=$(apt-cache "${apt_i386[@]}" show --no-all-versions linux-image-686 |
  sed -n 's/^Depends: \(linux-image-[^ ,]*\).*/\1/p' | head -n 1)
[[ -n $kernel_package ]] || fail "no 686 kernel in $mirror $suite"
# The file name apt-get download gives a package of this suite.
deb_of() {
  local version
  version=$(apt-cache "${apt_i386[@]}" show --no-all-versions "$1" | sed -n 's/^Version: //p' | head -n 1)
  echo "$cache_root/debs/$1_${version/:/%3a}_i386.deb"
}
for package in "$kernel_package" busybox-static; do
  [[ -f $(deb_of "$package") ]] && continue
  (cd "$cache_root/debs" && apt-get -q "${apt_i386[@]}" download "$package") >>"$work/apt.log" 2>&1 ||
    { tail -n 5 "$work/apt.log" >&2; fail "cannot download $package"; }
done

# The root file system, unpacked without running any of its programs.
root="$work/root"
include=$(IFS=,; echo "${guest_packages[*]}")
if ! debootstrap --arch=i386 --foreign --variant=minbase --keyring="$keyring" \
    --cache-dir="$cache_root/debs" --include="$include" "$suite" "$root" "$mirror" >"$work/debootstrap.log" 2>&1; then
  tail -n 15 "$work/debootstrap.log" >&2
  fail "debootstrap's first stage failed (log: $work/debootstrap.log)"
fi
# In what it takes for a container, debootstrap makes /proc a link.
for dir in proc sys dev run tmp; do
  [[ -L $root/$dir ]] && rm -f "${root:?}/$dir"
  mkdir -p "$root/$dir"
done
install -m 755 "$here/guest-init.sh" "$root/sbin/vrx-init"

# The kernel, and an initramfs of busybox and the modules that reach the disk
# and the shares.
dpkg-deb -x "$(deb_of "$kernel_package")" "$work/kernel"
dpkg-deb -x "$(deb_of busybox-static)" "$work/busybox"
cp "$work/kernel"/boot/vmlinuz-* "$work/vmlinuz"
modules_dir=$(echo "$work/kernel"/lib/modules/*)
depmod -b "$work/kernel" "$(basename "$modules_dir")" || fail "depmod cannot list the kernel's modules"
initramfs="$work/initramfs"
mkdir -p "$initramfs/bin" "$initramfs/modules"
cp "$work/busybox/bin/busybox" "$initramfs/bin/busybox"
install -m 755 "$here/initramfs-init.sh" "$initramfs/init"
: >"$initramfs/modules.load"
add_module() {
  local path=$1 file
  file=$(basename "${path%.xz}")
  grep -qx "$file" "$initramfs/modules.load" && return 0
  case $path in
    *.xz) xz -dc "$modules_dir/$path" >"$initramfs/modules/$file" ;;
    *) cp "$modules_dir/$path" "$initramfs/modules/$file" ;;
  esac
  echo "$file" >>"$initramfs/modules.load"
}
for name in "${initramfs_modules[@]}"; do
  line=$(grep -E "/${name}\.ko(\.xz)?:" "$modules_dir/modules.dep" || true)
  if [[ -z $line ]]; then
    grep -qE "/${name}\.ko(\.xz)?$" "$modules_dir/modules.builtin" || fail "the kernel has no module $name"
    continue
  fi
  # modules.dep lists what a module needs so that the last loads first.
  read -r -a needs <<<"${line#*:}"
  for ((i = ${#needs[@]} - 1; i >= 0; i--)); do
    add_module "${needs[i]}"
  done
  add_module "${line%%:*}"
done
(cd "$initramfs" && find . | cpio -o -H newc --quiet | gzip -9) >"$work/initrd.gz"

# The disk: sparse, large enough for the packages the second stage installs.
mkfs.ext4 -q -F -L vrx-root -d "$root" "$work/disk.img" 8G >"$work/mkfs.log" 2>&1 ||
  { tail -n 5 "$work/mkfs.log" >&2; fail "mkfs.ext4 failed"; }
rm -rf "$root" "$work/kernel" "$work/busybox" "$initramfs"

# Inside the emulated PC: debootstrap's second stage, then a Wine prefix made
# once with wineboot, which the harness copies instead of making its own.
mkdir -p "$work/control"
cat >"$work/control/job.sh" <<'JOB'
set -e
echo "[emulated-pc] debootstrap's second stage"
/debootstrap/debootstrap --second-stage
# The second stage unmounts /proc as it ends; Wine finds itself through it.
mountpoint -q /proc || mount -t proc proc /proc
apt-get clean
echo "[emulated-pc] a Wine prefix to copy"
export PATH=/usr/lib/wine:$PATH WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=/var/lib/vrx/prefix-template
mkdir -p /var/lib/vrx
Xvfb :9 -screen 0 640x480x24 -nolisten tcp </dev/null >/var/lib/vrx/xvfb.log 2>&1 &
xvfb=$!
export DISPLAY=:9
wine wineboot -i </dev/null >/var/lib/vrx/wineboot.log 2>&1 || true
wineserver -w || true
kill $xvfb || true
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  echo "[emulated-pc] wineboot made no prefix; its log ends:"
  tail -n 20 /var/lib/vrx/wineboot.log
  exit 1
fi
wine_version=$(wine --version)
echo "[emulated-pc] ready: $(uname -r), $wine_version, $(dpkg -l | grep -c '^ii') packages"
JOB
say "configuring its packages inside the emulated PC (several minutes)"
if ! VRX_EMULATED_PC_TIMEOUT=${VRX_EMULATED_PC_BUILD_TIMEOUT:-2700} bash "$here/boot.sh" --keep-disk "$work" "$work/control" \
    >"$work/second-stage.log" 2>&1; then
  tail -n 20 "$work/second-stage.log" >&2
  fail "the packages could not be configured inside the emulated PC (log: $work/second-stage.log)"
fi
grep '^\[emulated-pc\] ready' "$work/second-stage.log" >&2 || true

# Earlier images of other keys are no longer used.
for old in "$cache_root"/image-*; do
  [[ $old == "$work" || $old == "$image" ]] || rm -rf "$old"
done
rm -rf "$work/control/console.log"
touch "$work/ready"
rm -rf "$image"
mv "$work" "$image"
say "the emulated PC is ready: $image ($(du -sh "$image" | cut -f1))"
echo "$image"
