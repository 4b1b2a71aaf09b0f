// The picture object on the true-colour screen: bitmap resources of this
// test program loaded into DIB sections, the shared palette read back with
// GetPaletteEntries, the pixels remapped, and every copy read back from the
// window it was drawn on.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "dib_image.h"
#include "dib_palette.h"
#include "picture_window.h"
#include "test_pictures.h"
#include "test_support.h"
#include "window_dc.h"

using namespace picturetest;
using namespace testpictures;
using namespace vrxtest;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const int kScreenWidth = 640;
const int kScreenHeight = 480;

HINSTANCE Module() { return GetModuleHandleA(NULL); }

std::string Hex(COLORREF c)
{
    std::ostringstream s;
    s << std::hex << c;
    return s.str();
}

// Compares a window's visible client area with what it should show
// (CLR_INVALID: not checked there); the number of differing pixels, and the
// first few of them in *report.
int CountMismatches(HWND window, const std::function<COLORREF(int, int)>& expected, std::string* report)
{
    int width = 0, height = 0;
    std::vector<COLORREF> pixels = CaptureClient(window, &width, &height);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    int mismatches = 0;
    std::ostringstream s;
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            int sx = origin.x + x, sy = origin.y + y;
            if (sx < 0 || sy < 0 || sx >= kScreenWidth || sy >= kScreenHeight)
                continue;  // off the screen: nothing to read
            COLORREF want = expected(x, y);
            if (want == CLR_INVALID)
                continue;
            COLORREF got = pixels[(size_t)y * width + x];
            if (want != got) {
                if (mismatches < 5)
                    s << "(" << x << ", " << y << "): expected " << Hex(want) << ", got " << Hex(got) << "; ";
                mismatches++;
            }
        }
    }
    *report = s.str();
    return mismatches;
}

// The sixteen-colour picture drawn at (0, 0) on white.
COLORREF SixteenAtOrigin(int x, int y)
{
    return y < kSixteenHeight && x < kSixteenWidth ? ToColour(SixteenColour(SixteenIndex(x, y))) : kWhite;
}

// Fills the window white, draws through its DC and compares every pixel
// with what it should show.
void ExpectDrawnAs(PictureWindow& window, const std::function<void(CDC*)>& draw,
                   const std::function<COLORREF(int, int)>& expected)
{
    window.Fill(kWhite);
    {
        WindowDC dc(window.Handle());
        draw(dc.get());
    }
    std::string report;
    EXPECT_EQ(0, CountMismatches(window.Handle(), expected, &report)) << report;
}

// The grid drawn with its top-left corner at (left, top) over white.
std::function<COLORREF(int, int)> GridAt(int left, int top)
{
    return [left, top](int x, int y) {
        int px = x - left, py = y - top;
        return px >= 0 && px < kGridWidth && py >= 0 && py < kGridHeight ? GridPixel(px, py) : kWhite;
    };
}

std::function<COLORREF(int, int)> AllWhite()
{
    return [](int, int) { return kWhite; };
}

bool IsPaletteScreen()
{
    HDC screen = GetDC(NULL);
    int caps = GetDeviceCaps(screen, RASTERCAPS);
    ReleaseDC(NULL, screen);
    return (caps & RC_PALETTE) != 0;
}

class DibImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(IsPaletteScreen()) << "these cases belong to the true-colour screen";
        // Each case starts as a process does: no shared palette yet.
        delete g_pSharedPalette;
        g_pSharedPalette = NULL;
    }
    void TearDown() override
    {
        delete g_pSharedPalette;
        g_pSharedPalette = NULL;
    }

    // Loads a test picture on a DC of a window.
    BOOL Load(CDibImage& image, HWND window, UINT id, BOOL remap = TRUE)
    {
        WindowDC dc(window);
        return image.LoadFromResource(dc.get(), id, Module(), remap);
    }

    HPALETTE SharedPalette() const
    {
        return g_pSharedPalette ? (HPALETTE)g_pSharedPalette->GetSafeHandle() : NULL;
    }
};

// ---- Loading and the shared palette -------------------------------------

TEST_F(DibImageTest, TheSharedPaletteHasThePicturesOwnColoursInOrderWithFlagsZero)
{
    PictureWindow window(0, 0, 640, 480);
    CDibImage image;
    ASSERT_TRUE(g_pSharedPalette == NULL);
    ASSERT_TRUE(Load(image, window.Handle(), IDB_TEST_GRID));
    ASSERT_TRUE(SharedPalette() != NULL) << "the first load made no shared palette";

    std::vector<PALETTEENTRY> entries = PaletteEntries(SharedPalette());
    ASSERT_EQ(256u, entries.size()) << "entries of the shared palette";
    int wrong = 0;
    for (int i = 0; i < 256; i++) {
        Rgb c = GridColour(i);
        if (entries[i].peRed != c.r || entries[i].peGreen != c.g || entries[i].peBlue != c.b ||
            entries[i].peFlags != 0) {
            if (wrong++ < 3)
                ADD_FAILURE() << "entry " << i << " is " << (int)entries[i].peRed << "," << (int)entries[i].peGreen
                              << "," << (int)entries[i].peBlue << " flags " << (int)entries[i].peFlags
                              << "; the picture's colour is " << (int)c.r << "," << (int)c.g << "," << (int)c.b;
        }
    }
    EXPECT_EQ(0, wrong) << "entries that differ from the picture's colour table";
    EXPECT_EQ(RUNTIME_CLASS(CPalette), g_pSharedPalette->GetRuntimeClass());
    EXPECT_EQ(RUNTIME_CLASS(CObject), image.GetRuntimeClass());
}

TEST_F(DibImageTest, ALoadedPictureHoldsItsNormalisedHeaderAndItsPixels)
{
    PictureWindow window(0, 0, 640, 480);
    CDibImage image;
    ASSERT_TRUE(Load(image, window.Handle(), IDB_TEST_GRID));
    ASSERT_TRUE(image.GetHeader() != NULL);
    const BITMAPINFOHEADER& h = image.GetHeader()->bmiHeader;
    EXPECT_EQ(640, h.biWidth);
    EXPECT_EQ(480, h.biHeight);
    EXPECT_EQ(256u, h.biClrUsed) << "biClrUsed 0 is read as 256";
    EXPECT_EQ(307200u, h.biSizeImage);
    EXPECT_EQ(640, image.GetRowWidth());
    EXPECT_EQ(256, image.GetColorCount());
    ASSERT_TRUE(image.GetBitmap() != NULL);
    ASSERT_TRUE(image.GetPixels() != NULL);
    EXPECT_EQ(OBJ_BITMAP, (int)GetObjectType(image.GetBitmap()));
    // Bottom-up rows; the picture's own palette maps every index to itself.
    int wrong = 0;
    for (int row = 0; row < kGridHeight; row++)
        for (int x = 0; x < kGridWidth; x++)
            wrong += image.GetPixels()[row * 640 + x] != GridIndex(x, kGridHeight - 1 - row);
    EXPECT_EQ(0, wrong) << "pixel bytes that are not the resource's";
}

TEST_F(DibImageTest, ASixteenColourPictureFindsItsBitsAfterSixteenEntriesAndRowsOf644)
{
    PictureWindow window(0, 0, 640, 480);
    CDibImage image;
    ASSERT_TRUE(Load(image, window.Handle(), IDB_TEST_SIXTEEN));
    const BITMAPINFOHEADER& h = image.GetHeader()->bmiHeader;
    EXPECT_EQ(16u, h.biClrUsed);
    EXPECT_EQ(644, image.GetRowWidth()) << "row width of a 641-pixel-wide picture";
    EXPECT_EQ(3u * 644u, h.biSizeImage) << "biSizeImage 0 becomes |biHeight| x row width";

    std::vector<PALETTEENTRY> entries = PaletteEntries(SharedPalette());
    ASSERT_EQ(16u, entries.size()) << "the shared palette has the picture's colour count of entries";
    for (int i = 0; i < 16; i++) {
        Rgb c = SixteenColour(i);
        EXPECT_TRUE(entries[i].peRed == c.r && entries[i].peGreen == c.g && entries[i].peBlue == c.b &&
                    entries[i].peFlags == 0)
            << "entry " << i;
    }
    int wrong = 0;
    for (int row = 0; row < kSixteenHeight; row++)
        for (int x = 0; x < kSixteenWidth; x++)
            wrong += image.GetPixels()[row * 644 + x] != SixteenIndex(x, kSixteenHeight - 1 - row);
    EXPECT_EQ(0, wrong) << "pixel bytes not read from 64 bytes after the header";

    ExpectDrawnAs(window, [&](CDC* dc) { image.Draw(dc, 0, 0, TRUE); }, SixteenAtOrigin);
}

TEST_F(DibImageTest, ASecondPictureIsRemappedToTheFirstOnesPalette)
{
    PictureWindow window(0, 0, 640, 480);
    CDibImage first, second;
    ASSERT_TRUE(Load(first, window.Handle(), IDB_TEST_GRID));
    HPALETTE shared = SharedPalette();
    ASSERT_TRUE(Load(second, window.Handle(), IDB_TEST_SIXTEEN));
    EXPECT_EQ(shared, SharedPalette()) << "the second picture made a palette of its own";
    EXPECT_EQ(256u, PaletteEntries(SharedPalette()).size());

    // Its sixteen colours are grid colours: each pixel now names that entry.
    int wrong = 0;
    for (int row = 0; row < kSixteenHeight; row++)
        for (int x = 0; x < kSixteenWidth; x++)
            wrong += second.GetPixels()[row * 644 + x] != SixteenGridEntry(SixteenIndex(x, kSixteenHeight - 1 - row));
    EXPECT_EQ(0, wrong) << "pixels not remapped to the first picture's palette";

    // And it shows its own colours through that palette.
    ExpectDrawnAs(window, [&](CDC* dc) { second.Draw(dc, 0, 0, TRUE); }, SixteenAtOrigin);
}

TEST_F(DibImageTest, ColoursThatAreNotInTheSharedPaletteBecomeTheNearestOfIt)
{
    PictureWindow window(0, 0, 640, 480);
    CDibImage first, remapped, raw;
    ASSERT_TRUE(Load(first, window.Handle(), IDB_TEST_GRID));
    ASSERT_TRUE(Load(remapped, window.Handle(), IDB_TEST_NEAR, TRUE));
    ASSERT_TRUE(Load(raw, window.Handle(), IDB_TEST_NEAR, FALSE));

    std::vector<PALETTEENTRY> grid = GridEntries();
    const int bases[kNearColours] = {40, 90, 150, 220};
    int map[256];
    for (int k = 0; k < kNearColours; k++) {
        map[k] = NearestEntry(grid, ToColour(NearColour(k)));
        ASSERT_EQ(bases[k], map[k]) << "the test's colour " << k << " is nearest to another grid colour";
    }
    // A value past the colour count has a black colour-table entry.
    map[9] = NearestEntry(grid, kBlack);
    int row = (kNearWidth + 3) & ~3;
    for (int r = 0; r < kNearHeight; r++) {
        for (int x = 0; x < kNearWidth; x++) {
            int value = NearIndex(x, kNearHeight - 1 - r);
            EXPECT_EQ(value, raw.GetPixels()[r * row + x]) << "without remapping, pixel (" << x << ", " << r << ")";
            EXPECT_EQ(map[value], remapped.GetPixels()[r * row + x]) << "remapped pixel (" << x << ", " << r
                                                                 << ") of value " << value;
        }
    }
}

// ---- Drawing --------------------------------------------------------------

struct Placement {
    int width, height;  // client area
    int x, y;           // where the picture's top-left corner lands
};

std::ostream& operator<<(std::ostream& os, const Placement& p)
{
    return os << p.width << "x" << p.height << " -> (" << p.x << ", " << p.y << ")";
}

class DrawCenteredTest : public DibImageTest, public ::testing::WithParamInterface<Placement> {};

TEST_P(DrawCenteredTest, PlacesThePictureInTheMiddleWithTruncatedOffsets)
{
    const Placement& p = GetParam();
    // A window wider than the screen is moved left so that its right edge shows.
    int windowX = p.width > kScreenWidth && p.width < kScreenWidth + 20 ? kScreenWidth - p.width : 0;
    PictureWindow window(windowX, 0, p.width, p.height);
    RECT client;
    GetClientRect(window.Handle(), &client);
    ASSERT_EQ(p.width, client.right) << "client width";
    ASSERT_EQ(p.height, client.bottom) << "client height";
    CDibImage image;
    ASSERT_TRUE(Load(image, window.Handle(), IDB_TEST_GRID));
    ExpectDrawnAs(window, [&](CDC* dc) { image.DrawCentered(dc, TRUE); }, GridAt(p.x, p.y));
}

INSTANTIATE_TEST_SUITE_P(ClientAreas, DrawCenteredTest,
                         ::testing::Values(Placement{1024, 768, 192, 144}, Placement{641, 480, 0, 0},
                                           Placement{600, 480, -20, 0}, Placement{1023, 768, 191, 144},
                                           Placement{639, 479, 0, 0}, Placement{640, 480, 0, 0},
                                           Placement{800, 600, 80, 60}, Placement{600, 400, -20, -40}));

TEST_F(DibImageTest, DrawCopiesTheWholePictureToThePoint)
{
    PictureWindow window(0, 0, 640, 480);
    CDibImage image;
    ASSERT_TRUE(Load(image, window.Handle(), IDB_TEST_GRID));
    ExpectDrawnAs(window, [&](CDC* dc) { image.Draw(dc, -5, 7, TRUE); }, GridAt(-5, 7));
}

TEST_F(DibImageTest, DrawPartCopiesOnlyTheSourceRectangle)
{
    PictureWindow window(0, 0, 640, 480);
    CDibImage image;
    ASSERT_TRUE(Load(image, window.Handle(), IDB_TEST_GRID));
    ExpectDrawnAs(window, [&](CDC* dc) { image.DrawPart(dc, 10, 20, CRect(100, 50, 200, 150), TRUE); },
                  [](int x, int y) {
                      return x >= 10 && x < 110 && y >= 20 && y < 120 ? GridPixel(x + 90, y + 30) : kWhite;
                  });
}

TEST_F(DibImageTest, DrawStretchedFillsTheRectangleAndLeavesTheStretchModeAlone)
{
    PictureWindow window(0, 0, 640, 480);
    CDibImage image;
    ASSERT_TRUE(Load(image, window.Handle(), IDB_TEST_SMALL));
    window.Fill(kWhite);
    int modeAfter = 0;
    {
        WindowDC dc(window.Handle());
        SetStretchBltMode(dc.hdc(), COLORONCOLOR);
        image.DrawStretched(dc.get(), CRect(10, 10, 330, 330), TRUE);
        modeAfter = GetStretchBltMode(dc.hdc());
    }
    EXPECT_EQ(COLORONCOLOR, modeAfter) << "the stretch mode of the DC was changed";
    // Each picture pixel is a block of 20 x 20; its middle is checked, and
    // everything outside the rectangle.
    std::string report;
    EXPECT_EQ(0, CountMismatches(window.Handle(),
                                 [](int x, int y) {
                                     if (x < 10 || x >= 330 || y < 10 || y >= 330)
                                         return kWhite;
                                     int bx = (x - 10) % 20, by = (y - 10) % 20;
                                     if (bx < 3 || bx > 16 || by < 3 || by > 16)
                                         return (COLORREF)CLR_INVALID;
                                     return SmallPixel((x - 10) / 20, (y - 10) / 20);
                                 },
                                 &report))
        << report;
}

TEST_F(DibImageTest, ATopDownPictureIsDrawnTheRightWayUp)
{
    PictureWindow window(0, 0, 640, 480);
    CDibImage image;
    ASSERT_TRUE(Load(image, window.Handle(), IDB_TEST_TOP_DOWN));
    ExpectDrawnAs(window, [&](CDC* dc) { image.Draw(dc, 30, 40, TRUE); },
                  [](int x, int y) {
                      int px = x - 30, py = y - 40;
                      return px >= 0 && px < 16 && py >= 0 && py < 16 ? SmallPixel(px, py) : kWhite;
                  });
}

TEST_F(DibImageTest, DrawingWithRealizeSelectsTheSharedPaletteIntoTheTarget)
{
    PictureWindow window(0, 0, 640, 480);
    CDibImage image;
    ASSERT_TRUE(Load(image, window.Handle(), IDB_TEST_SMALL));
    MemoryTarget target(window.Handle(), 32);
    ASSERT_TRUE(target.Made());
    HGDIOBJ defaultPalette = GetStockObject(DEFAULT_PALETTE);

    image.Draw(target.get(), 0, 0, FALSE);
    EXPECT_EQ(defaultPalette, GetCurrentObject(target.hdc(), OBJ_PAL)) << "bRealize FALSE selected a palette";
    EXPECT_EQ(SmallPixel(5, 6), GetPixel(target.hdc(), 5, 6));
    image.Draw(target.get(), 0, 0, TRUE);
    EXPECT_EQ((HGDIOBJ)SharedPalette(), GetCurrentObject(target.hdc(), OBJ_PAL))
        << "the shared palette is not selected into the target";
    EXPECT_EQ(SmallPixel(15, 15), GetPixel(target.hdc(), 15, 15));
}

// ---- What cannot be done, and what stays ---------------------------------

TEST_F(DibImageTest, APictureThatIsNotLoadedDrawsNothing)
{
    PictureWindow window(0, 0, 640, 480);
    window.Fill(kWhite);
    CDibImage empty, headerOnly;
    ASSERT_FALSE(headerOnly.LoadFromResource(NULL, IDB_TEST_GRID, Module(), TRUE));
    ASSERT_TRUE(headerOnly.GetHeader() != NULL);
    {
        WindowDC dc(window.Handle());
        for (CDibImage* image : {&empty, &headerOnly}) {
            image->Draw(dc.get(), 0, 0, TRUE);
            image->DrawCentered(dc.get(), TRUE);
            image->DrawPart(dc.get(), 0, 0, CRect(0, 0, 100, 100), TRUE);
            image->DrawStretched(dc.get(), CRect(0, 0, 640, 480), TRUE);
        }
        empty.Draw(NULL, 0, 0, TRUE);
        empty.DrawCentered(NULL, TRUE);
    }
    std::string report;
    EXPECT_EQ(0, CountMismatches(window.Handle(), AllWhite(), &report)) << report;
    EXPECT_TRUE(g_pSharedPalette == NULL) << "drawing nothing made a palette";
}

TEST_F(DibImageTest, DrawCenteredOnADcOfNoWindowDrawsNothing)
{
    PictureWindow window(0, 0, 640, 480);
    CDibImage image;
    ASSERT_TRUE(Load(image, window.Handle(), IDB_TEST_SMALL));
    MemoryTarget target(window.Handle(), 32);
    ASSERT_TRUE(target.Made());
    target.get()->FillSolidRect(0, 0, 32, 32, kWhite);
    image.DrawCentered(target.get(), TRUE);
    int changed = 0;
    for (int y = 0; y < 32; y++)
        for (int x = 0; x < 32; x++)
            changed += GetPixel(target.hdc(), x, y) != kWhite;
    EXPECT_EQ(0, changed) << "pixels drawn on a DC that has no window to centre in";
}

TEST_F(DibImageTest, AMissingResourceLeavesTheObjectEmpty)
{
    PictureWindow window(0, 0, 640, 480);
    CDibImage image;
    EXPECT_FALSE(Load(image, window.Handle(), 9999));
    EXPECT_TRUE(image.GetHeader() == NULL);
    EXPECT_TRUE(image.GetBitmap() == NULL);
    EXPECT_TRUE(image.GetPixels() == NULL);
    EXPECT_TRUE(g_pSharedPalette == NULL);
    // Only the low 16 bits name the resource.
    EXPECT_TRUE(Load(image, window.Handle(), 0x10000 | IDB_TEST_SMALL));
    EXPECT_EQ(16, image.GetHeader()->bmiHeader.biWidth);
}

TEST_F(DibImageTest, WithoutADcTheLoadFailsAtThePaletteAndKeepsTheHeader)
{
    CDibImage image;
    EXPECT_FALSE(image.LoadFromResource(NULL, IDB_TEST_GRID, Module(), TRUE));
    ASSERT_TRUE(image.GetHeader() != NULL) << "the header copy was freed";
    EXPECT_EQ(256u, image.GetHeader()->bmiHeader.biClrUsed);
    EXPECT_EQ(307200u, image.GetHeader()->bmiHeader.biSizeImage);
    EXPECT_TRUE(image.GetBitmap() == NULL);
    EXPECT_TRUE(image.GetPixels() == NULL);
    EXPECT_TRUE(g_pSharedPalette == NULL) << "a palette was made without a DC";
    EXPECT_FALSE(image.RemapToPalette()) << "remapped without a palette";

    // The same object loads once there is a DC.
    PictureWindow window(0, 0, 640, 480);
    EXPECT_TRUE(Load(image, window.Handle(), IDB_TEST_GRID));
    EXPECT_TRUE(image.GetBitmap() != NULL);
}

TEST_F(DibImageTest, ASectionThatCannotBeMadeLeavesTheObjectEmpty)
{
    // A metafile DC takes the palette but gives no DIB section.
    CDC metafile;
    metafile.Attach(CreateMetaFileA(NULL));
    ASSERT_TRUE(metafile.GetSafeHdc() != NULL);
    CDibImage image;
    EXPECT_FALSE(image.LoadFromResource(&metafile, IDB_TEST_SMALL, Module(), TRUE));
    EXPECT_TRUE(g_pSharedPalette != NULL) << "the load did not get past the palette step";
    EXPECT_TRUE(image.GetHeader() == NULL) << "the header outlived the failed section";
    EXPECT_TRUE(image.GetBitmap() == NULL);
    EXPECT_TRUE(image.GetPixels() == NULL);
    DeleteMetaFile(CloseMetaFile(metafile.Detach()));
}

TEST_F(DibImageTest, SelectAndRealizePaletteNeedsAHeaderAndADc)
{
    PictureWindow window(0, 0, 640, 480);
    WindowDC dc(window.Handle());
    CDibImage empty;
    EXPECT_FALSE(empty.SelectAndRealizePalette(dc.get()));
    EXPECT_TRUE(g_pSharedPalette == NULL) << "an empty picture made a palette";

    CDibImage image;
    ASSERT_FALSE(image.LoadFromResource(NULL, IDB_TEST_SIXTEEN, Module(), TRUE));
    EXPECT_FALSE(image.SelectAndRealizePalette(NULL));
    EXPECT_TRUE(g_pSharedPalette == NULL);
    EXPECT_TRUE(image.SelectAndRealizePalette(dc.get()));
    ASSERT_TRUE(g_pSharedPalette != NULL);
    EXPECT_EQ(16u, PaletteEntries(SharedPalette()).size());
    EXPECT_EQ((HGDIOBJ)SharedPalette(), GetCurrentObject(dc.hdc(), OBJ_PAL));

    // Later calls use the palette there is, whatever picture asks.
    CDibPalette* before = g_pSharedPalette;
    CDibImage other;
    ASSERT_FALSE(other.LoadFromResource(NULL, IDB_TEST_GRID, Module(), TRUE));
    EXPECT_TRUE(other.SelectAndRealizePalette(dc.get()));
    EXPECT_EQ(before, g_pSharedPalette);
    EXPECT_EQ(16u, PaletteEntries(SharedPalette()).size());
}

TEST_F(DibImageTest, RemapToPaletteNeedsThePaletteTheHeaderAndThePixels)
{
    CDibImage empty;
    EXPECT_FALSE(empty.RemapToPalette());
    PictureWindow window(0, 0, 640, 480);
    CDibImage loaded;
    ASSERT_TRUE(Load(loaded, window.Handle(), IDB_TEST_SMALL));
    EXPECT_FALSE(empty.RemapToPalette()) << "no header";
    CDibImage headerOnly;
    ASSERT_FALSE(headerOnly.LoadFromResource(NULL, IDB_TEST_SMALL, Module(), TRUE));
    EXPECT_FALSE(headerOnly.RemapToPalette()) << "no pixels";
    EXPECT_TRUE(loaded.RemapToPalette());
    EXPECT_EQ(SmallIndex(3, 15), loaded.GetPixels()[3]) << "remapping with its own palette changed a pixel";
}

TEST_F(DibImageTest, CopyColorTableWritesTheColourCountAndNoMore)
{
    CDibImage empty;
    PALETTEENTRY entries[20];
    EXPECT_FALSE(empty.CopyColorTable(entries));
    CDibImage image;
    ASSERT_FALSE(image.LoadFromResource(NULL, IDB_TEST_SIXTEEN, Module(), TRUE));
    EXPECT_FALSE(image.CopyColorTable(NULL));
    memset(entries, 0xEE, sizeof entries);
    ASSERT_TRUE(image.CopyColorTable(entries));
    for (int i = 0; i < 16; i++) {
        Rgb c = SixteenColour(i);
        EXPECT_TRUE(entries[i].peRed == c.r && entries[i].peGreen == c.g && entries[i].peBlue == c.b &&
                    entries[i].peFlags == 0)
            << "entry " << i;
    }
    for (int i = 16; i < 20; i++)
        EXPECT_EQ(0xEE, entries[i].peRed) << "entry " << i << " past the colour count was written";
}

TEST_F(DibImageTest, APaletteOfNoPictureHasNoHandle)
{
    CDibPalette fromNothing(NULL);
    EXPECT_TRUE(fromNothing.GetSafeHandle() == NULL);
    CDibImage empty;
    CDibPalette fromEmpty(&empty);
    EXPECT_TRUE(fromEmpty.GetSafeHandle() == NULL);
    EXPECT_FALSE(fromEmpty.CreateFromImage(&empty));
    EXPECT_FALSE(fromEmpty.CreateFromImage(NULL));
    EXPECT_FALSE(fromEmpty.MakeIdentity()) << "an identity palette of no palette";
    EXPECT_EQ(RUNTIME_CLASS(CPalette), fromEmpty.GetRuntimeClass());
}

TEST_F(DibImageTest, OnAScreenWithoutPaletteTheIdentityRebuildIsRefused)
{
    CDibImage image;
    ASSERT_FALSE(image.LoadFromResource(NULL, IDB_TEST_GRID, Module(), TRUE));
    CDibPalette palette(&image);
    ASSERT_TRUE(palette.GetSafeHandle() != NULL);
    EXPECT_FALSE(palette.MakeIdentity());
    std::vector<PALETTEENTRY> entries = PaletteEntries((HPALETTE)palette.GetSafeHandle());
    ASSERT_EQ(256u, entries.size()) << "the refused rebuild resized the palette";
    std::vector<PALETTEENTRY> grid = GridEntries();
    EXPECT_EQ(0, memcmp(grid.data(), entries.data(), 256 * sizeof(PALETTEENTRY))) << "the refused rebuild changed entries";
}

TEST_F(DibImageTest, LoadingAgainAndDestroyingFreeThePreviousBitmap)
{
    PictureWindow window(0, 0, 640, 480);
    CDibImage* image = new CDibImage;
    ASSERT_TRUE(Load(*image, window.Handle(), IDB_TEST_GRID));
    HBITMAP first = image->GetBitmap();
    ASSERT_TRUE(Load(*image, window.Handle(), IDB_TEST_SIXTEEN));
    EXPECT_EQ(0u, GetObjectType(first)) << "the first picture's section outlived the second load";
    EXPECT_EQ(16u, image->GetHeader()->bmiHeader.biClrUsed);
    HBITMAP second = image->GetBitmap();
    ASSERT_FALSE(Load(*image, window.Handle(), 9999));
    EXPECT_EQ(0u, GetObjectType(second)) << "a failed load kept the previous section";
    EXPECT_TRUE(image->GetHeader() == NULL);
    ASSERT_TRUE(Load(*image, window.Handle(), IDB_TEST_SMALL));
    HBITMAP third = image->GetBitmap();
    delete static_cast<CObject*>(image);  // through the virtual destructor
    EXPECT_EQ(0u, GetObjectType(third)) << "the destructor kept the section";
}

TEST_F(DibImageTest, FreeEmptiesTheObjectAndMayBeCalledAgain)
{
    PictureWindow window(0, 0, 640, 480);
    CDibImage image;
    image.Free();
    ASSERT_TRUE(Load(image, window.Handle(), IDB_TEST_SMALL));
    HBITMAP bitmap = image.GetBitmap();
    image.Free();
    EXPECT_TRUE(image.GetBitmap() == NULL);
    EXPECT_TRUE(image.GetHeader() == NULL);
    EXPECT_TRUE(image.GetPixels() == NULL);
    EXPECT_EQ(0u, GetObjectType(bitmap));
    image.Free();
    EXPECT_TRUE(g_pSharedPalette != NULL) << "freeing a picture took the shared palette";
}

// ---- Damaged and unsupported pictures ------------------------------------

struct BadPicture {
    UINT id;
    const char* what;
};

std::ostream& operator<<(std::ostream& os, const BadPicture& p) { return os << p.what; }

class BadPictureTest : public DibImageTest, public ::testing::WithParamInterface<BadPicture> {};

TEST_P(BadPictureTest, IsRefusedBeforeAnythingIsMade)
{
    PictureWindow window(0, 0, 640, 480);
    CDibImage image;
    EXPECT_FALSE(Load(image, window.Handle(), GetParam().id));
    EXPECT_TRUE(image.GetHeader() == NULL) << "a header was kept";
    EXPECT_TRUE(image.GetBitmap() == NULL) << "a section was made";
    EXPECT_TRUE(g_pSharedPalette == NULL) << "a palette was made from it";
    // The object stays usable.
    EXPECT_TRUE(Load(image, window.Handle(), IDB_TEST_SMALL));
}

INSTANTIATE_TEST_SUITE_P(Resources, BadPictureTest,
                         ::testing::Values(BadPicture{IDB_TEST_TOO_MANY_COLOURS, "300 colours"},
                                           BadPicture{IDB_TEST_257_COLOURS, "257 colours"},
                                           BadPicture{IDB_TEST_TRUNCATED, "pixels cut short"},
                                           BadPicture{IDB_TEST_FOUR_BIT, "4 bits a pixel"},
                                           BadPicture{IDB_TEST_RLE8, "RLE8"},
                                           BadPicture{IDB_TEST_HUGE_HEADER, "biSize past the end"},
                                           BadPicture{IDB_TEST_SHORT_TABLE, "colour table cut short"},
                                           BadPicture{IDB_TEST_ZERO_WIDTH, "width 0"}));

TEST_F(DibImageTest, ABiSizeImageLargerThanTheSectionIsCappedToIt)
{
    PictureWindow window(0, 0, 640, 480);
    CDibImage image;
    ASSERT_TRUE(Load(image, window.Handle(), IDB_TEST_OVERSIZED_IMAGE));
    EXPECT_EQ(256u, image.GetHeader()->bmiHeader.biSizeImage) << "biSizeImage of 1,000,000 for a 16 x 16 section";
    int wrong = 0;
    for (int row = 0; row < 16; row++)
        for (int x = 0; x < 16; x++)
            wrong += image.GetPixels()[row * 16 + x] != SmallIndex(x, 15 - row);
    EXPECT_EQ(0, wrong);
    EXPECT_TRUE(image.RemapToPalette());
}

}  // namespace
