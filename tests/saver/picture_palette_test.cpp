// 8-bit pictures and their palette, on the true-colour screen and on the
// 8-bit palette screen: the picture's colours reach the screen, the static
// colours stay at both ends of the system palette.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "picture_display.h"
#include "picture_test_support.h"
#include "test_support.h"

using namespace vrxtest;
using namespace picturetest;
using namespace VrxSamples;

namespace {

// Pixels of the palette screen read back quantised to about 3 bits a
// channel (3366CC reads back as 4060C0, F8C820 as E0C000).
int Tolerance()
{
    return ScreenDepth() <= 8 ? 0x30 : 0;
}

#define EXPECT_NEAR_COLOUR(expected, window, x, y)                                                          \
    do {                                                                                                    \
        COLORREF actual_ = PixelOf(window, x, y);                                                           \
        EXPECT_TRUE(Near(expected, actual_, Tolerance()))                                                   \
            << "pixel at (" << (x) << ", " << (y) << "): expected " << ColourText(expected) << " within "   \
            << Tolerance() << ", got " << ColourText(actual_);                                              \
    } while (0)

const COLORREF kStaticColours[20] = {
    RGB(0x00, 0x00, 0x00), RGB(0x80, 0x00, 0x00), RGB(0x00, 0x80, 0x00), RGB(0x80, 0x80, 0x00),
    RGB(0x00, 0x00, 0x80), RGB(0x80, 0x00, 0x80), RGB(0x00, 0x80, 0x80), RGB(0xC0, 0xC0, 0xC0),
    RGB(0xC0, 0xDC, 0xC0), RGB(0xA6, 0xCA, 0xF0), RGB(0xFF, 0xFB, 0xF0), RGB(0xA0, 0xA0, 0xA4),
    RGB(0x80, 0x80, 0x80), RGB(0xFF, 0x00, 0x00), RGB(0x00, 0xFF, 0x00), RGB(0xFF, 0xFF, 0x00),
    RGB(0x00, 0x00, 0xFF), RGB(0xFF, 0x00, 0xFF), RGB(0x00, 0xFF, 0xFF), RGB(0xFF, 0xFF, 0xFF),
};

std::vector<COLORREF> SystemPalette(HWND window)
{
    PALETTEENTRY entries[256];
    ZeroMemory(entries, sizeof entries);
    HDC dc = GetDC(window);
    UINT count = GetSystemPaletteEntries(dc, 0, 256, entries);
    ReleaseDC(window, dc);
    std::vector<COLORREF> colours;
    for (UINT n = 0; n < count; ++n)
        colours.push_back(RGB(entries[n].peRed, entries[n].peGreen, entries[n].peBlue));
    return colours;
}

class PicturePaletteTest : public PictureWindowTest {};

TEST_F(PicturePaletteTest, EightBitPictureShowsItsOwnColours)
{
    AddSample("quadrants_320x200_8.bmp", "one.bmp");
    HWND window = ShowFullScreen(0);
    ASSERT_NE(nullptr, window);
    EXPECT_FALSE(TakeQuit());
    EXPECT_NEAR_COLOUR(Colour(kQuadrantTopLeft), window, 200, 160);
    EXPECT_NEAR_COLOUR(Colour(kQuadrantTopRight), window, 440, 160);
    EXPECT_NEAR_COLOUR(Colour(kQuadrantBottomLeft), window, 200, 320);
    EXPECT_NEAR_COLOUR(Colour(kQuadrantBottomRight), window, 440, 320);
    EXPECT_NEAR_COLOUR(RGB(0, 0, 0), window, 100, 100);
}

TEST_F(PicturePaletteTest, EightBitFrameAndFillKeepTheirColoursAtOddWidth)
{
    AddSample("solid_321x200_8.bmp", "one.bmp");
    HWND window = ShowFullScreen(0);
    ASSERT_NE(nullptr, window);
    EXPECT_NEAR_COLOUR(Colour(kSolidBorder), window, 159, 140);
    EXPECT_NEAR_COLOUR(Colour(kSolidBorder), window, 479, 339);
    EXPECT_NEAR_COLOUR(Colour(kSolidFill), window, 320, 240);
    EXPECT_NEAR_COLOUR(RGB(0, 0, 0), window, 158, 140);
}

TEST_F(PicturePaletteTest, LargerEightBitPictureIsStretchedWithItsColours)
{
    AddSample("solid_800x600_8.bmp", "one.bmp");
    HWND window = ShowFullScreen(0);
    ASSERT_NE(nullptr, window);
    EXPECT_NEAR_COLOUR(Colour(kSolidFill), window, 320, 240);
    EXPECT_NEAR_COLOUR(Colour(kSolidFill), window, 10, 10);
    EXPECT_NEAR_COLOUR(Colour(kSolidFill), window, 629, 469);
}

TEST_F(PicturePaletteTest, ThePaletteScreenTakesThePicturesColoursAndKeepsTheStaticOnes)
{
    if (ScreenDepth() > 8)
        GTEST_SKIP() << "a true-colour screen has no system palette";
    AddSample("quadrants_320x200_8.bmp", "one.bmp");
    HWND window = ShowFullScreen(0);
    ASSERT_NE(nullptr, window);
    std::vector<COLORREF> system = SystemPalette(window);
    ASSERT_EQ(256u, system.size());
    for (int n = 0; n < 10; ++n) {
        EXPECT_EQ(ColourText(kStaticColours[n]), ColourText(system[n])) << "system entry " << n;
        EXPECT_EQ(ColourText(kStaticColours[10 + n]), ColourText(system[246 + n])) << "system entry " << 246 + n;
    }
    // The picture's entries fill the free slots from slot 10 on, in order.
    // Wine keeps a block of the free slots for colours of its own, so only
    // the first of the picture's entries are sure to find room.
    EXPECT_EQ(ColourText(Colour(kQuadrantTopLeft)), ColourText(system[10]));
    EXPECT_EQ(ColourText(Colour(kQuadrantTopRight)), ColourText(system[11]));
    EXPECT_EQ(ColourText(RGB(0x40, 0x40, 0x40)), ColourText(system[12])) << "the first entry of the grey ramp";
}

HGLOBAL WINAPI NoGlobalMemory(UINT, SIZE_T)
{
    return NULL;
}

// The picture's palette is what puts its colours into the screen's palette:
// drawn without one (its block could not be had) the system palette keeps
// what it had; drawn with one, the fill takes slot 10. The pixels of this
// screen read back quantised either way, so the palette is looked at.
TEST_F(PicturePaletteTest, OnlyThePicturesOwnPaletteBringsItsColoursToTheScreen)
{
    if (ScreenDepth() > 8)
        GTEST_SKIP() << "a true-colour screen has no system palette";
    std::string path = AddSample("solid_320x200_8.bmp", "one.bmp");
    PictureGlobalAlloc = NoGlobalMemory;
    HWND window = ShowFullScreen(0);
    ASSERT_NE(nullptr, window);
    COLORREF without = PixelOf(window, 320, 240);
    std::vector<COLORREF> before = SystemPalette(window);
    PictureGlobalAlloc = GlobalAlloc;
    ShowPictureFile(path.c_str(), window);
    COLORREF with = PixelOf(window, 320, 240);
    std::vector<COLORREF> after = SystemPalette(window);
    ASSERT_EQ(256u, before.size());
    ASSERT_EQ(256u, after.size());
    EXPECT_NE(ColourText(Colour(kSolidFill)), ColourText(before[10])) << "slot 10 without the picture's palette";
    EXPECT_EQ(ColourText(Colour(kSolidFill)), ColourText(after[10])) << "slot 10 with the picture's palette";
    EXPECT_TRUE(Near(Colour(kSolidFill), without, Tolerance())) << "drawn without its palette: " << ColourText(without);
    EXPECT_TRUE(Near(Colour(kSolidFill), with, Tolerance())) << "drawn with its palette: " << ColourText(with);
}

}  // namespace
