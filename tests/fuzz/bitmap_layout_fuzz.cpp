// libFuzzer target for the picture copy arithmetic: whatever the bytes, the
// planned copy stays inside the file and inside a section sized the way GDI
// sizes it, and the info block is read only from the file and holds what the
// palette reads of it.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "bitmap_layout.h"

namespace {

// Bytes of a DIB section for the header, computed apart from the plan.
uint64_t SectionBytesFor(const unsigned char* block)
{
    int32_t width = static_cast<int32_t>(ReadLittle32(block + 4));
    int32_t height = static_cast<int32_t>(ReadLittle32(block + 8));
    uint16_t bits = ReadLittle16(block + 14);
    if (width <= 0 || height == 0)
        return 0;
    uint64_t rows = height < 0 ? 0 - static_cast<int64_t>(height) : height;
    return (static_cast<uint64_t>(width) * bits + 31) / 32 * 4 * rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // An exact-size copy, so that AddressSanitizer sees any read past the end.
    unsigned char* file = static_cast<unsigned char*>(malloc(size ? size : 1));
    if (size)
        memcpy(file, data, size);

    PictureLayout layout = PlanPictureCopy(file, size);
    if (layout.infoBytes < BMP_INFO_BLOCK_BYTES || layout.infoBytes > 124 + 12 + 4 * 256)
        abort();
    // An exact-size block too: the palette's reads must stay inside it.
    unsigned char* block = static_cast<unsigned char*>(malloc(layout.infoBytes));
    CopyBitmapInfoBlock(file, size, layout, block);

    if (layout.verdict == PICTURE_DRAWABLE) {
        if (static_cast<uint64_t>(layout.pixelOffset) + layout.pixelBytes > size)
            abort();
        if (layout.width <= 0 || layout.rows == 0 || layout.rowBytes % 4 != 0)
            abort();
        uint32_t header = ReadLittle32(block);
        if (header != 40 && header != 52 && header != 56 && header != 108 && header != 124)
            abort();
        if (layout.tableOffset < header || 14 + static_cast<uint64_t>(layout.tableOffset) > size)
            abort();
        uint64_t section = SectionBytesFor(block);
        if (section != layout.pixelBytes || !PixelCopyFits(layout, static_cast<size_t>(section)))
            abort();
        // The copy the saver makes, into a buffer of exactly the section's size.
        unsigned char* bits = static_cast<unsigned char*>(malloc(layout.pixelBytes ? layout.pixelBytes : 1));
        memcpy(bits, file + layout.pixelOffset, layout.pixelBytes);
        free(bits);
        if (layout.bitCount == 8) {
            // The palette reads colour-table entries 10-235 from the block.
            unsigned sum = 0;
            for (int n = 10; n <= 235; ++n)
                sum += block[layout.tableOffset + 4 * n + 3];
            (void)sum;
        }
    } else if (PixelCopyFits(layout, SIZE_MAX)) {
        abort();
    }
    free(block);
    free(file);
    return 0;
}
