// Uncompressed Windows BMP files: BITMAPFILEHEADER, a 40-byte
// BITMAPINFOHEADER (BI_RGB), an optional colour table and bottom-up rows
// padded to four bytes.
#pragma once

#include "byte_buffer.h"
#include "colour_ramp.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

constexpr std::size_t kBmpFileHeaderSize = 14;
constexpr std::size_t kBmpInfoHeaderSize = 40;

// An 8-bit picture: a full 256-entry colour table and one index a pixel.
struct IndexedBitmap {
    int width = 0;
    int height = 0;
    std::array<Rgb, 256> colours{};
    std::vector<std::uint8_t> pixels;  // rows top to bottom, width * height
    std::uint32_t colourCountField = 0;  // biClrUsed as written: 0 or 256
};

// A true-colour picture, written at 16 (5-5-5), 24 or 32 bits per pixel.
struct RgbBitmap {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // rows top to bottom, width * height
};

// Bytes in one stored row, padding included.
std::size_t BmpRowStride(int width, int bitsPerPixel);

// Both throw std::invalid_argument for a picture whose size does not match
// its pixels, a bad bit depth or a biClrUsed other than 0 and 256.
ByteBuffer EncodeIndexedBmp(const IndexedBitmap& picture);
// 16 bits keeps the top five bits of each channel (x-R-G-B, 5 each);
// 32 bits stores blue, green, red and a zero byte.
ByteBuffer EncodeRgbBmp(const RgbBitmap& picture, int bitsPerPixel);
