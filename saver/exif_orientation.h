// What a photo file's own bytes say before a decoder sees them: the EXIF
// orientation of a JPEG (its APP1 "Exif" block) or a TIFF (tag 0x0112 of its
// first directory), and the stored size of the common formats. Byte parsing
// only, bounded in what it reads, for any bytes whatever.
#pragma once

#include <stddef.h>
#include <stdint.h>

// Reads up to size bytes at offset into buffer and returns how many it read
// (fewer at the file's end or on an error).
typedef size_t (*ReadPictureBytesProc)(void* context, uint64_t offset, void* buffer, size_t size);

// EXIF's eight orientations: how the stored rows are turned to be upright.
enum ExifOrientation {
    EXIF_UPRIGHT = 1,           // as stored
    EXIF_MIRRORED = 2,          // mirrored left to right
    EXIF_UPSIDE_DOWN = 3,       // turned half a turn
    EXIF_FLIPPED = 4,           // mirrored top to bottom
    EXIF_TRANSPOSED = 5,        // rows become columns, first row the left column
    EXIF_TURN_CLOCKWISE = 6,    // shown turned a quarter clockwise
    EXIF_TRANSVERSE = 7,        // rows become columns, first row the right column, bottom up
    EXIF_TURN_ANTICLOCKWISE = 8 // shown turned a quarter anticlockwise
};

// The orientation a JPEG or TIFF file asks for; EXIF_UPRIGHT when it is
// neither, has none, or holds a value outside 1..8.
int ReadExifOrientation(ReadPictureBytesProc read, void* context);

// The orientation in a TIFF structure held in memory (a JPEG's APP1 block
// after its "Exif\0\0"), or 0 when it holds none.
int TiffBlockOrientation(const uint8_t* tiff, size_t size);

enum StoredFormat {
    STORED_UNKNOWN = 0,
    STORED_JPEG,
    STORED_PNG,
    STORED_GIF,
    STORED_BMP,
    STORED_TIFF
};

struct StoredPictureHead {
    int format;       // a StoredFormat, told by the file's signature
    uint32_t width;   // the stored size, 0 x 0 when the head does not say
    uint32_t height;  // (a TIFF's, or a JPEG without its frame header)
};

// The format and stored size from the file's first bytes: PNG's IHDR, GIF's
// logical screen, a bitmap's header, a JPEG's frame header (SOFn).
StoredPictureHead ReadStoredPictureHead(ReadPictureBytesProc read, void* context);
