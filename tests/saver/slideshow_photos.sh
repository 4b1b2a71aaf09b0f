#!/usr/bin/env bash
# Writes the photos of the photo slideshow tests with this machine's
# ImageMagick and exiftool: a wide picture for the letterbox, a portrait
# photo stored on its side, stripes for the averaging, solid colours for the
# order, and a large picture that takes a while to decode.
#   slideshow_photos.sh <output-dir>
set -euo pipefail
out=$1
mkdir -p "$out"

# Red left half, blue right half; 1280 x 480 is twice the test screen's width.
convert -size 640x480 xc:'#FF0000' -size 640x480 xc:'#0000FF' +append -type truecolor "$out/wide_1280x480.png"

# Upright it is 1200 x 1600, red above blue; stored turned a quarter to the
# left (1600 x 1200) with the EXIF orientation 6 that turns it back.
convert -size 1200x800 xc:'#FF0000' -size 1200x800 xc:'#0000FF' -append -rotate 270 +repage \
  -quality 92 "$out/portrait_exif6.jpg"
exiftool -q -overwrite_original '-Orientation#=6' "$out/portrait_exif6.jpg"

# Alternating one-pixel black and white columns, four times the test screen.
convert -size 2x1920 xc:black -fill white -draw 'line 1,0 1,1919' -write mpr:pair +delete \
  -size 2560x1920 tile:mpr:pair -type grayscale "$out/stripes_2560x1920.png"

# Five small pictures of distinct colours.
colours=(FF0000 00FF00 0000FF FFFF00 FF00FF)
for i in 0 1 2 3 4; do
  convert -size 32x32 "xc:#${colours[$i]}" -type truecolor "$out/solid_$i.png"
done

# 8000 x 6000 (48 megapixels) of gradient: small on disk, long to decode.
convert -size 8000x6000 gradient:"#203040-#C0D0E0" "$out/large_8000x6000.png"
