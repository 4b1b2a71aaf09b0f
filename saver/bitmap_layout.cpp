// The arithmetic of a picture copy: which bytes of a mapped bitmap file form
// its header and pixels, checked against the file's size in 64 bits.
#include "bitmap_layout.h"

#include <string.h>

namespace {

// BITMAPINFOHEADER field offsets inside the info block.
const size_t kSizeField = 0;
const size_t kWidthField = 4;
const size_t kHeightField = 8;
const size_t kBitCountField = 14;
const size_t kCompressionField = 16;
const size_t kColoursUsedField = 32;

const uint32_t kCompressionNone = 0;       // BI_RGB
const uint32_t kCompressionBitFields = 3;  // BI_BITFIELDS: three masks follow the header

bool IsKnownBitCount(uint16_t bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// The header must describe something CreateDIBSection reads entirely from
// inside the 1064-byte block: a plain 40-byte header, an uncompressed or
// bit-field layout, and a colour table that fits the 256 slots.
bool HeaderFitsBlock(const unsigned char* block, uint16_t bits)
{
    if (ReadLittle32(block + kSizeField) != BMP_INFO_HEADER_BYTES)
        return false;
    uint32_t compression = ReadLittle32(block + kCompressionField);
    uint64_t masks = 0;
    if (compression == kCompressionBitFields) {
        if (bits != 16 && bits != 32)
            return false;
        masks = 3;
    } else if (compression != kCompressionNone) {
        return false;
    }
    uint64_t colours = ReadLittle32(block + kColoursUsedField);
    if (bits <= 8) {
        uint64_t most = 1u << bits;
        if (colours == 0)
            colours = most;
        if (colours > most)
            return false;
    }
    return BMP_INFO_HEADER_BYTES + 4 * (masks + colours) <= BMP_INFO_BLOCK_BYTES;
}

}  // namespace

uint16_t ReadLittle16(const unsigned char* bytes)
{
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

uint32_t ReadLittle32(const unsigned char* bytes)
{
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

void CopyBitmapInfoBlock(const unsigned char* file, size_t fileSize, unsigned char block[BMP_INFO_BLOCK_BYTES])
{
    memset(block, 0, BMP_INFO_BLOCK_BYTES);
    if (fileSize <= BMP_OFFSET_INFO)
        return;
    size_t available = fileSize - BMP_OFFSET_INFO;
    memcpy(block, file + BMP_OFFSET_INFO, available < BMP_INFO_BLOCK_BYTES ? available : BMP_INFO_BLOCK_BYTES);
}

PictureLayout PlanPictureCopy(const unsigned char* file, size_t fileSize)
{
    PictureLayout layout;
    memset(&layout, 0, sizeof layout);
    layout.verdict = PICTURE_UNSUPPORTED;

    unsigned char block[BMP_INFO_BLOCK_BYTES];
    CopyBitmapInfoBlock(file, fileSize, block);
    layout.width = static_cast<int32_t>(ReadLittle32(block + kWidthField));
    layout.height = static_cast<int32_t>(ReadLittle32(block + kHeightField));
    layout.bitCount = ReadLittle16(block + kBitCountField);
    if (fileSize >= BMP_OFFSET_PIXEL_START + 4)
        layout.pixelOffset = ReadLittle32(file + BMP_OFFSET_PIXEL_START);

    if (!IsKnownBitCount(layout.bitCount) || !HeaderFitsBlock(block, layout.bitCount))
        return layout;
    if (layout.width <= 0 || layout.height == 0)
        return layout;

    uint64_t rows = layout.height < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(layout.height))
                                      : static_cast<uint64_t>(layout.height);
    uint64_t rowBytes = (static_cast<uint64_t>(layout.width) * layout.bitCount + 31) / 32 * 4;
    uint64_t pixelBytes = rowBytes * rows;  // both below 2^35: no overflow in 64 bits
    if (rows > 0xFFFFFFFFu || rowBytes > 0xFFFFFFFFu || pixelBytes > 0xFFFFFFFFu)
        return layout;
    layout.rows = static_cast<uint32_t>(rows);
    layout.rowBytes = static_cast<uint32_t>(rowBytes);
    layout.pixelBytes = static_cast<uint32_t>(pixelBytes);

    uint64_t end = static_cast<uint64_t>(layout.pixelOffset) + pixelBytes;
    layout.verdict = end <= fileSize ? PICTURE_DRAWABLE : PICTURE_TRUNCATED;
    return layout;
}

bool PixelCopyFits(const PictureLayout& layout, size_t sectionBytes)
{
    return layout.verdict == PICTURE_DRAWABLE && layout.pixelBytes <= sectionBytes;
}
