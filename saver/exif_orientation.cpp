// The EXIF orientation and the stored size of a photo, read from its bytes
// with every offset and count checked against what was really read.
#include "exif_orientation.h"

#include <stdlib.h>
#include <string.h>

namespace {

// JPEG segments are walked up to the first scan, at most this many, and an
// APP1 block is at most 64 KB by its 16-bit length.
const int kMostJpegSegments = 256;
// Fill bytes (0xFF before a marker) are allowed this many in a whole walk, so
// that a file of fill bytes cannot make every segment read them one by one.
const int kMostFillBytes = 64;
// A TIFF directory holds far fewer entries than this in practice.
const unsigned kMostDirectoryEntries = 1024;

uint16_t Big16(const uint8_t* p)
{
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

uint32_t Big32(const uint8_t* p)
{
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | p[3];
}

uint16_t Little16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t Little32(const uint8_t* p)
{
    return p[0] | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

bool ReadExactly(ReadPictureBytesProc read, void* context, uint64_t offset, void* buffer, size_t size)
{
    return read(context, offset, buffer, size) == size;
}

// Bytes of a TIFF structure in memory, read like a file.
struct MemoryBlock {
    const uint8_t* data;
    size_t size;
};

size_t ReadFromBlock(void* context, uint64_t offset, void* buffer, size_t size)
{
    const MemoryBlock* block = static_cast<const MemoryBlock*>(context);
    if (offset >= block->size)
        return 0;
    size_t available = block->size - static_cast<size_t>(offset);
    size_t count = size < available ? size : available;
    memcpy(buffer, block->data + offset, count);
    return count;
}

// Tag 0x0112 of the first directory of the TIFF structure that starts at
// base, or 0.
int TiffOrientation(ReadPictureBytesProc read, void* context, uint64_t base)
{
    uint8_t header[8];
    if (!ReadExactly(read, context, base, header, sizeof header))
        return 0;
    bool big;
    if (header[0] == 'I' && header[1] == 'I' && Little16(header + 2) == 42)
        big = false;
    else if (header[0] == 'M' && header[1] == 'M' && Big16(header + 2) == 42)
        big = true;
    else
        return 0;
    uint32_t directory = big ? Big32(header + 4) : Little32(header + 4);
    uint8_t countBytes[2];
    if (directory < 8 || !ReadExactly(read, context, base + directory, countBytes, 2))
        return 0;
    unsigned count = big ? Big16(countBytes) : Little16(countBytes);
    if (count > kMostDirectoryEntries)
        count = kMostDirectoryEntries;
    uint8_t entry[12];
    for (unsigned n = 0; n < count; ++n) {
        if (!ReadExactly(read, context, base + directory + 2 + 12ull * n, entry, sizeof entry))
            return 0;
        uint16_t tag = big ? Big16(entry) : Little16(entry);
        if (tag != 0x0112)
            continue;
        uint16_t type = big ? Big16(entry + 2) : Little16(entry + 2);
        uint32_t values = big ? Big32(entry + 4) : Little32(entry + 4);
        if (type != 3 || values < 1)  // one SHORT, held in the entry itself
            return 0;
        uint16_t value = big ? Big16(entry + 8) : Little16(entry + 8);
        return value >= 1 && value <= 8 ? value : 0;
    }
    return 0;
}

// One JPEG segment: its marker, and where and how long its payload is.
struct JpegSegment {
    uint8_t marker;
    uint64_t payload;
    uint32_t length;
};

// The segment at *offset (fill bytes skipped, taken from *fillLeft), moving
// *offset past it. False at a scan, the image's end, or bytes that are not a
// segment.
bool NextJpegSegment(ReadPictureBytesProc read, void* context, uint64_t* offset, int* fillLeft, JpegSegment* segment)
{
    uint8_t bytes[4];
    for (;; --*fillLeft) {
        if (*fillLeft < 0 || !ReadExactly(read, context, *offset, bytes, 2) || bytes[0] != 0xFF)
            return false;
        if (bytes[1] != 0xFF)
            break;
        *offset += 1;
    }
    segment->marker = bytes[1];
    if (segment->marker == 0xD8 || segment->marker == 0x01 || (segment->marker >= 0xD0 && segment->marker <= 0xD7)) {
        segment->payload = *offset + 2;
        segment->length = 0;
        *offset += 2;
        return true;
    }
    if (segment->marker == 0xDA || segment->marker == 0xD9)
        return false;
    if (!ReadExactly(read, context, *offset, bytes, 4))
        return false;
    uint16_t length = Big16(bytes + 2);
    if (length < 2)
        return false;
    segment->payload = *offset + 4;
    segment->length = length - 2u;
    *offset += 2u + length;
    return true;
}

bool IsJpeg(const uint8_t* head, size_t got)
{
    return got >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF;
}

bool IsTiff(const uint8_t* head, size_t got)
{
    return got >= 4 && ((head[0] == 'I' && head[1] == 'I' && head[2] == 42 && head[3] == 0) ||
                        (head[0] == 'M' && head[1] == 'M' && head[2] == 0 && head[3] == 42));
}

int JpegOrientation(ReadPictureBytesProc read, void* context)
{
    uint64_t offset = 2;
    int fillLeft = kMostFillBytes;
    JpegSegment segment;
    uint8_t* block = NULL;
    int orientation = 0;
    for (int n = 0; n < kMostJpegSegments && !orientation; ++n) {
        if (!NextJpegSegment(read, context, &offset, &fillLeft, &segment))
            break;
        if (segment.marker != 0xE1 || segment.length < 6 + 8)
            continue;
        if (!block && !(block = static_cast<uint8_t*>(malloc(0x10000))))
            break;
        if (!ReadExactly(read, context, segment.payload, block, segment.length))
            break;
        if (memcmp(block, "Exif\0\0", 6) == 0)
            orientation = TiffBlockOrientation(block + 6, segment.length - 6);
    }
    free(block);
    return orientation;
}

}  // namespace

int TiffBlockOrientation(const uint8_t* tiff, size_t size)
{
    MemoryBlock block = {tiff, size};
    return TiffOrientation(ReadFromBlock, &block, 0);
}

int ReadExifOrientation(ReadPictureBytesProc read, void* context)
{
    uint8_t head[4];
    size_t got = read(context, 0, head, sizeof head);
    int orientation = 0;
    if (IsJpeg(head, got))
        orientation = JpegOrientation(read, context);
    else if (IsTiff(head, got))
        orientation = TiffOrientation(read, context, 0);
    return orientation ? orientation : EXIF_UPRIGHT;
}

StoredPictureHead ReadStoredPictureHead(ReadPictureBytesProc read, void* context)
{
    StoredPictureHead result = {STORED_UNKNOWN, 0, 0};
    uint8_t head[32];
    size_t got = read(context, 0, head, sizeof head);
    if (IsJpeg(head, got)) {
        result.format = STORED_JPEG;
        uint64_t offset = 2;
        int fillLeft = kMostFillBytes;
        JpegSegment segment;
        for (int n = 0; n < kMostJpegSegments; ++n) {
            if (!NextJpegSegment(read, context, &offset, &fillLeft, &segment))
                break;
            // Frame headers: C0-CF but for C4 (tables), C8 (reserved) and CC.
            uint8_t m = segment.marker;
            if (m < 0xC0 || m > 0xCF || m == 0xC4 || m == 0xC8 || m == 0xCC)
                continue;
            uint8_t frame[5];
            if (segment.length >= 5 && ReadExactly(read, context, segment.payload, frame, 5)) {
                result.height = Big16(frame + 1);
                result.width = Big16(frame + 3);
            }
            break;
        }
    } else if (got >= 24 && memcmp(head, "\x89PNG\r\n\x1a\n", 8) == 0) {
        result.format = STORED_PNG;
        if (memcmp(head + 12, "IHDR", 4) == 0) {
            result.width = Big32(head + 16);
            result.height = Big32(head + 20);
        }
    } else if (got >= 10 && (memcmp(head, "GIF87a", 6) == 0 || memcmp(head, "GIF89a", 6) == 0)) {
        result.format = STORED_GIF;
        result.width = Little16(head + 6);
        result.height = Little16(head + 8);
    } else if (got >= 26 && head[0] == 'B' && head[1] == 'M') {
        result.format = STORED_BMP;
        uint32_t header = Little32(head + 14);
        if (header == 12) {
            result.width = Little16(head + 18);
            result.height = Little16(head + 20);
        } else if (header >= 40) {
            int32_t width = static_cast<int32_t>(Little32(head + 18));
            int32_t height = static_cast<int32_t>(Little32(head + 22));
            if (width > 0 && height != 0 && height != INT32_MIN) {
                result.width = static_cast<uint32_t>(width);
                result.height = static_cast<uint32_t>(height < 0 ? -height : height);
            }
        }
    } else if (IsTiff(head, got)) {
        result.format = STORED_TIFF;
    }
    if (result.width == 0 || result.height == 0)
        result.width = result.height = 0;
    return result;
}
