// Bitmaps as today's tools write them: ImageMagick's default (124-byte V5
// header) and BMP3 (40-byte header) forms at every depth, and the same
// pictures with each header size the saver draws, masks inside or after the
// header, and a colour profile; drawn on a real saver window and compared
// pixel by pixel with the scene they were written from.
#include <gtest/gtest.h>

#include <stdint.h>

#include <string>
#include <vector>

#include "bitmap_layout.h"
#include "picture_display.h"
#include "picture_test_support.h"
#include "test_support.h"

using namespace vrxtest;
using namespace picturetest;

namespace {

const int kPreviewWidth = 152;
const int kPreviewHeight = 112;

// A 16-bit channel holds 5 or 6 of the scene's 8 bits.
const int kSixteenBitTolerance = 10;

std::vector<BYTE> WrittenByImageMagick(const char* name)
{
    return ReadFileBytes(JoinPath(JoinPath(BuildDirectory(), "tests\\imagemagick"), name));
}

uint32_t Get32(const std::vector<BYTE>& file, size_t at)
{
    return ReadLittle32(file.data() + at);
}

void Put32(std::vector<BYTE>& file, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        file[at + i] = static_cast<BYTE>(value >> (8 * i));
}

// The picture of a V5 file with its header cut to headerBytes (the bit-field
// masks following a 40-byte header), its colour table and pixels after it.
std::vector<BYTE> WithHeaderOf(const std::vector<BYTE>& v5, uint32_t headerBytes)
{
    const size_t info = 14;
    uint32_t pixels = Get32(v5, 10);
    std::vector<BYTE> file(v5.begin(), v5.begin() + info + headerBytes);
    Put32(file, info, headerBytes);
    if (headerBytes == 40 && Get32(v5, info + 16) == BI_BITFIELDS)
        file.insert(file.end(), v5.begin() + info + 40, v5.begin() + info + 52);
    file.insert(file.end(), v5.begin() + info + 124, v5.begin() + pixels);
    Put32(file, 10, static_cast<uint32_t>(file.size()));
    file.insert(file.end(), v5.begin() + pixels, v5.end());
    Put32(file, 2, static_cast<uint32_t>(file.size()));
    return file;
}

// A V5 file naming an embedded colour profile that lies far outside it.
std::vector<BYTE> WithForeignProfile(std::vector<BYTE> v5)
{
    Put32(v5, 14 + 56, 0x4D424544);  // PROFILE_EMBEDDED
    Put32(v5, 14 + 112, 0x7FFFFFF0);
    Put32(v5, 14 + 116, 4096);
    return v5;
}

class BitmapHeaderTest : public PictureWindowTest {
protected:
    void SetUp() override
    {
        PictureWindowTest::SetUp();
        scene_ = WrittenByImageMagick("bmp3_24.bmp");
        ASSERT_GT(scene_.size(), 54u) << "the ImageMagick pictures of the build are missing";
    }

    // Draws the file alone in a preview and compares it with expected.
    void ExpectDrawn(const std::string& what, const std::vector<BYTE>& file,
                     const std::function<COLORREF(int, int)>& expected, int tolerance)
    {
        SCOPED_TRACE(what);
        ASSERT_GT(file.size(), 54u) << "no such picture";
        RemoveTree(PicturesDirectory());
        CreateDirectoryA(PicturesDirectory().c_str(), NULL);
        AddFile(file, "made.bmp");
        WriteSettings(0, 100);
        HWND window = CreatePreview(kPreviewWidth, kPreviewHeight);
        ASSERT_NE(nullptr, window);
        UpdateWindow(window);
        EXPECT_FALSE(TakeQuit()) << "the picture opens; the saver must not end";
        LONG width = static_cast<LONG>(Get32(file, 18));
        LONG height = static_cast<LONG>(Get32(file, 22));
        std::string mismatch = DrawnPictureMismatch(window, (kPreviewWidth - width) / 2,
                                                    (kPreviewHeight - height) / 2, width, height, expected,
                                                    tolerance);
        EXPECT_EQ("", mismatch);
        CloseSaverWindow();
    }

    void ExpectTheScene(const std::string& what, const std::vector<BYTE>& file, int tolerance)
    {
        ExpectDrawn(what, file, [this](int x, int y) { return FilePixel(scene_, x, y); }, tolerance);
    }

    std::vector<BYTE> scene_;
};

TEST_F(BitmapHeaderTest, ImageMagicksDefaultAndBmp3PicturesOfEveryDepthShowTheirScene)
{
    struct Form {
        const char* name;
        int tolerance;
    } forms[] = {
        {"bmp_8.bmp", 0},  {"bmp_16_565.bmp", kSixteenBitTolerance}, {"bmp_16_555.bmp", kSixteenBitTolerance},
        {"bmp_24.bmp", 0}, {"bmp_32.bmp", 0},                        {"bmp3_8.bmp", 0},
        {"bmp3_16_555.bmp", kSixteenBitTolerance},                   {"bmp3_24.bmp", 0},
        {"bmp3_32.bmp", 0},
    };
    for (const Form& form : forms)
        ExpectTheScene(form.name, WrittenByImageMagick(form.name), form.tolerance);

    // ImageMagick's BMP3 form marks 16-bit pictures as bit fields but writes
    // no masks: the pixels start right after the 40-byte header, and the
    // 5-6-5 file's header is byte for byte the 5-5-5 one's. Such a picture is
    // drawn in the default 5-5-5 layout, as its bytes read there.
    std::vector<BYTE> noMasks = WrittenByImageMagick("bmp3_16_565.bmp");
    ExpectDrawn("bmp3_16_565.bmp", noMasks, [&](int x, int y) { return FilePixel(noMasks, x, y); },
                kSixteenBitTolerance);
}

TEST_F(BitmapHeaderTest, EveryHeaderSizeWithItsMasksAndTableShowsTheScene)
{
    struct Source {
        const char* name;
        int tolerance;
    } sources[] = {{"bmp_8.bmp", 0}, {"bmp_16_565.bmp", kSixteenBitTolerance}, {"bmp_24.bmp", 0},
                   {"bmp_32.bmp", 0}};
    for (const Source& source : sources) {
        std::vector<BYTE> v5 = WrittenByImageMagick(source.name);
        ASSERT_GT(v5.size(), 138u) << source.name;
        for (uint32_t header : {40u, 52u, 56u, 108u})
            ExpectTheScene(std::string(source.name) + " with a " + std::to_string(header) + "-byte header",
                           WithHeaderOf(v5, header), source.tolerance);
        ExpectTheScene(std::string(source.name) + " naming an embedded profile outside the file",
                       WithForeignProfile(v5), source.tolerance);
    }
}

TEST(BitmapHeaderLayout, TheInfoBlockGrowsOnlyForWhatALargerHeaderNeeds)
{
    struct Expected {
        const char* name;
        uint32_t header;
        uint32_t table;
        uint32_t block;
    } expected[] = {
        {"bmp3_8.bmp", 40, 40, 1064},   {"bmp_8.bmp", 124, 124, 124 + 1024},
        {"bmp3_24.bmp", 40, 40, 1064},  {"bmp_24.bmp", 124, 124, 1064},
        {"bmp_16_565.bmp", 124, 124, 1064},
    };
    for (const Expected& e : expected) {
        std::vector<BYTE> file = WrittenByImageMagick(e.name);
        ASSERT_GT(file.size(), 54u) << e.name;
        PictureLayout layout = PlanPictureCopy(file.data(), file.size());
        EXPECT_EQ(PICTURE_DRAWABLE, layout.verdict) << e.name;
        EXPECT_EQ(e.header, layout.headerBytes) << e.name;
        EXPECT_EQ(e.table, layout.tableOffset) << e.name;
        EXPECT_EQ(e.block, layout.infoBytes) << e.name;
    }
    std::vector<BYTE> masksAfter = WithHeaderOf(WrittenByImageMagick("bmp_16_565.bmp"), 40);
    PictureLayout layout = PlanPictureCopy(masksAfter.data(), masksAfter.size());
    EXPECT_EQ(52u, layout.tableOffset) << "the masks follow a 40-byte header";
    EXPECT_EQ(1064u, layout.infoBytes);
    std::vector<BYTE> block(layout.infoBytes);
    CopyBitmapInfoBlock(masksAfter.data(), masksAfter.size(), layout, block.data());
    EXPECT_EQ(0xF800u, ReadLittle32(&block[40])) << "the red mask is copied with the header";
    EXPECT_EQ(static_cast<uint32_t>(BI_BITFIELDS), ReadLittle32(&block[16]));

    // GDI is never sent to read a profile from outside the block.
    std::vector<BYTE> profiled = WithForeignProfile(WrittenByImageMagick("bmp_24.bmp"));
    layout = PlanPictureCopy(profiled.data(), profiled.size());
    block.assign(layout.infoBytes, 0xAA);
    CopyBitmapInfoBlock(profiled.data(), profiled.size(), layout, block.data());
    EXPECT_EQ(0x73524742u, ReadLittle32(&block[56])) << "LCS_sRGB";
    EXPECT_EQ(0u, ReadLittle32(&block[112])) << "profile offset";
    EXPECT_EQ(0u, ReadLittle32(&block[116])) << "profile size";
}

TEST(BitmapHeaderLayout, OnlyWhatWouldBeReadOutsideTheFileIsRefused)
{
    // A 4 x 2 picture of 8 bits: its pixels end the file at 1086 bytes.
    std::vector<BYTE> file = MakeIndexedBitmap(4, 2, 8, false, std::vector<COLORREF>(256, RGB(1, 2, 3)),
                                               [](int x, int) { return x; });
    EXPECT_EQ(PICTURE_DRAWABLE, PlanPictureCopy(file.data(), file.size()).verdict);
    // Read with a 124-byte header its colour table would end at 1162.
    Put32(file, 14, 124);
    EXPECT_EQ(PICTURE_TRUNCATED, PlanPictureCopy(file.data(), file.size()).verdict);
    Put32(file, 14 + 32, 200);  // 200 colours end at 938
    EXPECT_EQ(PICTURE_DRAWABLE, PlanPictureCopy(file.data(), file.size()).verdict);

    for (uint32_t header : {12u, 64u, 100u, 128u}) {
        Put32(file, 14, header);
        EXPECT_EQ(PICTURE_UNSUPPORTED, PlanPictureCopy(file.data(), file.size()).verdict) << header;
    }
}

}  // namespace
