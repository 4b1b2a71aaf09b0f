#!/usr/bin/env bash
# Builds the bitmap copy fuzzer natively (clang, libFuzzer, AddressSanitizer
# and UndefinedBehaviorSanitizer) and runs it for a bounded time on a seed
# corpus of the generated sample pictures.
#   run-fuzz.sh <build-dir> [seconds]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
build=$(cd "${1:-build}" && pwd)
seconds=${2:-30}
out="$build/fuzz"
mkdir -p "$out/corpus" "$out/crashes"

clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$source_dir/saver" "$source_dir/saver/bitmap_layout.cpp" "$here/bitmap_layout_fuzz.cpp" \
  -o "$out/bitmap_layout_fuzz"

# Seeds: the heads of the sample pictures and of ImageMagick's (the fuzzer
# mutates the header fields; whole large files would only slow it down), and
# a few whole small ones.
seeds="$out/seeds"
rm -rf "$seeds"
mkdir -p "$seeds"
for f in "$build"/samples/*.bmp "$build"/tests/imagemagick/*.bmp; do
  [[ -f "$f" ]] || continue
  name=$(basename "$f" .bmp)
  head -c 4096 "$f" >"$seeds/$name.head"
done
for f in "$build"/samples/solid_320x200_8.bmp "$build"/samples/quadrants_320x200_16.bmp; do
  [[ -f "$f" ]] && cp "$f" "$seeds/"
done

cd "$out"
./bitmap_layout_fuzz -max_total_time="$seconds" -max_len=300000 -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$out/crashes/" -print_final_stats=1 corpus "$seeds" 2>&1 | tail -n 25
