// The picture object on Wine's 8-bit palette screen, which reports RC_PALETTE
// and SIZEPALETTE 256 but NUMCOLORS -1: the identity rebuild is refused, the
// first load fails with its header kept, and nothing is drawn. The rebuild
// itself is run with the figures of a display with 20 static colours.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <vector>

#include "dib_image.h"
#include "dib_palette.h"
#include "identity_palette.h"
#include "picture_window.h"
#include "test_pictures.h"
#include "test_support.h"
#include "window_dc.h"

using namespace picturetest;
using namespace testpictures;
using namespace vrxtest;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

HINSTANCE Module() { return GetModuleHandleA(NULL); }

// Pixels of the palette screen read back quantised to a few bits a channel.
const int kTolerance = 0x30;

int PixelsUnlike(HWND window, COLORREF colour, int step)
{
    int width = 0, height = 0;
    std::vector<COLORREF> pixels = CaptureClient(window, &width, &height);
    int unlike = 0;
    for (int y = 0; y < height; y += step)
        for (int x = 0; x < width; x += step)
            unlike += !Near(colour, pixels[(size_t)y * width + x], kTolerance);
    return unlike;
}

class PaletteScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        HDC screen = GetDC(NULL);
        PaletteDeviceFigures figures = ReadPaletteDeviceFigures(screen);
        ReleaseDC(NULL, screen);
        ASSERT_TRUE(figures.rasterCaps & RC_PALETTE) << "these cases belong to the 8-bit palette screen";
        ASSERT_EQ(256, figures.paletteSize) << "SIZEPALETTE of the palette screen";
        ASSERT_EQ(-1, figures.staticCount) << "NUMCOLORS of Wine's palette screen";
        delete g_pSharedPalette;
        g_pSharedPalette = NULL;
    }
    void TearDown() override
    {
        delete g_pSharedPalette;
        g_pSharedPalette = NULL;
    }
};

TEST_F(PaletteScreenTest, TheIdentityRebuildIsRefusedSoTheLoadFailsKeepingTheHeader)
{
    PictureWindow window(0, 0, 640, 480);
    window.Fill(kWhite);
    ASSERT_EQ(0, PixelsUnlike(window.Handle(), kWhite, 16)) << "the white fill does not read back as white";
    CDibImage image;
    {
        WindowDC dc(window.Handle());
        EXPECT_FALSE(image.LoadFromResource(dc.get(), IDB_TEST_GRID, Module(), TRUE));
    }
    ASSERT_TRUE(image.GetHeader() != NULL) << "the failed palette step freed the header";
    EXPECT_EQ(256u, image.GetHeader()->bmiHeader.biClrUsed);
    EXPECT_TRUE(image.GetBitmap() == NULL) << "a section was made although the palette step failed";
    EXPECT_TRUE(image.GetPixels() == NULL);

    // The palette stays stored with the picture's own colours, not rebuilt.
    ASSERT_TRUE(g_pSharedPalette != NULL) << "the shared palette was not kept";
    std::vector<PALETTEENTRY> entries = PaletteEntries((HPALETTE)g_pSharedPalette->GetSafeHandle());
    ASSERT_EQ(256u, entries.size());
    std::vector<PALETTEENTRY> grid = GridEntries();
    EXPECT_EQ(0, memcmp(grid.data(), entries.data(), 256 * sizeof(PALETTEENTRY)))
        << "the shared palette is not the picture's colours with flags 0";
    EXPECT_FALSE(g_pSharedPalette->MakeIdentity()) << "the rebuild was not refused";

    // Nothing is drawn from a picture without a section.
    {
        WindowDC dc(window.Handle());
        image.DrawCentered(dc.get(), TRUE);
        image.DrawStretched(dc.get(), CRect(0, 0, 640, 480), TRUE);
    }
    EXPECT_EQ(0, PixelsUnlike(window.Handle(), kWhite, 8)) << "pixels drawn by a picture that did not load";
}

TEST_F(PaletteScreenTest, TheNextLoadUsesTheStoredPaletteAsItIs)
{
    PictureWindow window(0, 0, 640, 480);
    CDibImage first, second;
    {
        WindowDC dc(window.Handle());
        ASSERT_FALSE(first.LoadFromResource(dc.get(), IDB_TEST_GRID, Module(), TRUE));
        CDibPalette* stored = g_pSharedPalette;
        ASSERT_TRUE(stored != NULL);
        EXPECT_TRUE(second.LoadFromResource(dc.get(), IDB_TEST_SMALL, Module(), TRUE))
            << "the stored palette was not used as it is";
        EXPECT_EQ(stored, g_pSharedPalette);
    }
    EXPECT_TRUE(second.GetBitmap() != NULL);
    EXPECT_EQ(256u, PaletteEntries((HPALETTE)g_pSharedPalette->GetSafeHandle()).size());
}

TEST_F(PaletteScreenTest, WithTwentyStaticColoursTheRebuildKeepsThemAtBothEnds)
{
    CDibImage image;
    ASSERT_FALSE(image.LoadFromResource(NULL, IDB_TEST_GRID, Module(), TRUE));
    CDibPalette palette(&image);
    ASSERT_TRUE(palette.GetSafeHandle() != NULL);
    HDC dc = CreateCompatibleDC(NULL);
    PaletteDeviceFigures figures = ReadPaletteDeviceFigures(dc);
    figures.staticCount = 20;  // what Windows reports on a palette display
    ASSERT_TRUE(RebuildIdentityPalette(dc, (HPALETTE)palette.GetSafeHandle(), figures));
    PALETTEENTRY system[256];
    ASSERT_EQ(256u, GetSystemPaletteEntries(dc, 0, 256, system));
    DeleteDC(dc);

    std::vector<PALETTEENTRY> entries = PaletteEntries((HPALETTE)palette.GetSafeHandle());
    ASSERT_EQ(256u, entries.size()) << "the palette is not the size of the system palette";
    for (int i = 0; i < 256; i++) {
        BYTE want = (i < 10 || i >= 246) ? 0 : PC_NOCOLLAPSE;
        EXPECT_EQ(want, entries[i].peFlags) << "flags of entry " << i;
        EXPECT_TRUE(entries[i].peRed == system[i].peRed && entries[i].peGreen == system[i].peGreen &&
                    entries[i].peBlue == system[i].peBlue)
            << "entry " << i << " is not the system palette's";
    }
    // The ends are the static colours: black first, white last.
    EXPECT_TRUE(entries[0].peRed == 0 && entries[0].peGreen == 0 && entries[0].peBlue == 0);
    EXPECT_TRUE(entries[255].peRed == 255 && entries[255].peGreen == 255 && entries[255].peBlue == 255);
}

}  // namespace
