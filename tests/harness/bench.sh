#!/usr/bin/env bash
# `make bench`: the picture display's benchmark on screens of its own, so
# that a picture that fits is drawn 1:1 and the tests' screens stay as they
# are. A 3840 x 2160 Xvfb of 24 bits shows the true-colour pictures, one of
# 8 bits (a palette device) the 8-bit picture; both are stopped at the end.
# Then the picture list over a tree of 100,000 empty files in 1,000 folders,
# made here once (<build>/bench/list-tree).
#   bench.sh <build-dir> [--list]      --list: the picture list only
# Prints the benchmark's tables, the worst ratio of load+draw to the floor
# over both screens, then the list's figures.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:-build}" && pwd) || exit 1
list_only=0
[[ ${2:-} == --list ]] && list_only=1
export VRX_BUILD="$build" VRX_PROFILE=bench VRX_SCREEN=3840x2160
program="$build/tests/bin/picture_display_bench.exe"
list_program="$build/tests/bin/picture_list_bench.exe"
for p in "$program" "$list_program"; do
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

mkdir -p "$build/bench"
if [[ $list_only -eq 1 ]]; then
  bench_list
  exit
fi
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
    exit 1
  fi
  ratio=$(sed -n 's/^worst load+draw\/floor: *//p' "$out" | tr -d '\r')
  if [[ -z $ratio ]]; then
    echo "the benchmark gave no ratio on the $d-bit screen" >&2
    exit 1
  fi
  worst=$(awk -v a="${worst:-0}" -v b="$ratio" 'BEGIN { print (b > a ? b : a) }')
done
echo
echo "worst load+draw/floor: $worst"
bench_list
