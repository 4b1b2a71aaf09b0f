// Encoding of 8-, 16-, 24- and 32-bit BI_RGB bitmaps.
#include "bmp_writer.h"

#include <stdexcept>

namespace {

constexpr std::uint32_t kBiRgb = 0;
// Keeps header arithmetic well inside 32 bits.
constexpr int kMaxSide = 16384;

void CheckSize(int width, int height, std::size_t pixelCount)
{
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        throw std::invalid_argument("bitmap size out of range");
    if (pixelCount != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        throw std::invalid_argument("bitmap pixel count does not match its size");
}

void PutHeaders(ByteBuffer& out, int width, int height, int bitsPerPixel,
                std::uint32_t colourTableEntries, std::uint32_t colourCountField)
{
    std::uint32_t imageSize =
        static_cast<std::uint32_t>(BmpRowStride(width, bitsPerPixel) * static_cast<std::size_t>(height));
    std::uint32_t offBits = static_cast<std::uint32_t>(kBmpFileHeaderSize + kBmpInfoHeaderSize) +
                            colourTableEntries * 4;
    out.reserve(offBits + imageSize);

    out.push_back('B');
    out.push_back('M');
    PutU32(out, offBits + imageSize);  // bfSize
    PutU16(out, 0);                    // bfReserved1
    PutU16(out, 0);                    // bfReserved2
    PutU32(out, offBits);

    PutU32(out, kBmpInfoHeaderSize);
    PutU32(out, static_cast<std::uint32_t>(width));
    PutU32(out, static_cast<std::uint32_t>(height));  // positive: bottom-up
    PutU16(out, 1);                                    // biPlanes
    PutU16(out, static_cast<std::uint32_t>(bitsPerPixel));
    PutU32(out, kBiRgb);
    PutU32(out, imageSize);
    PutU32(out, 0);  // biXPelsPerMeter
    PutU32(out, 0);  // biYPelsPerMeter
    PutU32(out, colourCountField);
    PutU32(out, 0);  // biClrImportant
}

void PadRow(ByteBuffer& out, std::size_t rowStart, std::size_t stride)
{
    while (out.size() - rowStart < stride)
        out.push_back(0);
}

}  // namespace

std::size_t BmpRowStride(int width, int bitsPerPixel)
{
    std::size_t bits = static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel);
    return ((bits + 31) / 32) * 4;
}

ByteBuffer EncodeIndexedBmp(const IndexedBitmap& picture)
{
    CheckSize(picture.width, picture.height, picture.pixels.size());
    if (picture.colourCountField != 0 && picture.colourCountField != 256)
        throw std::invalid_argument("an 8-bit bitmap is written with its full colour table");

    ByteBuffer out;
    PutHeaders(out, picture.width, picture.height, 8, 256, picture.colourCountField);
    for (const Rgb& c : picture.colours) {
        out.push_back(c.blue);
        out.push_back(c.green);
        out.push_back(c.red);
        out.push_back(0);
    }
    std::size_t stride = BmpRowStride(picture.width, 8);
    for (int y = picture.height - 1; y >= 0; --y) {
        std::size_t rowStart = out.size();
        const std::uint8_t* row = &picture.pixels[static_cast<std::size_t>(y) * picture.width];
        out.insert(out.end(), row, row + picture.width);
        PadRow(out, rowStart, stride);
    }
    return out;
}

ByteBuffer EncodeRgbBmp(const RgbBitmap& picture, int bitsPerPixel)
{
    if (bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32)
        throw std::invalid_argument("true-colour bitmaps are 16, 24 or 32 bits per pixel");
    CheckSize(picture.width, picture.height, picture.pixels.size());

    ByteBuffer out;
    PutHeaders(out, picture.width, picture.height, bitsPerPixel, 0, 0);
    std::size_t stride = BmpRowStride(picture.width, bitsPerPixel);
    for (int y = picture.height - 1; y >= 0; --y) {
        std::size_t rowStart = out.size();
        const Rgb* row = &picture.pixels[static_cast<std::size_t>(y) * picture.width];
        for (int x = 0; x < picture.width; ++x) {
            const Rgb& c = row[x];
            if (bitsPerPixel == 16) {
                std::uint32_t packed = ((c.red >> 3) << 10) | ((c.green >> 3) << 5) | (c.blue >> 3);
                PutU16(out, packed);
            } else {
                out.push_back(c.blue);
                out.push_back(c.green);
                out.push_back(c.red);
                if (bitsPerPixel == 32)
                    out.push_back(0);
            }
        }
        PadRow(out, rowStart, stride);
    }
    return out;
}
