// libFuzzer target for the photo head reader: whatever the bytes, the
// orientation is one of EXIF's eight, the stored size is whole or absent,
// every read stays inside the file, and the reading stays bounded.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "exif_orientation.h"

namespace {

struct Bytes {
    const uint8_t* data;
    size_t size;
    unsigned reads;
};

size_t ReadBytes(void* context, uint64_t offset, void* buffer, size_t size)
{
    Bytes* bytes = static_cast<Bytes*>(context);
    if (++bytes->reads > 4000)
        abort();
    if (offset >= bytes->size)
        return 0;
    size_t count = bytes->size - static_cast<size_t>(offset) < size ? bytes->size - static_cast<size_t>(offset) : size;
    memcpy(buffer, bytes->data + offset, count);
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // An exact-size copy, so that AddressSanitizer sees any read past the end.
    uint8_t* file = static_cast<uint8_t*>(malloc(size ? size : 1));
    if (size)
        memcpy(file, data, size);

    Bytes bytes = {file, size, 0};
    int orientation = ReadExifOrientation(ReadBytes, &bytes);
    if (orientation < 1 || orientation > 8)
        abort();
    bytes.reads = 0;
    StoredPictureHead head = ReadStoredPictureHead(ReadBytes, &bytes);
    if (head.format < STORED_UNKNOWN || head.format > STORED_TIFF || (head.width == 0) != (head.height == 0))
        abort();
    if (head.format == STORED_UNKNOWN && head.width)
        abort();
    int block = TiffBlockOrientation(file, size);
    if (block < 0 || block > 8)
        abort();
    free(file);
    return 0;
}
