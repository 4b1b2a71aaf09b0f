// Where the parts of a mapped bitmap file lie and what may be copied from
// them: pure arithmetic on the file's bytes, with no Windows header needed.
#pragma once

#include <stddef.h>
#include <stdint.h>

// File offsets of the fields the saver reads.
#define BMP_OFFSET_PIXEL_START 10  // bfOffBits
#define BMP_OFFSET_INFO 14         // the BITMAPINFOHEADER

// The BITMAPINFO block handed to CreateDIBSection: the 40-byte header and
// 256 colour-table slots of 4 bytes, copied from the file as they stand.
#define BMP_INFO_BLOCK_BYTES 1064
#define BMP_INFO_HEADER_BYTES 40
#define BMP_COLOUR_SLOTS 256

// What a picture file is, as far as the saver is concerned.
enum PictureVerdict {
    PICTURE_DRAWABLE = 0,       // header understood, every pixel byte inside the file
    PICTURE_UNSUPPORTED = 1,    // header size, bit count, compression or size the saver does not draw
    PICTURE_TRUNCATED = 2,      // header understood, but the pixel array runs past the end of the file
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
};

// Copies the BITMAPINFO block out of a file of fileSize bytes: the 1064 bytes
// from offset 14, bytes past the end of the file taken as zero.
void CopyBitmapInfoBlock(const unsigned char* file, size_t fileSize, unsigned char block[BMP_INFO_BLOCK_BYTES]);

// Works out from the file's own bytes what the saver copies and from where.
// Nothing outside file[0, fileSize) is read.
PictureLayout PlanPictureCopy(const unsigned char* file, size_t fileSize);

// True when the planned pixel copy fits a DIB section of sectionBytes bytes.
bool PixelCopyFits(const PictureLayout& layout, size_t sectionBytes);

// Little-endian reads from a byte block (the caller keeps them inside it).
uint16_t ReadLittle16(const unsigned char* bytes);
uint32_t ReadLittle32(const unsigned char* bytes);
