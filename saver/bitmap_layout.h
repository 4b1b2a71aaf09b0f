// Where the parts of a mapped bitmap file lie and what may be copied from
// them: pure arithmetic on the file's bytes, with no Windows header needed.
#pragma once

#include <stddef.h>
#include <stdint.h>

// File offsets of the fields the saver reads.
#define BMP_OFFSET_PIXEL_START 10  // bfOffBits
#define BMP_OFFSET_INFO 14         // the info header: BITMAPINFOHEADER or one of its later forms

// The BITMAPINFO block handed to CreateDIBSection: the info header as the
// file has it, then the colour masks that follow a 40-byte header, then the
// colour table. It is 1064 bytes (a 40-byte header and 256 colour slots of 4
// bytes) unless a larger header, its masks and its table need more.
#define BMP_INFO_BLOCK_BYTES 1064
#define BMP_INFO_HEADER_BYTES 40
#define BMP_COLOUR_SLOTS 256

// What a picture file is, as far as the saver is concerned.
enum PictureVerdict {
    PICTURE_DRAWABLE = 0,       // header understood, every byte it needs inside the file
    PICTURE_UNSUPPORTED = 1,    // header size, bit count, compression or size the saver does not draw
    PICTURE_TRUNCATED = 2,      // header understood, but its table or pixels run past the end of the file
};

struct PictureLayout {
    PictureVerdict verdict;
    int32_t width;         // biWidth
    int32_t height;        // biHeight as stored: negative for a top-down picture
    uint32_t rows;         // |biHeight|
    uint16_t bitCount;     // biBitCount
    uint32_t pixelOffset;  // bfOffBits
    uint32_t rowBytes;     // one row with its padding to 4 bytes
    uint32_t pixelBytes;   // rows × rowBytes: what is copied into the DIB section
    uint32_t headerBytes;  // biSize: 40, 52, 56, 108 (BITMAPV4HEADER) or 124 (BITMAPV5HEADER)
    uint32_t tableOffset;  // where the colour table starts in the info block
    uint32_t infoBytes;    // size of the info block, BMP_INFO_BLOCK_BYTES at least
    bool masksMissing;     // bit fields after a 40-byte header where the pixels already begin
};

// Works out from the file's own bytes what the saver copies and from where.
// Nothing outside file[0, fileSize) is read.
PictureLayout PlanPictureCopy(const unsigned char* file, size_t fileSize);

// Fills the info block (layout.infoBytes long) from offset 14 of the file,
// bytes past the end of the file taken as zero, ready for CreateDIBSection:
// a colour profile named by a V4 or V5 header is dropped for plain sRGB, and
// bit fields whose masks are missing become the bit count's default layout.
void CopyBitmapInfoBlock(const unsigned char* file, size_t fileSize, const PictureLayout& layout,
                         unsigned char* block);

// True when the planned pixel copy fits a DIB section of sectionBytes bytes.
bool PixelCopyFits(const PictureLayout& layout, size_t sectionBytes);

// Little-endian reads from a byte block (the caller keeps them inside it).
uint16_t ReadLittle16(const unsigned char* bytes);
uint32_t ReadLittle32(const unsigned char* bytes);
