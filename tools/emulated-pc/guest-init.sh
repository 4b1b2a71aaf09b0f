#!/bin/bash
# The emulated PC's init on its root disk: prepares the file systems a
# program expects, runs the job the host put in its control directory
# (/run/vrx-control/job.sh, shared by 9p), writes the job's exit status there
# and switches the machine off.
export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
export HOME=/root LANG=C.UTF-8 TERM=dumb
control=/run/vrx-control

mount -t tmpfs -o mode=1777 tmpfs /tmp
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
mount -t tmpfs -o mode=1777 tmpfs /dev/shm
# /run is a directory of the disk: the shares below it stay visible.
hostname vrx-emulated-pc 2>/dev/null
ip link set lo up 2>/dev/null || true
stty -F /dev/console -onlcr 2>/dev/null || true

if [[ -f $control/job.sh ]]; then
  cd /
  bash "$control/job.sh" </dev/null >/dev/console 2>&1
  echo $? >"$control/rc"
else
  echo "emulated PC: no job in $control" >/dev/console
fi
sync
# A job may leave /proc unmounted (debootstrap's second stage does).
mountpoint -q /proc || mount -t proc proc /proc
echo o >/proc/sysrq-trigger
sleep 60
