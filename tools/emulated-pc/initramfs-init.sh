#!/bin/busybox sh
# The emulated PC's first program: loads the disk, file-system and 9p modules,
# mounts the root disk and the host's shared directories, then hands over to
# the root file system's own init (vrx.init=, by default /sbin/vrx-init).
/bin/busybox mkdir -p /bin /sbin /proc /sys /dev /newroot
/bin/busybox --install -s /bin
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev

fail() {
  echo "emulated PC: $*" >/dev/console
  echo o >/proc/sysrq-trigger
  sleep 60
}

for module in $(cat /modules.load); do
  insmod "/modules/$module" || fail "cannot load $module"
done

init=/sbin/vrx-init
shares=
for word in $(cat /proc/cmdline); do
  case $word in
    vrx.init=*) init=${word#vrx.init=} ;;
    vrx.shares=*) shares=${word#vrx.shares=} ;;
  esac
done

i=0
while [ ! -b /dev/vda ] && [ $i -lt 100 ]; do
  sleep 0.1
  i=$((i + 1))
done
mount -t ext4 -o rw,noatime /dev/vda /newroot || fail "cannot mount the root disk /dev/vda"

# Each share is tag:path; the host directory appears at the same path here.
# Wine maps its programs from the share: without the page cache (cache=mmap
# or none) parts of a mapped program read as zeros.
for share in $(echo "$shares" | tr ',' ' '); do
  tag=${share%%:*}
  path=${share#*:}
  mkdir -p "/newroot$path"
  mount -t 9p -o trans=virtio,version=9p2000.L,msize=262144,cache=loose,access=any "$tag" "/newroot$path" ||
    fail "cannot mount the host's $path ($tag)"
done

mount --move /dev /newroot/dev
mount --move /proc /newroot/proc
mount --move /sys /newroot/sys
exec switch_root /newroot "$init"
