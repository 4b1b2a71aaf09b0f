#!/usr/bin/env bash
# Tells which of the builds the tests, the demo and the benchmark run on this
# machine:
#   x86           the 32-bit programs (the product) under 32-bit Wine, in build/;
#   x64           the x86_64 programs under wine64 in a 64-bit prefix, in build/x64/;
#   x64+x86-emulated  as x64, and `make test` also starts the 32-bit programs
#                 (their process and end-to-end tests) in an emulated 32-bit PC;
#   x86-emulated  the whole 32-bit suite in the emulated PC (the host tools'
#                 tests natively); the demo and the benchmark as x64.
# x86 wherever the machine can start a 32-bit x86 program; some kernels
# refuse them all (no IA-32 emulation), and there 32-bit Wine cannot start:
# x64. VRX_TEST_ARCH=x86, x64, x64+x86-emulated or x86-emulated makes the
# choice instead; VRX_HOST_REFUSES_X86=1 makes this machine count as one that refuses
# 32-bit programs (to try that path where they run).
#
#   host-arch.sh             prints the choice
#   host-arch.sh --describe  prints one line saying which suite runs and why
#   host-arch.sh --can-run-x86   exit status 0 when 32-bit programs start here
set -uo pipefail

# Starts a 96-byte static i386 ELF program that only calls exit(42). It needs
# no 32-bit library, so it answers before anything 32-bit is installed.
can_run_x86() {
  local dir probe
  if [[ -n ${VRX_HOST_REFUSES_X86:-} ]]; then
    refusal="VRX_HOST_REFUSES_X86 counts it as refused"
    rc=126
    return 1
  fi
  # In the build directory, which is known to allow running programs (a
  # temporary directory may be mounted noexec).
  dir=${VRX_BUILD:-$(dirname "${BASH_SOURCE[0]}")/../../build}
  mkdir -p "$dir" && probe=$(mktemp "$dir/x86-probe.XXXXXX") || return 1
  local elf='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'
  elf+='\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'
  elf+='\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00'
  elf+='\x00\x00\x00\x00'
  # One loadable segment: the whole file at 0x08048000, readable, executable.
  elf+='\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'
  elf+='\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'
  # mov ebx, 42; mov eax, 1 (exit); int 0x80
  elf+='\xbb\x2a\x00\x00\x00\xb8\x01\x00\x00\x00\xcd\x80'
  printf "$elf" >"$probe"
  chmod +x "$probe"
  refusal=$( ("$probe") 2>&1 >/dev/null)
  rc=$?
  rm -f "$probe"
  refusal=${refusal##*: }
  [[ $rc -eq 42 ]]
}

choose() {
  case "${VRX_TEST_ARCH:-}" in
    x64)
      arch=x64
      why="VRX_TEST_ARCH=x64 asks for it"
      ;;
    x86)
      arch=x86
      why="VRX_TEST_ARCH=x86 asks for it"
      ;;
    x86-emulated | x64+x86-emulated)
      arch=$VRX_TEST_ARCH
      why="VRX_TEST_ARCH=$VRX_TEST_ARCH asks for it"
      ;;
    "")
      # The emulated PC's part is not chosen by itself yet: in it a process
      # test takes some 25 s, so the 131 of them would not fit a CI run.
      if can_run_x86; then
        arch=x86
        why="this machine starts 32-bit x86 programs"
      else
        arch=x64
        why="this machine cannot start 32-bit x86 programs (${refusal:-exit status $rc}), so 32-bit Wine cannot run on it (VRX_TEST_ARCH=x64+x86-emulated adds the 32-bit programs' process and end-to-end tests in an emulated 32-bit PC)"
      fi
      ;;
    *)
      echo "VRX_TEST_ARCH must be x86, x64, x64+x86-emulated or x86-emulated, not '$VRX_TEST_ARCH'" >&2
      exit 2
      ;;
  esac
}

case "${1:-}" in
  --can-run-x86)
    can_run_x86
    exit
    ;;
  --describe)
    choose
    case $arch in
      x86) echo "Architecture: the 32-bit (i686) programs under 32-bit Wine: $why." ;;
      x64) echo "Architecture: the 64-bit (x86_64) programs under wine64 in a 64-bit prefix: $why." ;;
      x64+x86-emulated)
        echo "Architecture: the 64-bit (x86_64) programs under wine64 in a 64-bit prefix, and the 32-bit programs" \
          "(the product) started by their process and end-to-end tests in an emulated 32-bit PC: $why."
        ;;
      x86-emulated)
        echo "Architecture: the 32-bit (i686) programs under 32-bit Wine in an emulated 32-bit PC" \
          "(the demo and the benchmark: the 64-bit programs): $why."
        ;;
    esac
    ;;
  "")
    choose
    echo "$arch"
    ;;
  *)
    echo "usage: host-arch.sh [--describe | --can-run-x86]" >&2
    exit 2
    ;;
esac
