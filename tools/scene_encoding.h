// Turning a drawn scene into BMP bytes at a chosen bit depth.
#pragma once

#include "bmp_writer.h"
#include "canvas.h"

// Palette entries an 8-bit picture for the saver may use for its own
// colours: the saver takes only these from a picture's colour table.
constexpr int kPictureFirstEntry = 10;
constexpr int kPictureLastEntry = 235;

// The scene as an 8-bit picture whose ramps fill entries first..last; the
// rest of the table holds the static colours (see palette.h).
IndexedBitmap ToIndexedBitmap(const Scene& scene, int firstEntry, int lastEntry);

// The scene in full colour.
RgbBitmap ToRgbBitmap(const Scene& scene);

// Rounds every colour to 5 bits a channel with a 4 x 4 ordered dither, so a
// 16-bit gradient shows no steps. Channels that are multiples of 8 are kept.
void DitherTo555(RgbBitmap& picture);

// BMP bytes at 8 (entries kPictureFirstEntry..kPictureLastEntry), 16
// (dithered), 24 or 32 bits per pixel.
ByteBuffer EncodeScene(const Scene& scene, int bitsPerPixel, std::uint32_t colourCountField = 0);
