#!/usr/bin/env bash
# Boots the emulated 32-bit PC once, runs the job its control directory holds
# and returns the job's exit status; the machine's console is printed as it
# comes. Host directories are shared by 9p at the same paths in the guest.
#
#   boot.sh [--keep-disk] <image-dir> <control-dir> [host-dir...]
#
# <control-dir>/job.sh is the job (bash, run as root in the guest); the guest
# writes its exit status to <control-dir>/rc. Without --keep-disk the disk's
# changes are thrown away at the end (each boot starts from the same image).
# Exit status: the job's, or 125 when the machine never finished the job
# (it did not boot, crashed or ran out of time; the console's end says why).
#
#   VRX_EMULATED_PC_ACCEL    tcg (default, any machine) or kvm
#   VRX_EMULATED_PC_TIMEOUT  seconds before the machine is stopped (3600)
#   VRX_EMULATED_PC_NICE     its niceness (15)
set -uo pipefail

keep_disk=false
if [[ ${1:-} == --keep-disk ]]; then
  keep_disk=true
  shift
fi
if [[ $# -lt 2 ]]; then
  echo "usage: boot.sh [--keep-disk] <image-dir> <control-dir> [host-dir...]" >&2
  exit 2
fi
image=$(cd "$1" && pwd) || exit 125
control=$(cd "$2" && pwd) || exit 125
shift 2

say() { echo "[emulated-pc] $*" >&2; }

for f in vmlinuz initrd.gz disk.img; do
  [[ -f $image/$f ]] || { say "the image $image lacks $f"; exit 125; }
done
[[ -f $control/job.sh ]] || { say "no job in $control"; exit 125; }
command -v qemu-system-x86_64 >/dev/null || { say "qemu-system-x86_64 is not installed (make deps)"; exit 125; }

shares="control:/run/vrx-control"
virtfs=(-virtfs "local,path=$control,mount_tag=control,security_model=none,id=control")
n=0
for dir in "$@"; do
  dir=$(cd "$dir" && pwd) || exit 125
  if [[ $dir == *[[:space:],:]* ]]; then
    say "cannot share $dir: its path holds a blank, a comma or a colon"
    exit 125
  fi
  virtfs+=(-virtfs "local,path=$dir,mount_tag=share$n,security_model=none,id=share$n")
  shares+=",share$n:$dir"
  n=$((n + 1))
done

case ${VRX_EMULATED_PC_ACCEL:-tcg} in
  # Wine faults in a TCG guest whose CPU has SMAP (qemu 7.2).
  tcg) machine=(-accel tcg,thread=multi -cpu max,-smap) ;;
  kvm) machine=(-accel kvm -cpu host) ;;
  *) say "VRX_EMULATED_PC_ACCEL must be tcg or kvm"; exit 2 ;;
esac
drive="file=$image/disk.img,format=raw,if=virtio,cache=unsafe"
$keep_disk || drive+=",snapshot=on"

rm -f "$control/rc"
console="$control/console.log"
: >"$console"
# TCG keeps both cores busy: the machine runs at a low priority.
nice -n "${VRX_EMULATED_PC_NICE:-15}" timeout "${VRX_EMULATED_PC_TIMEOUT:-3600}" \
  qemu-system-x86_64 "${machine[@]}" -smp 2 -m 3G \
  -display none -vga none -monitor none -nic none -no-reboot \
  -serial "file:$console" \
  -kernel "$image/vmlinuz" -initrd "$image/initrd.gz" \
  -append "console=ttyS0 quiet loglevel=3 panic=-1 vrx.shares=$shares" \
  -drive "$drive" "${virtfs[@]}" \
  </dev/null >"$control/qemu.log" 2>&1 &
qemu=$!
trap 'kill $qemu 2>/dev/null' EXIT
trap 'exit 130' INT TERM
tail -n +1 --pid=$qemu -f "$console" | sed -u 's/\r$//'
wait $qemu
status=$?
trap - EXIT

if [[ ! -s $control/rc ]]; then
  if [[ $status -eq 124 ]]; then
    say "the emulated PC was stopped after ${VRX_EMULATED_PC_TIMEOUT:-3600} s without finishing its job"
  else
    say "the emulated PC stopped without finishing its job"
  fi
  [[ -s $control/qemu.log ]] && sed 's/^/    /' "$control/qemu.log" >&2
  exit 125
fi
exit "$(cat "$control/rc")"
