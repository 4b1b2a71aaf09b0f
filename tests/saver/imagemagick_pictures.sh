#!/usr/bin/env bash
# Writes the pictures of the header tests with this machine's ImageMagick:
# one 61 x 37 scene in ImageMagick's default BMP form (BITMAPV5HEADER) and in
# its BMP3 form (40-byte header), at 8 bits (uncompressed), 16 bits (5-6-5
# and 5-5-5), 24 and 32 bits. BMP3 24-bit is the reference the tests compare with.
#   imagemagick_pictures.sh <output-dir>
set -euo pipefail
out=$1
mkdir -p "$out"
scene="$out/scene.png"
# A vertical ramp in which every channel changes, and blocks of mixed colours:
# fewer than 256 colours, so the 8-bit forms hold it exactly.
convert -size 37x61 gradient:'#F08020-#2070E0' -rotate 90 \
  -fill '#FFFF00' -draw 'rectangle 4,4 14,11' \
  -fill '#808080' -draw 'rectangle 20,6 33,16' \
  -fill '#008080' -draw 'rectangle 38,20 52,30' \
  -fill '#C040A0' -draw 'rectangle 6,24 17,33' \
  -fill white -draw 'point 60,0' -fill black -draw 'point 0,36' \
  +repage -alpha off "$scene"

for form in BMP BMP3; do
  lower=$(echo "$form" | tr 'A-Z' 'a-z')
  convert "$scene" -type palette -compress none "$form:$out/${lower}_8.bmp"
  convert "$scene" -define bmp:subtype=RGB565 "$form:$out/${lower}_16_565.bmp"
  convert "$scene" -define bmp:subtype=RGB555 "$form:$out/${lower}_16_555.bmp"
  convert "$scene" -type truecolor "$form:$out/${lower}_24.bmp"
  convert "$scene" -alpha on -define bmp3:alpha=true "$form:$out/${lower}_32.bmp"
done
rm -f "$scene"
