#!/usr/bin/env bash
# `make bench`: the figures of the picture paths on screens of their own, so
# that a picture that fits is drawn 1:1 and the tests' screens stay as they
# are:
#   display    the bitmap display on a 3840 x 2160 Xvfb of 24 bits (the
#              true-colour pictures) and one of 8 bits (a palette device, the
#              8-bit picture), ending with the worst ratio of load+draw to the
#              floor over both;
#   crossfade  the crossfade's frames on the 24-bit screen, with the X
#              server's own CPU time for them, which the program's figures
#              leave out;
#   list       the picture list over a tree of 100,000 empty files in 1,000
#              folders, made here once (<build>/bench/list-tree);
#   photo      the photo path on a 1920 x 1080 screen of 24 bits, ending with
#              its three ratio lines.
#   bench.sh <build-dir> [display|crossfade|list|photo]   one part, or all in that order
# Every screen it starts is stopped at the end.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:-build}" && pwd) || exit 1
only=${2:-}
export VRX_BUILD="$build" VRX_PROFILE=bench VRX_SCREEN=3840x2160
program="$build/tests/bin/picture_display_bench.exe"
crossfade="$build/tests/bin/crossfade_bench.exe"
list_program="$build/tests/bin/picture_list_bench.exe"
photo_program="$build/tests/bin/photo_bench.exe"
for p in "$program" "$crossfade" "$list_program" "$photo_program"; do
  if [[ ! -f $p ]]; then
    echo "no $p: build it first (make bench)" >&2
    exit 1
  fi
done
depths=(24 8)

screen() {
  export VRX_DEPTH=$1
  # shellcheck source=wine-env.sh
  source "$here/wine-env.sh"
}
stop_all() {
  local d
  for d in "${depths[@]}"; do
    ( screen "$d"; vrx_stop_wine )
  done
  ( export VRX_SCREEN=1920x1080 VRX_PROFILE=bench-photo; screen 24; vrx_stop_wine )
}
trap stop_all EXIT
trap 'exit 130' INT TERM

list_files=100000 list_folders=1000
list_tree="$build/bench/list-tree"

# 100 files a folder, named like a camera's; remade when incomplete.
make_list_tree() {
  local stamp="$list_tree.done" d i names
  [[ -f $stamp ]] && return 0
  rm -rf "$list_tree"
  mkdir -p "$list_tree" || return 1
  for ((d = 0; d < list_folders; d++)); do
    mkdir "$list_tree/$(printf 'folder%04d' "$d")" || return 1
    names=()
    for ((i = 0; i < list_files / list_folders; i++)); do
      names+=("$(printf 'IMG_%04d_%03d.jpg' "$d" "$i")")
    done
    (cd "$list_tree/$(printf 'folder%04d' "$d")" && touch "${names[@]}") || return 1
  done
  touch "$stamp"
}

bench_list() {
  echo
  make_list_tree || { echo "cannot make the list's tree in $list_tree" >&2; return 1; }
  # Wine's drive Z: is the root of the Unix file system.
  local tree="Z:${list_tree//\//\\}" out="$build/bench/list.txt"
  ( screen "${depths[0]}" && vrx_ensure_wine || exit 125
    wine "$list_program" "$tree" "$list_files" "$list_folders" >"$out" 2>"$out.stderr" )
  local rc=$?
  tr -d '\r' <"$out"
  cat "$out.stderr" >&2 2>/dev/null
  if [[ $rc -ne 0 ]]; then
    echo "the list's benchmark failed (exit status $rc)" >&2
    return 1
  fi
}

bench_display() {
  worst=""
  for d in "${depths[@]}"; do
    out="$build/bench/screen-$d.txt"
    ( screen "$d" && vrx_ensure_wine || exit 125
      wine "$program" >"$out" 2>"$out.stderr" )
    rc=$?
    [[ $d == "${depths[0]}" ]] || echo
    grep -v '^worst load+draw/floor:' "$out" 2>/dev/null
    cat "$out.stderr" >&2 2>/dev/null
    if [[ $rc -ne 0 ]]; then
      echo "the benchmark failed on the $d-bit screen (exit status $rc)" >&2
      return 1
    fi
    ratio=$(sed -n 's/^worst load+draw\/floor: *//p' "$out" | tr -d '\r')
    if [[ -z $ratio ]]; then
      echo "the benchmark gave no ratio on the $d-bit screen" >&2
      return 1
    fi
    worst=$(awk -v a="${worst:-0}" -v b="$ratio" 'BEGIN { print (b > a ? b : a) }')
  done
  echo
  echo "worst load+draw/floor: $worst"
}

# CPU seconds of a process so far, from its /proc stat (utime + stime).
cpu_ticks() {
  awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0
}

bench_crossfade() {
  echo
  out="$build/bench/crossfade.txt"
  ( screen "${depths[0]}" && vrx_ensure_wine || exit 125
    server=$(cat "$VRX_STATE/xvfb.pid")
    before=$(cpu_ticks "$server")
    wine "$crossfade" >"$out" 2>"$out.stderr"
    rc=$?
    after=$(cpu_ticks "$server")
    frames=$(sed -n 's/^frames drawn: *//p' "$out" | tr -d '\r')
    hz=$(getconf CLK_TCK)
    awk -v t=$((after - before)) -v hz="$hz" -v n="${frames:-0}" 'BEGIN {
      if (n > 0) printf "X server CPU for those frames: %.0f ms in all, %.1f ms per frame\n", 1000 * t / hz, 1000 * t / hz / n }' >>"$out"
    exit $rc )
  rc=$?
  cat "$out" 2>/dev/null
  cat "$out.stderr" >&2 2>/dev/null
  if [[ $rc -ne 0 ]]; then
    echo "the crossfade benchmark failed (exit status $rc)" >&2
    return 1
  fi
}

bench_photo() {
  # The photo path on a 1920 x 1080 screen of 24 bits, on photos that
  # ImageMagick and exiftool write once into the build.
  photos="$build/bench/photos"
  if [[ ! -f $photos/done ]]; then
    mkdir -p "$photos"
    convert -size 1500x1000 plasma:fractal -blur 0x1 -resize 6000x4000! -attenuate 0.3 +noise Gaussian \
      -quality 90 "$photos/photo_6000x4000_q90.jpg" &&
    convert "$photos/photo_6000x4000_q90.jpg" -resize 4032x3024! -rotate 270 -quality 92 \
      "$photos/photo_4032x3024_orientation6.jpg" &&
    exiftool -q -overwrite_original '-Orientation#=6' "$photos/photo_4032x3024_orientation6.jpg" &&
    convert "$photos/photo_6000x4000_q90.jpg" -resize 3000x2000! "$photos/photo_3000x2000.png" &&
    mkdir -p "$photos/input-first" "$photos/input-second" &&
    convert -size 64x64 xc:'#0000FF' "$photos/input-first/small.png" &&
    convert -size 8000x6000 gradient:'#203040-#C0D0E0' "$photos/input-second/large.png" &&
    touch "$photos/done" || { echo "cannot write the benchmark's photos" >&2; return 1; }
  fi
  echo
  ( export VRX_SCREEN=1920x1080 VRX_PROFILE=bench-photo; screen 24 && vrx_ensure_wine || exit 125
    wine "$photo_program" "$(winepath -w "$photos")" \
      "$(winepath -w "$build/samples/rings_1920x1080_24.bmp")" \
      "$(winepath -w "$build/dist/pictures/VRXSaver.scr")" 2>"$build/bench/photo.stderr" ) ||
    { cat "$build/bench/photo.stderr" >&2; echo "the photo benchmark failed" >&2; return 1; }
}

mkdir -p "$build/bench"
case $only in
  "") bench_display && echo && bench_crossfade && bench_list && bench_photo ;;
  display | crossfade | list | photo) "bench_$only" ;;
  *) echo "unknown part: $only" >&2; exit 2 ;;
esac
