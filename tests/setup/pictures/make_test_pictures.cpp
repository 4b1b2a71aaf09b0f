// make_test_pictures <directory>: writes the bitmap files of the picture-object
// tests. Each file is a 14-byte file header followed by exactly the bytes the
// resource is to hold, damaged ones included: the resource compiler copies
// what follows the file header as it is.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "test_pictures.h"

using namespace testpictures;

namespace {

typedef std::vector<unsigned char> Bytes;

void Put16(Bytes& b, unsigned v)
{
    b.push_back((unsigned char)(v & 255));
    b.push_back((unsigned char)((v >> 8) & 255));
}

void Put32(Bytes& b, uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

struct Header {
    uint32_t size = 40;
    int32_t width = 0;
    int32_t height = 0;
    unsigned bitCount = 8;
    uint32_t compression = 0;
    uint32_t sizeImage = 0;
    uint32_t clrUsed = 0;
};

void PutHeader(Bytes& b, const Header& h)
{
    Put32(b, h.size);
    Put32(b, (uint32_t)h.width);
    Put32(b, (uint32_t)h.height);
    Put16(b, 1);
    Put16(b, h.bitCount);
    Put32(b, h.compression);
    Put32(b, h.sizeImage);
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, h.clrUsed);
    Put32(b, 0);
}

void PutTable(Bytes& b, int count, Rgb (*colour)(int))
{
    for (int i = 0; i < count; i++) {
        Rgb c = colour(i);
        b.push_back(c.b);
        b.push_back(c.g);
        b.push_back(c.r);
        b.push_back(0);
    }
}

// 8-bit rows, padded to 4 bytes; bottom-up unless topDown.
void PutPixels(Bytes& b, int width, int height, bool topDown, int (*index)(int, int))
{
    int row = (width + 3) & ~3;
    for (int r = 0; r < height; r++) {
        int y = topDown ? r : height - 1 - r;
        for (int x = 0; x < row; x++)
            b.push_back(x < width ? (unsigned char)index(x, y) : 0);
    }
}

Rgb GridTable(int i) { return GridColour(i); }
Rgb SixteenTable(int i) { return SixteenColour(i); }
Rgb NearTable(int i) { return NearColour(i); }
Rgb GreyTable(int i) { return Rgb{(unsigned char)i, (unsigned char)i, (unsigned char)i}; }

bool Write(const std::string& directory, const char* name, const Bytes& resource)
{
    Bytes file;
    file.push_back('B');
    file.push_back('M');
    Put32(file, (uint32_t)(resource.size() + 14));
    Put32(file, 0);
    Put32(file, 14 + 40);
    file.insert(file.end(), resource.begin(), resource.end());
    std::string path = directory + "/" + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::perror(path.c_str());
        return false;
    }
    bool ok = std::fwrite(file.data(), 1, file.size(), f) == file.size();
    ok = std::fclose(f) == 0 && ok;
    if (!ok)
        std::perror(path.c_str());
    return ok;
}

Bytes Picture(int width, int height, uint32_t clrUsed, uint32_t sizeImage, Rgb (*colour)(int), int (*index)(int, int),
              bool topDown = false)
{
    Header h;
    h.width = width;
    h.height = topDown ? -height : height;
    h.clrUsed = clrUsed;
    h.sizeImage = sizeImage;
    Bytes b;
    PutHeader(b, h);
    PutTable(b, clrUsed ? (int)clrUsed : 256, colour);
    PutPixels(b, width, height, topDown, index);
    return b;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_test_pictures <directory>\n");
        return 2;
    }
    std::string dir = argv[1];
    bool ok = true;

    ok &= Write(dir, "grid.bmp", Picture(kGridWidth, kGridHeight, 0, kGridWidth * kGridHeight, GridTable, GridIndex));
    ok &= Write(dir, "sixteen.bmp", Picture(kSixteenWidth, kSixteenHeight, kSixteenColours, 0, SixteenTable, SixteenIndex));
    ok &= Write(dir, "near.bmp", Picture(kNearWidth, kNearHeight, kNearColours, 0, NearTable, NearIndex));
    ok &= Write(dir, "small.bmp", Picture(kSmallSide, kSmallSide, 256, 0, GridTable, SmallIndex));
    ok &= Write(dir, "top_down.bmp", Picture(kSmallSide, kSmallSide, 256, 0, GridTable, SmallIndex, true));

    Bytes tooMany = Picture(4, 4, 300, 0, GreyTable, SmallIndex);
    ok &= Write(dir, "too_many_colours.bmp", tooMany);
    Bytes colours257 = Picture(4, 4, 257, 0, GreyTable, SmallIndex);
    ok &= Write(dir, "257_colours.bmp", colours257);

    ok &= Write(dir, "oversized_image.bmp", Picture(kSmallSide, kSmallSide, 0, 1000000, GridTable, SmallIndex));

    Bytes truncated = Picture(kSmallSide, kSmallSide, 0, 0, GridTable, SmallIndex);
    truncated.resize(40 + 1024 + 100);
    ok &= Write(dir, "truncated.bmp", truncated);

    Header four;
    four.width = 16;
    four.height = 16;
    four.bitCount = 4;
    four.clrUsed = 16;
    Bytes fourBit;
    PutHeader(fourBit, four);
    PutTable(fourBit, 16, GreyTable);
    fourBit.resize(fourBit.size() + 8 * 16, 0x12);
    ok &= Write(dir, "four_bit.bmp", fourBit);

    Header rle;
    rle.width = 16;
    rle.height = 16;
    rle.compression = 1;  // BI_RLE8
    rle.sizeImage = 4;
    Bytes rle8;
    PutHeader(rle8, rle);
    PutTable(rle8, 256, GridTable);
    rle8.resize(rle8.size() + 256, 0);  // room for the plain size, so only the compression is wrong
    ok &= Write(dir, "rle8.bmp", rle8);

    Bytes huge = Picture(kSmallSide, kSmallSide, 0, 0, GridTable, SmallIndex);
    huge[0] = 0;
    huge[1] = 0;
    huge[2] = 1;  // biSize 65,536
    ok &= Write(dir, "huge_header.bmp", huge);

    Bytes shortTable = Picture(kSmallSide, kSmallSide, 0, 0, GridTable, SmallIndex);
    shortTable.resize(40 + 100);
    ok &= Write(dir, "short_table.bmp", shortTable);

    Bytes zeroWidth = Picture(kSmallSide, kSmallSide, 0, 0, GridTable, SmallIndex);
    zeroWidth[4] = zeroWidth[5] = zeroWidth[6] = zeroWidth[7] = 0;
    ok &= Write(dir, "zero_width.bmp", zeroWidth);

    return ok ? 0 : 1;
}
