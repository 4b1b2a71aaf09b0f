// Damaged and hostile bitmap files: what the copy arithmetic makes of them,
// and that the real display survives each one, draws nothing it cannot
// draw safely, and keeps showing good pictures afterwards.
#include <gtest/gtest.h>

#include <stdint.h>

#include <algorithm>

#include <string>
#include <vector>

#include "bitmap_layout.h"
#include "picture_display.h"
#include "picture_test_support.h"
#include "test_support.h"

using namespace vrxtest;
using namespace picturetest;
using namespace VrxSamples;

namespace {

void WINAPI NoPause(DWORD) {}

void Put32(std::vector<BYTE>& file, size_t at, uint32_t value)
{
    if (at + 4 <= file.size())
        for (int i = 0; i < 4; ++i)
            file[at + i] = static_cast<BYTE>(value >> (8 * i));
}

void Put16(std::vector<BYTE>& file, size_t at, unsigned value)
{
    if (at + 2 <= file.size()) {
        file[at] = static_cast<BYTE>(value);
        file[at + 1] = static_cast<BYTE>(value >> 8);
    }
}

std::vector<BYTE> Sample(const char* name)
{
    return ReadFileBytes(SamplePath(name));
}

PictureLayout Plan(const std::vector<BYTE>& file)
{
    return PlanPictureCopy(file.empty() ? nullptr : file.data(), file.size());
}

const char* VerdictName(PictureVerdict verdict)
{
    switch (verdict) {
    case PICTURE_DRAWABLE:
        return "drawable";
    case PICTURE_UNSUPPORTED:
        return "unsupported";
    case PICTURE_TRUNCATED:
        return "truncated";
    }
    return "?";
}

// One damaged variant of a good file and what the saver must make of it.
struct Damage {
    const char* what;
    const char* sample;
    size_t field;  // file offset of the field changed, or the new size with kTruncate
    int width;     // 2 or 4 bytes
    uint32_t value;
    PictureVerdict verdict;
};
const int kTruncate = 0;

const Damage kDamages[] = {
    {"pixel start past the end", "solid_320x200_24.bmp", 10, 4, 200000, PICTURE_TRUNCATED},
    {"pixel start near 4 GiB", "solid_320x200_24.bmp", 10, 4, 0xFFFFFFF0u, PICTURE_TRUNCATED},
    {"width huge", "solid_320x200_24.bmp", 18, 4, 0x7FFFFFFF, PICTURE_UNSUPPORTED},
    {"width zero", "solid_320x200_24.bmp", 18, 4, 0, PICTURE_UNSUPPORTED},
    {"width negative", "solid_320x200_24.bmp", 18, 4, static_cast<uint32_t>(-320), PICTURE_UNSUPPORTED},
    {"height huge", "solid_320x200_24.bmp", 22, 4, 0x7FFFFFFF, PICTURE_UNSUPPORTED},
    {"height zero", "solid_320x200_24.bmp", 22, 4, 0, PICTURE_UNSUPPORTED},
    {"height most negative", "solid_320x200_24.bmp", 22, 4, 0x80000000u, PICTURE_UNSUPPORTED},
    {"height large, byte count inside 32 bits", "solid_320x200_24.bmp", 22, 4, 4000000, PICTURE_TRUNCATED},
    {"height larger than the file", "solid_320x200_24.bmp", 22, 4, 201, PICTURE_TRUNCATED},
    {"row length of 4 GiB", "solid_320x200_32.bmp", 18, 4, 0x40000000, PICTURE_UNSUPPORTED},
    {"byte count past 32 bits", "solid_320x200_32.bmp", 18, 4, 0x01000000, PICTURE_UNSUPPORTED},
    {"bit count 0", "solid_320x200_24.bmp", 28, 2, 0, PICTURE_UNSUPPORTED},
    {"bit count 7", "solid_320x200_24.bmp", 28, 2, 7, PICTURE_UNSUPPORTED},
    {"bit count 64", "solid_320x200_24.bmp", 28, 2, 64, PICTURE_UNSUPPORTED},
    {"bit count 1 over 24-bit pixels", "solid_320x200_24.bmp", 28, 2, 1, PICTURE_DRAWABLE},
    {"bit count 4 over 24-bit pixels", "solid_320x200_24.bmp", 28, 2, 4, PICTURE_DRAWABLE},
    {"header size 0", "solid_320x200_24.bmp", 14, 4, 0, PICTURE_UNSUPPORTED},
    {"header size 12", "solid_320x200_8.bmp", 14, 4, 12, PICTURE_UNSUPPORTED},
    {"header size 64", "solid_320x200_8.bmp", 14, 4, 64, PICTURE_UNSUPPORTED},
    {"header size 124 over a 40-byte header", "solid_320x200_8.bmp", 14, 4, 124, PICTURE_DRAWABLE},
    {"header size garbage", "solid_320x200_24.bmp", 14, 4, 0xDEADBEEFu, PICTURE_UNSUPPORTED},
    {"run-length compression", "solid_320x200_8.bmp", 30, 4, 1, PICTURE_UNSUPPORTED},
    {"compression garbage", "solid_320x200_24.bmp", 30, 4, 0x12345678, PICTURE_UNSUPPORTED},
    {"bit fields on 24 bits", "solid_320x200_24.bmp", 30, 4, 3, PICTURE_UNSUPPORTED},
    {"bit fields on 32 bits, no room for the masks", "solid_320x200_32.bmp", 30, 4, 3, PICTURE_DRAWABLE},
    {"more colours than 8 bits hold", "solid_320x200_8.bmp", 46, 4, 257, PICTURE_UNSUPPORTED},
    {"colour count garbage on 24 bits", "solid_320x200_24.bmp", 46, 4, 0xFFFFFFFFu, PICTURE_UNSUPPORTED},
    {"bit fields with a full colour table", "solid_320x200_32.bmp", 30, 4, 3, PICTURE_DRAWABLE},
    {"cut before the bit count", "solid_320x200_24.bmp", kTruncate, 24, 0, PICTURE_UNSUPPORTED},
    {"cut after the bit count", "solid_320x200_24.bmp", kTruncate, 30, 0, PICTURE_TRUNCATED},
    {"cut after the header", "solid_320x200_24.bmp", kTruncate, 54, 0, PICTURE_TRUNCATED},
    {"cut inside the pixels", "solid_320x200_8.bmp", kTruncate, 40000, 0, PICTURE_TRUNCATED},
    {"one byte short", "solid_320x200_24.bmp", kTruncate, 54 + 192000 - 1, 0, PICTURE_TRUNCATED},
    {"only the signature", "solid_320x200_24.bmp", kTruncate, 2, 0, PICTURE_UNSUPPORTED},
};

std::vector<BYTE> Damaged(const Damage& damage)
{
    std::vector<BYTE> file = Sample(damage.sample);
    if (damage.field == kTruncate) {
        file.resize(static_cast<size_t>(damage.width));
    } else if (damage.width == 2) {
        Put16(file, damage.field, damage.value);
    } else {
        Put32(file, damage.field, damage.value);
    }
    if (std::string(damage.what) == "bit fields with a full colour table")
        Put32(file, 46, 256);
    return file;
}

TEST(BitmapLayout, GoodSamplesOfEveryDepthAreDrawableWithTheirRowLengths)
{
    struct Expected {
        const char* sample;
        uint32_t rowBytes;
        uint32_t pixelOffset;
    } expected[] = {
        {"solid_320x200_8.bmp", 320, 1078},    {"solid_321x200_8.bmp", 324, 1078},
        {"solid_320x200_16.bmp", 640, 54},     {"solid_321x200_24.bmp", 964, 54},
        {"solid_320x200_32.bmp", 1280, 54},    {"rings_641x480_8.bmp", 644, 1078},
        {"starburst_641x480_24.bmp", 1924, 54},
    };
    for (const Expected& e : expected) {
        PictureLayout layout = Plan(Sample(e.sample));
        EXPECT_EQ(PICTURE_DRAWABLE, layout.verdict) << e.sample << ": " << VerdictName(layout.verdict);
        EXPECT_EQ(e.rowBytes, layout.rowBytes) << e.sample;
        EXPECT_EQ(e.pixelOffset, layout.pixelOffset) << e.sample;
        EXPECT_EQ(layout.rowBytes * layout.rows, layout.pixelBytes) << e.sample;
    }
}

TEST(BitmapLayout, DamagedHeadersAreJudgedWithoutReadingPastTheFile)
{
    for (const Damage& damage : kDamages) {
        std::vector<BYTE> file = Damaged(damage);
        PictureLayout layout = Plan(file);
        EXPECT_EQ(VerdictName(damage.verdict), std::string(VerdictName(layout.verdict))) << damage.what;
        if (layout.verdict == PICTURE_DRAWABLE) {
            EXPECT_LE(static_cast<uint64_t>(layout.pixelOffset) + layout.pixelBytes, file.size()) << damage.what;
        }
    }
}

TEST(BitmapLayout, TopDownAndFewBitPicturesCountTheirRealRows)
{
    std::vector<BYTE> fourBit = MakeIndexedBitmap(61, 37, 4, true, std::vector<COLORREF>(16, 0),
                                                  [](int, int) { return 0; });
    PictureLayout layout = Plan(fourBit);
    EXPECT_EQ(PICTURE_DRAWABLE, layout.verdict) << VerdictName(layout.verdict);
    EXPECT_EQ(-37, layout.height);
    EXPECT_EQ(37u, layout.rows);
    EXPECT_EQ(32u, layout.rowBytes) << "61 pixels of 4 bits: 31 bytes, padded to 32";
    EXPECT_EQ(32u * 37u, layout.pixelBytes);

    std::vector<BYTE> oneBit = MakeIndexedBitmap(45, 30, 1, false, std::vector<COLORREF>(2, 0),
                                                 [](int, int) { return 0; });
    layout = Plan(oneBit);
    EXPECT_EQ(PICTURE_DRAWABLE, layout.verdict) << VerdictName(layout.verdict);
    EXPECT_EQ(8u, layout.rowBytes) << "45 pixels of 1 bit: 6 bytes, padded to 8";
}

TEST(BitmapLayout, InfoBlockOfAShortFileEndsInZeros)
{
    std::vector<BYTE> file = Sample("solid_320x200_8.bmp");
    PictureLayout layout = Plan(file);
    ASSERT_EQ(static_cast<uint32_t>(BMP_INFO_BLOCK_BYTES), layout.infoBytes);
    file.resize(14 + 100);
    std::vector<BYTE> block(BMP_INFO_BLOCK_BYTES, 0xAA);
    CopyBitmapInfoBlock(file.data(), file.size(), layout, block.data());
    for (size_t i = 0; i < 100; ++i)
        ASSERT_EQ(file[14 + i], block[i]) << "byte " << i << " of the block";
    for (size_t i = 100; i < BMP_INFO_BLOCK_BYTES; ++i)
        ASSERT_EQ(0, block[i]) << "byte " << i << " lies past the end of the file";
    std::vector<BYTE> tiny(10, 0x55);
    CopyBitmapInfoBlock(tiny.data(), tiny.size(), layout, block.data());
    for (size_t i = 0; i < BMP_INFO_BLOCK_BYTES; ++i)
        ASSERT_EQ(0, block[i]) << "byte " << i << " of the block of a 10-byte file";
}

TEST(BitmapLayout, CopyMustFitTheSection)
{
    PictureLayout layout = Plan(Sample("solid_320x200_24.bmp"));
    ASSERT_EQ(PICTURE_DRAWABLE, layout.verdict);
    EXPECT_TRUE(PixelCopyFits(layout, 192000));
    EXPECT_FALSE(PixelCopyFits(layout, 191999));
    layout.verdict = PICTURE_TRUNCATED;
    EXPECT_FALSE(PixelCopyFits(layout, 1u << 30));
}

// ---- Through the real display ------------------------------------------------

class BadPictureTest : public PictureWindowTest {
protected:
    HWND MakeWindow()
    {
        AddSample("solid_320x200_24.bmp", "good.bmp");
        WriteSettings(0, 100);
        HWND window = CreatePreview(160, 120);
        if (window)
            UpdateWindow(window);
        DrainQueue();
        return window;
    }

    // A good picture after a bad one is still drawn right.
    void ExpectGoodPictureDrawn(HWND window)
    {
        std::string good = JoinPath(PicturesDirectory(), "good.bmp");
        PaintWhite(window);
        ShowPictureFile(good.c_str(), window);
        EXPECT_TRUE(Near(Colour(kSolidFill), PixelOf(window, 80, 60), ScreenDepth() > 8 ? 0 : 0x30))
            << "after the bad files, got " << ColourText(PixelOf(window, 80, 60));
    }
};

TEST_F(BadPictureTest, DamagedFilesDrawNothingTheyCannotAndEndNothing)
{
    HWND window = MakeWindow();
    ASSERT_NE(nullptr, window);
    WipeSleep = NoPause;
    for (const Damage& damage : kDamages) {
        SCOPED_TRACE(damage.what);
        std::vector<BYTE> file = Damaged(damage);
        std::string path = AddFile(file, "bad.bmp");
        PaintWhite(window);
        ShowPictureFile(path.c_str(), window);
        EXPECT_FALSE(TakeQuit()) << "a file that opens does not end the saver";
        if (damage.verdict != PICTURE_DRAWABLE) {
            EXPECT_EQ(0, NonBlackPixels(window, 0, 0, 160, 120, 3)) << "nothing is drawn after the wipe";
        }
        EXPECT_TRUE(DeleteFileA(path.c_str())) << "the file is left open, error " << GetLastError();
    }
    ExpectGoodPictureDrawn(window);
}

TEST_F(BadPictureTest, AnEmptyFileEndsTheSaverAfterTheWipe)
{
    HWND window = MakeWindow();
    ASSERT_NE(nullptr, window);
    std::string path = AddFile({}, "empty.bmp");
    PaintWhite(window);
    ShowPictureFile(path.c_str(), window);
    EXPECT_TRUE(TakeQuit()) << "an empty file cannot be mapped";
    EXPECT_EQ(0, NonBlackPixels(window, 0, 0, 160, 120, 3));
    EXPECT_TRUE(DeleteFileA(path.c_str())) << "the file is left open, error " << GetLastError();
}

// A fixed sequence of pseudo-random numbers, the same on every run.
struct Mutator {
    uint32_t state;
    uint32_t Next()
    {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
};

// Header fields whose values steer the copy, and values that break it.
const size_t kFields[] = {10, 14, 18, 22, 26, 28, 30, 34, 46};
const uint32_t kNastyValues[] = {0,     1,     2,     3,          4,          7,          8,          12,
                                 16,    24,    32,    40,         64,         124,        255,        256,
                                 257,   1078,  0x7FFF, 0x8000,    0xFFFF,     0x10000,    0x7FFFFFFF, 0x80000000u,
                                 0xFFFFFFFFu, 0xFFFFFFFEu, 0x40000000, 192000, 191999, 0x01000000};

std::vector<BYTE> Mutate(const std::vector<BYTE>& good, Mutator& random)
{
    std::vector<BYTE> file = good;
    int edits = 1 + random.Next() % 4;
    for (int e = 0; e < edits; ++e) {
        switch (random.Next() % 4) {
        case 0: {
            size_t field = kFields[random.Next() % (sizeof kFields / sizeof kFields[0])];
            uint32_t value = kNastyValues[random.Next() % (sizeof kNastyValues / sizeof kNastyValues[0])];
            if (field == 26 || field == 28)
                Put16(file, field, value);
            else
                Put32(file, field, value);
            break;
        }
        case 1:
            if (!file.empty())
                file[random.Next() % std::min<size_t>(file.size(), 1078)] ^= static_cast<BYTE>(1 + random.Next() % 255);
            break;
        case 2:
            if (file.size() > 1)
                file.resize(1 + random.Next() % (file.size() - 1));
            break;
        default:
            Put32(file, 18 + 4 * (random.Next() % 2), random.Next() * 131u);
            break;
        }
    }
    return file;
}

TEST_F(BadPictureTest, ThreeHundredMutatedFilesPassThroughTheDisplayUnharmed)
{
    HWND window = MakeWindow();
    ASSERT_NE(nullptr, window);
    WipeSleep = NoPause;
    const char* seeds[] = {"solid_320x200_8.bmp", "quadrants_320x200_16.bmp", "quadrants_320x200_24.bmp",
                           "solid_320x200_32.bmp", "starburst_321x200_8.bmp"};
    std::vector<std::vector<BYTE>> goods;
    for (const char* seed : seeds)
        goods.push_back(Sample(seed));
    Mutator random = {20261209u};
    int drawable = 0, refused = 0;
    for (int n = 0; n < 300; ++n) {
        std::vector<BYTE> file = Mutate(goods[n % goods.size()], random);
        std::string path = AddFile(file, "mutated.bmp");
        ShowPictureFile(path.c_str(), window);
        ASSERT_FALSE(TakeQuit()) << "mutation " << n << " (" << file.size() << " bytes) ended the saver";
        ASSERT_TRUE(IsWindow(window));
        ASSERT_TRUE(DeleteFileA(path.c_str())) << "mutation " << n << " left the file open";
        (Plan(file).verdict == PICTURE_DRAWABLE ? drawable : refused) += 1;
    }
    EXPECT_GT(drawable, 0) << "the mutations never kept a file drawable";
    EXPECT_GT(refused, 0) << "the mutations never broke a file";
    ExpectGoodPictureDrawn(window);
}

}  // namespace
