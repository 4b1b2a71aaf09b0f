#!/usr/bin/env bash
# Writes the photos of the prepared-picture tests with this machine's
# ImageMagick and exiftool (perl for the few forms neither writes).
#   photo_pictures.sh <output-dir>
set -euo pipefail
out=$1
mkdir -p "$out"
work="$out/.work"
rm -rf "$work"
mkdir -p "$work"

# The scene: four solid quadrants whose places tell which way up it is shown,
# red top-left, green top-right, blue bottom-left, white bottom-right; wider
# than high, so that a quarter turn shows in the size too.
scene="$work/scene.png"
convert -size 64x48 xc:'#FF0000' \
  -fill '#00FF00' -draw 'rectangle 32,0 63,23' \
  -fill '#0000FF' -draw 'rectangle 0,24 31,47' \
  -fill '#FFFFFF' -draw 'rectangle 32,24 63,47' \
  +repage -alpha off -type truecolor "$scene"
# A second frame and page, all yellow, that must never be shown.
yellow="$work/yellow.png"
convert -size 64x48 xc:'#FFFF00' -type truecolor "$yellow"

convert "$scene" -quality 95 -interlace none "$out/scene_baseline.jpg"
convert "$scene" -quality 95 -interlace plane "$out/scene_progressive.jpg"
convert "$scene" -compress none "$out/scene.tif"
cp "$scene" "$out/scene.png"
# Two frames and two pages: the first is the scene.
convert "$scene" "$yellow" -loop 0 "$out/scene_two_frames.gif"
convert "$scene" "$yellow" -compress none "$out/scene_two_pages.tif"

# Alpha: red opaque, green at half coverage, blue transparent, white opaque;
# over black that is red, half green, black and white.
convert "$scene" -alpha on \
  -channel A -fx '(i>=32 && j<24) ? 128/255 : ((i<32 && j>=24) ? 0 : 1)' +channel \
  "PNG32:$out/scene_alpha.png"

# Bitmaps the saver's own path does not draw: run-length coded, 1 and 4 bits,
# top-down rows.
convert "$scene" -type palette -compress RLE "BMP3:$out/scene_rle8.bmp"
convert "$scene" -type palette -colors 16 -compress none "BMP3:$work/scene_4.bmp"
cp "$work/scene_4.bmp" "$out/scene_4bit.bmp"
# One bit: black top-left and bottom-right, white elsewhere.
convert -size 64x48 xc:white -fill black -draw 'rectangle 0,0 31,23' -draw 'rectangle 32,24 63,47' \
  -type bilevel "BMP3:$out/checker_1bit.bmp"
convert "$scene" -type truecolor "BMP3:$work/scene_24.bmp"
perl - "$work/scene_4.bmp" "$out/scene_rle4.bmp" "$work/scene_24.bmp" "$out/scene_topdown.bmp" <<'PERL'
use strict;
my ($four, $rle4, $bottomUp, $topDown) = @ARGV;
sub slurp { open my $f, '<:raw', $_[0] or die "$_[0]: $!"; local $/; my $d = <$f>; close $f; $d }
sub spit { open my $f, '>:raw', $_[0] or die "$_[0]: $!"; print $f $_[1]; close $f }

# RLE4 from the 4-bit bitmap: each row opens with four pixels in absolute
# mode, then runs of one index, at most 255 pixels each.
my $d = slurp($four);
my ($offset) = unpack 'V', substr($d, 10, 4);
my ($width, $height) = unpack 'l<l<', substr($d, 18, 8);
my $rowBytes = int(($width * 4 + 31) / 32) * 4;
my $coded = '';
for my $row (0 .. $height - 1) {
    my $bytes = substr($d, $offset + $row * $rowBytes, $rowBytes);
    my @px = map { my $b = ord(substr($bytes, $_ >> 1, 1)); ($_ & 1) ? $b & 15 : $b >> 4 } 0 .. $width - 1;
    $coded .= pack('C4', 0, 4, ($px[0] << 4) | $px[1], ($px[2] << 4) | $px[3]);
    my $x = 4;
    while ($x < $width) {
        my $n = 1;
        $n++ while $x + $n < $width && $px[$x + $n] == $px[$x] && $n < 255;
        $coded .= pack('C2', $n, ($px[$x] << 4) | $px[$x]);
        $x += $n;
    }
    $coded .= pack('C2', 0, 0);
}
$coded .= pack('C2', 0, 1);
my $head = substr($d, 0, $offset);
substr($head, 30, 4) = pack('V', 2);
substr($head, 34, 4) = pack('V', length $coded);
substr($head, 2, 4) = pack('V', $offset + length $coded);
spit($rle4, $head . $coded);

# Top-down rows from the 24-bit bitmap: the rows reversed, the height negated.
$d = slurp($bottomUp);
($offset) = unpack 'V', substr($d, 10, 4);
($width, $height) = unpack 'l<l<', substr($d, 18, 8);
$rowBytes = int(($width * 24 + 31) / 32) * 4;
my $rows = join '', reverse map { substr($d, $offset + $_ * $rowBytes, $rowBytes) } 0 .. $height - 1;
my $head24 = substr($d, 0, $offset);
substr($head24, 22, 4) = pack('l<', -$height);
spit($topDown, $head24 . $rows);
PERL

# The eight EXIF orientations: each file stores the scene turned so that the
# orientation it is tagged with brings it back upright.
stored_turn=(x "" "-flop" "-rotate 180" "-flip" "-transpose" "-rotate 270" "-transverse" "-rotate 90")
for n in 1 2 3 4 5 6 7 8; do
  # shellcheck disable=SC2086
  convert "$scene" ${stored_turn[$n]} +repage "$work/stored_$n.png"
  convert "$work/stored_$n.png" -quality 95 -interlace none "$out/orientation_$n.jpg"
  convert "$work/stored_$n.png" -compress none "$out/orientation_$n.tif"
  exiftool -q -overwrite_original "-Orientation#=$n" "$out/orientation_$n.jpg" "$out/orientation_$n.tif"
done

# Alternating one-pixel black and white columns, for the averaging reduction.
convert -size 2x256 xc:black -fill white -draw 'line 1,0 1,255' -write mpr:pair +delete \
  -size 1280x256 tile:mpr:pair -type grayscale "$out/stripes_1280x256.png"
# Black left half, white right half, for the smooth enlargement.
convert -size 8x8 xc:black -fill white -draw 'rectangle 4,0 7,7' -type grayscale "$out/edge_8x8.png"

# Files that cannot be read: a JPEG cut in half, a PNG whose compressed data
# is overwritten, an empty file, text under a picture's name.
size=$(stat -c %s "$out/scene_baseline.jpg")
head -c $((size / 2)) "$out/scene_baseline.jpg" >"$out/truncated.jpg"
cp "$out/scene.png" "$out/corrupt.png"
idat=$(grep -obUa IDAT "$out/corrupt.png" | head -n 1 | cut -d: -f1)
printf '\xde\xad\xbe\xef\xde\xad\xbe\xef\xde\xad\xbe\xef\xde\xad\xbe\xef' |
  dd of="$out/corrupt.png" bs=1 seek=$((idat + 6)) conv=notrunc status=none
: >"$out/empty.jpg"
echo "These are not the pixels you are looking for." >"$out/text.png"

# 20000 x 20000 black pixels: 1.6 GB at four bytes a pixel, a few tens of
# kilobytes as a 1-bit PNG (beyond what ImageMagick's policy lets it write).
perl - "$out/huge_20000x20000.png" <<'PERL'
use strict;
use Compress::Zlib;
my ($path) = @ARGV;
my ($w, $h) = (20000, 20000);
sub chunk { my ($type, $data) = @_; pack('N', length $data) . $type . $data . pack('N', crc32($type . $data)) }
my ($z) = deflateInit(-Level => 9) or die;
my $row = "\0" x (1 + $w / 8);
my $idat = '';
for (1 .. $h) { my ($o) = $z->deflate($row); $idat .= $o }
my ($o) = $z->flush(); $idat .= $o;
open my $f, '>:raw', $path or die "$path: $!";
print $f "\x89PNG\r\n\x1a\n", chunk('IHDR', pack('NNC5', $w, $h, 1, 0, 0, 0, 0)), chunk('IDAT', $idat), chunk('IEND', '');
close $f;
PERL

rm -rf "$work"
