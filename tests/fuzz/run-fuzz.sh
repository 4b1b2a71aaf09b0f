#!/usr/bin/env bash
# Builds the bitmap copy fuzzer and the photo head fuzzer natively (clang,
# libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer) and runs them
# for a bounded time in all (two thirds and one third) on seed corpora of the
# generated sample pictures and test photos.
#   run-fuzz.sh <build-dir> [seconds]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
build=$(cd "${1:-build}" && pwd)
seconds=${2:-30}
head_seconds=$((seconds / 3))
bitmap_seconds=$((seconds - head_seconds))
out="$build/fuzz"
mkdir -p "$out/corpus" "$out/crashes" "$out/head_corpus"

clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$source_dir/saver" "$source_dir/saver/bitmap_layout.cpp" "$here/bitmap_layout_fuzz.cpp" \
  -o "$out/bitmap_layout_fuzz"
clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$source_dir/saver" "$source_dir/saver/exif_orientation.cpp" "$here/exif_orientation_fuzz.cpp" \
  -o "$out/exif_orientation_fuzz"

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

# The photo head fuzzer's seeds: the test photos in every format, whole (they
# are small), and the heads of the larger ones.
head_seeds="$out/head_seeds"
rm -rf "$head_seeds"
mkdir -p "$head_seeds"
for f in "$build"/tests/photos/*; do
  [[ -f "$f" ]] || continue
  head -c 8192 "$f" >"$head_seeds/$(basename "$f")"
done

cd "$out"
./exif_orientation_fuzz -max_total_time="$head_seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$out/crashes/" -print_final_stats=1 head_corpus "$head_seeds" 2>&1 | tail -n 12
./bitmap_layout_fuzz -max_total_time="$bitmap_seconds" -max_len=300000 -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$out/crashes/" -print_final_stats=1 corpus "$seeds" 2>&1 | tail -n 25
