// The arithmetic of a picture copy: which bytes of a mapped bitmap file form
// its header, masks, colour table and pixels, checked against the file's
// size in 64 bits.
#include "bitmap_layout.h"

#include <string.h>

namespace {

// Info header field offsets, the same in every form from 40 bytes up.
const size_t kSizeField = 0;
const size_t kWidthField = 4;
const size_t kHeightField = 8;
const size_t kBitCountField = 14;
const size_t kCompressionField = 16;
const size_t kColoursUsedField = 32;
// Fields of BITMAPV4HEADER and BITMAPV5HEADER.
const size_t kColourSpaceField = 56;
const size_t kProfileDataField = 112;
const size_t kProfileSizeField = 116;

const uint32_t kCompressionNone = 0;       // BI_RGB
const uint32_t kCompressionBitFields = 3;  // BI_BITFIELDS: red, green and blue masks
const uint32_t kMaskBytes = 12;            // the three masks after a 40-byte header

const uint32_t kSrgb = 0x73524742;            // LCS_sRGB
const uint32_t kProfileLinked = 0x4C494E4B;   // PROFILE_LINKED: a profile file named in the bitmap
const uint32_t kProfileEmbedded = 0x4D424544; // PROFILE_EMBEDDED: a profile inside the bitmap file

bool IsKnownBitCount(uint16_t bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// BITMAPINFOHEADER, the two Adobe forms with masks inside the header (52 and
// 56 bytes), BITMAPV4HEADER and BITMAPV5HEADER.
bool IsKnownHeaderSize(uint32_t bytes)
{
    return bytes == 40 || bytes == 52 || bytes == 56 || bytes == 108 || bytes == 124;
}

// Reads of the file that take bytes past its end as zero.
uint32_t FileLittle32(const unsigned char* file, size_t fileSize, size_t at)
{
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        if (at + i < fileSize)
            value |= static_cast<uint32_t>(file[at + i]) << (8 * i);
    return value;
}

uint16_t FileLittle16(const unsigned char* file, size_t fileSize, size_t at)
{
    return static_cast<uint16_t>(FileLittle32(file, fileSize, at) & 0xFFFF);
}

void WriteLittle32(unsigned char* bytes, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<unsigned char>(value >> (8 * i));
}

// Header, masks and colour table: how large the block must be, and how much
// of it must come from the file. An 8-bit picture's block always holds 256
// slots, since its palette reads entries 10-235 whatever the table's length.
bool PlanInfoBlock(const unsigned char* file, size_t fileSize, PictureLayout& layout)
{
    uint32_t compression = FileLittle32(file, fileSize, BMP_OFFSET_INFO + kCompressionField);
    uint32_t maskBytes = 0;
    if (compression == kCompressionBitFields) {
        if (layout.bitCount != 16 && layout.bitCount != 32)
            return false;
        // Larger headers hold the masks themselves; after a 40-byte one they
        // follow it, unless the pixels begin there already.
        if (layout.headerBytes == BMP_INFO_HEADER_BYTES) {
            uint64_t masksEnd = BMP_OFFSET_INFO + BMP_INFO_HEADER_BYTES + kMaskBytes;
            if (layout.pixelOffset < masksEnd)
                layout.masksMissing = true;
            else
                maskBytes = kMaskBytes;
        }
    } else if (compression != kCompressionNone) {
        return false;
    }

    uint64_t colours = FileLittle32(file, fileSize, BMP_OFFSET_INFO + kColoursUsedField);
    if (layout.bitCount <= 8) {
        uint64_t most = 1u << layout.bitCount;
        if (colours == 0)
            colours = most;
        if (colours > most)
            return false;
    } else if (colours > BMP_COLOUR_SLOTS) {
        return false;
    }
    uint64_t slots = layout.bitCount == 8 ? BMP_COLOUR_SLOTS : colours;
    layout.tableOffset = layout.headerBytes + maskBytes;
    uint64_t needed = layout.tableOffset + 4 * slots;
    layout.infoBytes = static_cast<uint32_t>(needed > BMP_INFO_BLOCK_BYTES ? needed : BMP_INFO_BLOCK_BYTES);
    if (BMP_OFFSET_INFO + layout.tableOffset + 4 * colours > fileSize)
        layout.verdict = PICTURE_TRUNCATED;
    return true;
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

PictureLayout PlanPictureCopy(const unsigned char* file, size_t fileSize)
{
    PictureLayout layout;
    memset(&layout, 0, sizeof layout);
    layout.verdict = PICTURE_UNSUPPORTED;
    layout.infoBytes = BMP_INFO_BLOCK_BYTES;
    layout.tableOffset = BMP_INFO_HEADER_BYTES;

    layout.headerBytes = FileLittle32(file, fileSize, BMP_OFFSET_INFO + kSizeField);
    layout.width = static_cast<int32_t>(FileLittle32(file, fileSize, BMP_OFFSET_INFO + kWidthField));
    layout.height = static_cast<int32_t>(FileLittle32(file, fileSize, BMP_OFFSET_INFO + kHeightField));
    layout.bitCount = FileLittle16(file, fileSize, BMP_OFFSET_INFO + kBitCountField);
    layout.pixelOffset = FileLittle32(file, fileSize, BMP_OFFSET_PIXEL_START);

    if (!IsKnownHeaderSize(layout.headerBytes) || !IsKnownBitCount(layout.bitCount))
        return layout;
    if (layout.width <= 0 || layout.height == 0)
        return layout;
    layout.verdict = PICTURE_DRAWABLE;
    if (!PlanInfoBlock(file, fileSize, layout)) {
        layout.verdict = PICTURE_UNSUPPORTED;
        return layout;
    }

    uint64_t rows = layout.height < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(layout.height))
                                      : static_cast<uint64_t>(layout.height);
    uint64_t rowBytes = (static_cast<uint64_t>(layout.width) * layout.bitCount + 31) / 32 * 4;
    uint64_t pixelBytes = rowBytes * rows;  // both below 2^35: no overflow in 64 bits
    if (rows > 0xFFFFFFFFu || rowBytes > 0xFFFFFFFFu || pixelBytes > 0xFFFFFFFFu) {
        layout.verdict = PICTURE_UNSUPPORTED;
        return layout;
    }
    layout.rows = static_cast<uint32_t>(rows);
    layout.rowBytes = static_cast<uint32_t>(rowBytes);
    layout.pixelBytes = static_cast<uint32_t>(pixelBytes);

    uint64_t end = static_cast<uint64_t>(layout.pixelOffset) + pixelBytes;
    if (end > fileSize)
        layout.verdict = PICTURE_TRUNCATED;
    return layout;
}

void CopyBitmapInfoBlock(const unsigned char* file, size_t fileSize, const PictureLayout& layout,
                         unsigned char* block)
{
    size_t blockBytes = layout.infoBytes;
    memset(block, 0, blockBytes);
    if (fileSize > BMP_OFFSET_INFO) {
        size_t available = fileSize - BMP_OFFSET_INFO;
        memcpy(block, file + BMP_OFFSET_INFO, available < blockBytes ? available : blockBytes);
    }
    if (layout.headerBytes >= 108) {
        uint32_t space = ReadLittle32(block + kColourSpaceField);
        if (space == kProfileLinked || space == kProfileEmbedded)
            WriteLittle32(block + kColourSpaceField, kSrgb);
        if (layout.headerBytes >= 124) {
            WriteLittle32(block + kProfileDataField, 0);
            WriteLittle32(block + kProfileSizeField, 0);
        }
    }
    if (layout.masksMissing)
        WriteLittle32(block + kCompressionField, kCompressionNone);
}

bool PixelCopyFits(const PictureLayout& layout, size_t sectionBytes)
{
    return layout.verdict == PICTURE_DRAWABLE && layout.pixelBytes <= sectionBytes;
}
