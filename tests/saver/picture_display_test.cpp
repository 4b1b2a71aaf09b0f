// Pictures drawn on a real saver window of this process, read back pixel by
// pixel: centring, stretching, odd widths, the wipe and its direction, the
// out-of-memory message and the release of everything a picture takes.
#include <gtest/gtest.h>

#include <windows.h>

#include <psapi.h>

#include <string>
#include <vector>

#include "picture_display.h"
#include "picture_test_support.h"
#include "slideshow.h"
#include "test_support.h"

using namespace vrxtest;
using namespace picturetest;
using namespace VrxSamples;

namespace {

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

#define EXPECT_PIXEL(expected, window, x, y)                                                             \
    do {                                                                                                 \
        COLORREF actual_ = PixelOf(window, x, y);                                                        \
        EXPECT_EQ(ColourText(expected), ColourText(actual_)) << "pixel at (" << (x) << ", " << (y) << ")"; \
    } while (0)

class PictureDisplayTest : public PictureWindowTest {};

TEST_F(PictureDisplayTest, SmallPictureIsCentredAtItsOwnSize)
{
    AddSample("solid_320x200_24.bmp", "one.bmp");
    HWND window = ShowFullScreen(0);
    ASSERT_NE(nullptr, window);
    EXPECT_FALSE(TakeQuit()) << "the picture exists; the saver must not end";
    EXPECT_PIXEL(Colour(kSolidBorder), window, 160, 140);
    EXPECT_PIXEL(Colour(kSolidBorder), window, 479, 339);
    EXPECT_PIXEL(Colour(kSolidFill), window, 161, 141);
    EXPECT_PIXEL(Colour(kSolidFill), window, 478, 338);
    EXPECT_PIXEL(kBlack, window, 159, 140);
    EXPECT_PIXEL(kBlack, window, 160, 139);
    EXPECT_PIXEL(kBlack, window, 480, 339);
    EXPECT_PIXEL(kBlack, window, 479, 340);
    EXPECT_PIXEL(kBlack, window, 0, 0);
    EXPECT_PIXEL(kBlack, window, 639, 479);
}

TEST_F(PictureDisplayTest, SmallPictureIsStretchedToTheWindowWithFullscreen)
{
    AddSample("solid_320x200_24.bmp", "one.bmp");
    HWND window = ShowFullScreen(1);
    ASSERT_NE(nullptr, window);
    EXPECT_PIXEL(Colour(kSolidBorder), window, 0, 0);
    EXPECT_PIXEL(Colour(kSolidBorder), window, 639, 479);
    EXPECT_PIXEL(Colour(kSolidBorder), window, 320, 0);
    EXPECT_PIXEL(Colour(kSolidBorder), window, 0, 240);
    EXPECT_PIXEL(Colour(kSolidFill), window, 4, 4);
    EXPECT_PIXEL(Colour(kSolidFill), window, 320, 240);
    EXPECT_PIXEL(Colour(kSolidFill), window, 634, 474);
}

TEST_F(PictureDisplayTest, PictureOfTheWindowsSizeIsDrawnOneToOneWithEitherSetting)
{
    AddSample("solid_640x480_24.bmp", "one.bmp");
    for (LONG fullscreen : {0, 1}) {
        SCOPED_TRACE(fullscreen ? "Fullscreen 1" : "Fullscreen 0");
        HWND window = ShowFullScreen(fullscreen);
        ASSERT_NE(nullptr, window);
        EXPECT_PIXEL(Colour(kSolidBorder), window, 0, 0);
        EXPECT_PIXEL(Colour(kSolidBorder), window, 639, 479);
        EXPECT_PIXEL(Colour(kSolidFill), window, 1, 1);
        EXPECT_PIXEL(Colour(kSolidFill), window, 638, 478);
        CloseSaverWindow();
    }
}

TEST_F(PictureDisplayTest, LargerPictureIsStretchedToTheWindowEvenWithoutFullscreen)
{
    AddSample("quadrants_800x600_24.bmp", "one.bmp");
    HWND window = ShowFullScreen(0);
    ASSERT_NE(nullptr, window);
    // Centred at its own size the picture would start at (-80, -60) and show
    // only the middle 640 x 480; stretched, each quarter fills a quarter.
    EXPECT_PIXEL(Colour(kQuadrantTopLeft), window, 0, 0);
    EXPECT_PIXEL(Colour(kQuadrantTopLeft), window, 318, 238);
    EXPECT_PIXEL(Colour(kQuadrantTopRight), window, 322, 0);
    EXPECT_PIXEL(Colour(kQuadrantTopRight), window, 639, 238);
    EXPECT_PIXEL(Colour(kQuadrantBottomLeft), window, 0, 479);
    EXPECT_PIXEL(Colour(kQuadrantBottomLeft), window, 318, 242);
    EXPECT_PIXEL(Colour(kQuadrantBottomRight), window, 639, 479);
    EXPECT_PIXEL(Colour(kQuadrantBottomRight), window, 322, 242);
}

TEST_F(PictureDisplayTest, WidePictureIsStretchedToTheWholeWindowChangingItsProportions)
{
    AddSample("solid_800x300_24.bmp", "one.bmp");
    for (LONG fullscreen : {0, 1}) {
        SCOPED_TRACE(fullscreen ? "Fullscreen 1" : "Fullscreen 0");
        HWND window = ShowFullScreen(fullscreen);
        ASSERT_NE(nullptr, window);
        // 300 rows become 480: the frame lies on the window's top and bottom
        // rows and the fill reaches rows that a centred picture (rows 90 to
        // 389) would leave black.
        EXPECT_PIXEL(Colour(kSolidBorder), window, 320, 0);
        EXPECT_PIXEL(Colour(kSolidBorder), window, 320, 479);
        EXPECT_PIXEL(Colour(kSolidFill), window, 320, 40);
        EXPECT_PIXEL(Colour(kSolidFill), window, 320, 440);
        EXPECT_PIXEL(Colour(kSolidFill), window, 8, 240);
        EXPECT_PIXEL(Colour(kSolidFill), window, 631, 240);
        CloseSaverWindow();
    }
}

TEST_F(PictureDisplayTest, OddDifferenceCentresRoundingTowardZero)
{
    AddSample("solid_321x200_24.bmp", "one.bmp");
    HWND window = ShowFullScreen(0);
    ASSERT_NE(nullptr, window);
    EXPECT_PIXEL(kBlack, window, 158, 140);
    EXPECT_PIXEL(Colour(kSolidBorder), window, 159, 140);
    EXPECT_PIXEL(Colour(kSolidFill), window, 160, 141);
    EXPECT_PIXEL(Colour(kSolidBorder), window, 479, 141);
    EXPECT_PIXEL(kBlack, window, 480, 141);
}

// Every pixel of the window against the file itself, decoded here.
void ExpectDrawnWhole(HWND window, const std::vector<BYTE>& file, int left, int top)
{
    LONG pictureWidth = *reinterpret_cast<const LONG*>(&file[18]);
    LONG pictureHeight = *reinterpret_cast<const LONG*>(&file[22]);
    if (pictureHeight < 0)
        pictureHeight = -pictureHeight;
    EXPECT_EQ("", DrawnPictureMismatch(
                      window, left, top, pictureWidth, pictureHeight,
                      [&](int x, int y) { return FilePixel(file, x, y); }, 0));
}

// 641 columns stretched to 640: each pixel of the window comes from column x
// or x + 1 of the same row, or from both where the default stretching mode
// (BLACKONWHITE) ANDs the two columns it merges. A row copied with a wrong length would shear
// the picture and fail on most rows.
void ExpectDrawnShrunkByOneColumn(HWND window, const std::vector<BYTE>& file)
{
    EXPECT_EQ("", ClientPixelMismatch(window, [&](int x, int y, COLORREF got) {
                  COLORREF left = FilePixel(file, x, y), right = FilePixel(file, x + 1, y);
                  return got == left || got == right || got == (left & right)
                             ? std::string()
                             : ColourText(left) + " or " + ColourText(right);
              }));
}

TEST_F(PictureDisplayTest, PicturesOneColumnWiderThanTheScreenAreDrawnWhole)
{
    if (ScreenDepth() <= 8)
        GTEST_SKIP() << "exact colours need a true-colour screen";
    for (const char* sample : {"rings_641x480_8.bmp", "starburst_641x480_24.bmp"}) {
        SCOPED_TRACE(sample);
        OnlyPicture(sample);
        HWND window = ShowFullScreen(0);
        ASSERT_NE(nullptr, window);
        EXPECT_FALSE(TakeQuit());
        ExpectDrawnShrunkByOneColumn(window, ReadFileBytes(SamplePath(sample)));
        CloseSaverWindow();
    }
}

TEST_F(PictureDisplayTest, OddWidthPicturesOfEveryDepthAreCopiedWhole)
{
    if (ScreenDepth() <= 8)
        GTEST_SKIP() << "exact colours need a true-colour screen";
    for (const char* sample : {"starburst_321x200_8.bmp", "tiles_321x200_24.bmp", "sunset_320x200_24.bmp",
                               "rings_320x200_32.bmp", "tiles_320x200_8.bmp"}) {
        SCOPED_TRACE(sample);
        OnlyPicture(sample);
        HWND window = ShowFullScreen(0);
        ASSERT_NE(nullptr, window);
        std::vector<BYTE> file = ReadFileBytes(SamplePath(sample));
        LONG width = *reinterpret_cast<const LONG*>(&file[18]);
        LONG height = *reinterpret_cast<const LONG*>(&file[22]);
        ExpectDrawnWhole(window, file, (640 - width) / 2, (480 - height) / 2);
        CloseSaverWindow();
    }
}

TEST_F(PictureDisplayTest, TopDownAndFewColourPicturesAreDrawnAsTheyAre)
{
    if (ScreenDepth() <= 8)
        GTEST_SKIP() << "exact colours need a true-colour screen";
    const std::vector<COLORREF> sixteen = {RGB(0, 0, 0),       RGB(0xD8, 0x30, 0x30), RGB(0x30, 0xC0, 0x50),
                                           RGB(0x30, 0x50, 0xD8), RGB(0xE8, 0xE8, 0xE8), RGB(0xF8, 0xC8, 0x20),
                                           RGB(0x80, 0x00, 0x80), RGB(0x00, 0x80, 0x80)};
    auto bands = [](int x, int y) { return 1 + (x / 10 + y / 7) % 7; };
    struct Case {
        const char* what;
        std::vector<BYTE> file;
    } cases[] = {
        {"4 bits, bottom-up", MakeIndexedBitmap(61, 37, 4, false, sixteen, bands)},
        {"4 bits, top-down", MakeIndexedBitmap(61, 37, 4, true, sixteen, bands)},
        {"1 bit", MakeIndexedBitmap(45, 30, 1, false, {RGB(0x30, 0x90, 0xD8), RGB(0xF8, 0xC8, 0x20)},
                                   [](int x, int y) { return (x + y) % 3 == 0; })},
        {"8 bits, top-down", MakeIndexedBitmap(33, 21, 8, true, sixteen, bands)},
        {"24 bits, top-down",
         MakeRgbBitmap(50, 40, true, [](int x, int y) { return RGB(x * 5, y * 6, 0x80); })},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RemoveTree(PicturesDirectory());
        CreateDirectoryA(PicturesDirectory().c_str(), NULL);
        AddFile(c.file, "made.bmp");
        WriteSettings(0, 100);
        HWND window = CreatePreview(152, 112);
        ASSERT_NE(nullptr, window);
        UpdateWindow(window);
        EXPECT_FALSE(TakeQuit());
        LONG width = *reinterpret_cast<const LONG*>(&c.file[18]);
        LONG height = *reinterpret_cast<const LONG*>(&c.file[22]);
        if (height < 0)
            height = -height;
        ExpectDrawnWhole(window, c.file, (152 - width) / 2, (112 - height) / 2);
        CloseSaverWindow();
    }
}

TEST_F(PictureDisplayTest, PictureLargerThanThePreviewIsStretchedToIt)
{
    AddSample("quadrants_320x200_24.bmp", "one.bmp");
    WriteSettings(0, 100);
    HWND window = CreatePreview(152, 112);
    ASSERT_NE(nullptr, window);
    UpdateWindow(window);
    EXPECT_EQ(0, DrawingArea.X);
    EXPECT_EQ(0, DrawingArea.Y);
    EXPECT_EQ(152, DrawingArea.Width);
    EXPECT_EQ(112, DrawingArea.Height);
    EXPECT_PIXEL(Colour(kQuadrantTopLeft), window, 0, 0);
    EXPECT_PIXEL(Colour(kQuadrantTopRight), window, 151, 0);
    EXPECT_PIXEL(Colour(kQuadrantBottomLeft), window, 0, 111);
    EXPECT_PIXEL(Colour(kQuadrantBottomRight), window, 151, 111);
}

// ---- The wipe ---------------------------------------------------------

// What the window shows each time the wipe pauses.
struct WipeProbe {
    HWND window;
    int pauses;
    std::vector<COLORREF> samples;  // per pause: the last strip wiped and the next one
    int style;
};
WipeProbe* ActiveProbe = nullptr;

// Where the strip after i strips lies, for each style: row or column.
POINT StripPoint(int style, int strip)
{
    switch (style) {
    case WIPE_TOP_TO_BOTTOM:
        return {320, strip};
    case WIPE_LEFT_TO_RIGHT:
        return {strip, 240};
    case WIPE_BOTTOM_TO_TOP:
        return {320, 479 - strip};
    default:
        return {639 - strip, 240};
    }
}

void WINAPI RecordWipePause(DWORD milliseconds)
{
    WipeProbe* probe = ActiveProbe;
    EXPECT_EQ(1u, milliseconds) << "the wipe pauses for 1 ms";
    int lastStrip = 32 * probe->pauses;  // the pause follows strips 0, 32, 64, ...
    ++probe->pauses;
    if (probe->pauses <= 2) {
        POINT wiped = StripPoint(probe->style, lastStrip);
        POINT next = StripPoint(probe->style, lastStrip + 1);
        probe->samples.push_back(PixelOf(probe->window, wiped.x, wiped.y));
        probe->samples.push_back(PixelOf(probe->window, next.x, next.y));
    }
}

TEST_F(PictureDisplayTest, FourPicturesWipeBottomToTopRightToLeftTopToBottomThenLeftToRight)
{
    std::string path = AddSample("solid_320x200_24.bmp", "one.bmp");
    HWND window = ShowFullScreen(0);
    ASSERT_NE(nullptr, window);
    WipeStyle = WIPE_STYLE_AT_START;
    const int expectedStyles[] = {WIPE_BOTTOM_TO_TOP, WIPE_RIGHT_TO_LEFT, WIPE_TOP_TO_BOTTOM, WIPE_LEFT_TO_RIGHT};
    const int expectedPauses[] = {15, 20, 15, 20};  // 480 rows or 640 columns, one pause per 32 strips
    const char* names[] = {"bottom to top", "right to left", "top to bottom", "left to right"};
    WipeSleep = RecordWipePause;
    for (int n = 0; n < 4; ++n) {
        SCOPED_TRACE(names[n]);
        PaintWhite(window);
        WipeProbe probe = {window, 0, {}, expectedStyles[n]};
        ActiveProbe = &probe;
        ShowPictureFile(path.c_str(), window);
        ActiveProbe = nullptr;
        EXPECT_EQ(expectedStyles[n], WipeStyle);
        EXPECT_EQ(expectedPauses[n], probe.pauses);
        ASSERT_EQ(4u, probe.samples.size());
        EXPECT_EQ(ColourText(kBlack), ColourText(probe.samples[0])) << "strip 0 is black at the first pause";
        EXPECT_EQ(ColourText(kWhite), ColourText(probe.samples[1])) << "strip 1 is not wiped yet";
        EXPECT_EQ(ColourText(kBlack), ColourText(probe.samples[2])) << "strip 32 is black at the second pause";
        EXPECT_EQ(ColourText(kWhite), ColourText(probe.samples[3])) << "strip 33 is not wiped yet";
        EXPECT_PIXEL(Colour(kSolidFill), window, 320, 240);
        EXPECT_PIXEL(kBlack, window, 10, 10);
    }
}

TEST_F(PictureDisplayTest, TheWipeRunsBeforeTheFileIsOpened)
{
    HWND window = ShowFullScreen(0);
    ASSERT_NE(nullptr, window);
    DrainQueue();
    PaintWhite(window);
    std::string missing = JoinPath(PicturesDirectory(), "missing.bmp");
    ShowPictureFile(missing.c_str(), window);
    EXPECT_TRUE(TakeQuit()) << "a file that cannot be opened ends the saver";
    EXPECT_EQ(0, NonBlackPixels(window, 0, 0, 640, 480, 7)) << "the window is wiped black before the file is tried";
}

// ---- The steps as reported to a timing observer ----------------------------

std::vector<PicturePhase> PhasesSeen;
std::vector<COLORREF> CentreAtPhase;
HWND PhaseWindow = NULL;

void RecordPhaseAndCentre(PicturePhase finished)
{
    PhasesSeen.push_back(finished);
    CentreAtPhase.push_back(PixelOf(PhaseWindow, 320, 240));
}

TEST_F(PictureDisplayTest, EachStepIsReportedOnceInOrderAsItEnds)
{
    AddSample("solid_320x200_8.bmp", "one.bmp");
    PhaseWindow = ShowFullScreen(0);
    ASSERT_NE(nullptr, PhaseWindow);
    DrainQueue();
    PaintWhite(PhaseWindow);
    PhasesSeen.clear();
    CentreAtPhase.clear();
    PicturePhaseDone = RecordPhaseAndCentre;
    ShowPictureFile(JoinPath(PicturesDirectory(), "one.bmp").c_str(), PhaseWindow);
    std::string missing = JoinPath(PicturesDirectory(), "missing.bmp");
    ShowPictureFile(missing.c_str(), PhaseWindow);
    PicturePhaseDone = NULL;
    EXPECT_TRUE(TakeQuit()) << "the missing file still ends the saver";

    const PicturePhase expected[] = {PICTURE_PHASE_WIPE, PICTURE_PHASE_MAP,  PICTURE_PHASE_PALETTE,
                                     PICTURE_PHASE_SECTION, PICTURE_PHASE_COPY, PICTURE_PHASE_DRAW,
                                     PICTURE_PHASE_RELEASE, PICTURE_PHASE_WIPE};
    ASSERT_EQ(std::vector<PicturePhase>(std::begin(expected), std::end(expected)), PhasesSeen)
        << "a drawn picture reports every step; a file that cannot be opened only its wipe";
    EXPECT_EQ(ColourText(kBlack), ColourText(CentreAtPhase[0])) << "wiped when the wipe is reported";
    EXPECT_EQ(ColourText(kBlack), ColourText(CentreAtPhase[4])) << "not yet drawn when the copy is reported";
    EXPECT_EQ(ColourText(Colour(kSolidFill)), ColourText(CentreAtPhase[5])) << "drawn when the draw is reported";
}

// ---- Memory that cannot be had -------------------------------------------

int FailingSize = 0;
int LocalCalls[2048];
int GlobalCalls[2048];

HLOCAL WINAPI FailingLocalAlloc(UINT flags, SIZE_T bytes)
{
    if (bytes < 2048)
        ++LocalCalls[bytes];
    return static_cast<int>(bytes) == FailingSize ? NULL : LocalAlloc(flags, bytes);
}

HGLOBAL WINAPI FailingGlobalAlloc(UINT flags, SIZE_T bytes)
{
    if (bytes < 2048)
        ++GlobalCalls[bytes];
    return static_cast<int>(bytes) == FailingSize ? NULL : GlobalAlloc(flags, bytes);
}

void UseCountingAllocators(int failingSize)
{
    FailingSize = failingSize;
    ZeroMemory(LocalCalls, sizeof LocalCalls);
    ZeroMemory(GlobalCalls, sizeof GlobalCalls);
    PictureLocalAlloc = FailingLocalAlloc;
    PictureGlobalAlloc = FailingGlobalAlloc;
}

// What a message box of this process showed, read from another thread,
// which then presses its OK button.
struct MessageBoxSeen {
    bool found = false;
    std::string caption;
    std::string text;
    HWND owner = NULL;
    bool hasOk = false;
    bool hasCancel = false;
};

DWORD WINAPI AnswerMessageBox(void* parameter)
{
    MessageBoxSeen* seen = static_cast<MessageBoxSeen*>(parameter);
    for (int i = 0; i < 500 && !seen->found; ++i) {
        HWND box = FindProcessWindow(GetCurrentProcessId(), "#32770", NULL);
        if (box && IsWindowVisible(box)) {
            seen->found = true;
            seen->caption = WindowText(box);
            seen->text = WindowText(GetDlgItem(box, 0xFFFF));
            seen->owner = GetWindow(box, GW_OWNER);
            seen->hasOk = GetDlgItem(box, IDOK) != NULL && IsWindowVisible(GetDlgItem(box, IDOK));
            seen->hasCancel = GetDlgItem(box, IDCANCEL) != NULL && IsWindowVisible(GetDlgItem(box, IDCANCEL));
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            break;
        }
        Sleep(20);
    }
    return 0;
}

TEST_F(PictureDisplayTest, InfoBlockThatCannotBeHadIsReportedAndTheShowGoesOn)
{
    std::string path = AddSample("solid_320x200_8.bmp", "one.bmp");
    HWND window = ShowFullScreen(0);
    ASSERT_NE(nullptr, window);
    DrainQueue();
    // As in a real run, the saver window is in front with the focus: the
    // window that had the focus before the saver took it is the saver's own.
    SetForegroundWindow(window);
    SetFocus(window);
    ASSERT_EQ(window, GetFocus());
    PaintWhite(window);

    UseCountingAllocators(1064);
    MessageBoxSeen seen;
    HANDLE answerer = CreateThread(NULL, 0, AnswerMessageBox, &seen, 0, NULL);
    ShowPictureFile(path.c_str(), window);
    WaitForSingleObject(answerer, 15000);
    CloseHandle(answerer);

    ASSERT_TRUE(seen.found) << "no message box appeared";
    EXPECT_EQ("Fatal Error in screen saver", seen.caption);
    EXPECT_EQ("Out of memory !", seen.text);
    EXPECT_EQ(window, seen.owner) << "owner: the window that had the focus";
    EXPECT_TRUE(seen.hasOk);
    EXPECT_FALSE(seen.hasCancel) << "MB_OK has one button";
    EXPECT_EQ(1, LocalCalls[1064]);
    EXPECT_EQ(0, GlobalCalls[1032]) << "nothing is built after the info block failed";
    EXPECT_FALSE(TakeQuit()) << "the saver goes on after the message";
    EXPECT_PIXEL(kBlack, window, 320, 240);

    // The next picture, with memory to spare, is drawn as usual.
    UseCountingAllocators(0);
    ShowPictureFile(path.c_str(), window);
    EXPECT_PIXEL(Colour(kSolidFill), window, 320, 240);
    EXPECT_EQ(window, GetFocus()) << "the focus comes back to the saver";
}

TEST_F(PictureDisplayTest, PaletteBlocksThatCannotBeHadLeaveThePictureDrawnWithoutItsPalette)
{
    std::string path = AddSample("solid_320x200_8.bmp", "one.bmp");
    HWND window = ShowFullScreen(0);
    ASSERT_NE(nullptr, window);
    COLORREF fill = Colour(kSolidFill);
    for (int failing : {1032, 1024}) {
        SCOPED_TRACE(failing == 1032 ? "LOGPALETTE block" : "system palette block");
        UseCountingAllocators(failing);
        PaintWhite(window);
        ShowPictureFile(path.c_str(), window);
        EXPECT_FALSE(TakeQuit());
        EXPECT_EQ(1, GlobalCalls[1032]);
        EXPECT_EQ(failing == 1032 ? 0 : 1, LocalCalls[1024]);
        COLORREF shown = PixelOf(window, 320, 240);
        if (ScreenDepth() > 8) {
            EXPECT_EQ(ColourText(fill), ColourText(shown));
        }
        EXPECT_NE(ColourText(kWhite), ColourText(shown)) << "the picture is drawn after the wipe";
        EXPECT_NE(ColourText(kBlack), ColourText(shown)) << "the picture is drawn after the wipe";
    }
}

TEST_F(PictureDisplayTest, OnlyEightBitPicturesBuildAPalette)
{
    std::string eight = AddSample("solid_320x200_8.bmp", "a.bmp");
    std::string others[] = {AddSample("solid_320x200_16.bmp", "b.bmp"), AddSample("solid_320x200_24.bmp", "c.bmp"),
                            AddSample("solid_320x200_32.bmp", "d.bmp")};
    HWND window = ShowFullScreen(0);
    ASSERT_NE(nullptr, window);
    UseCountingAllocators(0);
    ShowPictureFile(eight.c_str(), window);
    EXPECT_EQ(1, LocalCalls[1064]);
    EXPECT_EQ(1, GlobalCalls[1032]);
    EXPECT_EQ(1, LocalCalls[1024]);
    for (const std::string& other : others) {
        SCOPED_TRACE(other);
        UseCountingAllocators(0);
        ShowPictureFile(other.c_str(), window);
        EXPECT_EQ(1, LocalCalls[1064]);
        EXPECT_EQ(0, GlobalCalls[1032]);
        EXPECT_EQ(0, LocalCalls[1024]);
        EXPECT_TRUE(Near(Colour(kSolidFill), PixelOf(window, 320, 240), ScreenDepth() > 8 ? 7 : 0x30));
    }
}

// ---- Nothing is kept between pictures --------------------------------------

void WINAPI NoPause(DWORD) {}

size_t MappedRegions()
{
    size_t count = 0;
    MEMORY_BASIC_INFORMATION region;
    for (char* at = nullptr; VirtualQuery(at, &region, sizeof region) == sizeof region;
         at = static_cast<char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_MAPPED)
            ++count;
        if (static_cast<char*>(region.BaseAddress) + region.RegionSize < at)
            break;
    }
    return count;
}

// Wine answers 0 to GetGuiResources and GetProcessHandleCount. Its GDI table
// holds about 16,384 objects, so one object kept per picture would make the
// last pictures fail to draw; a kept view shows as a mapped region, a kept
// file handle as a file that cannot be deleted, and kept kernel handles as
// new handle values climbing.
TEST_F(PictureDisplayTest, TwentyThousandPicturesKeepNoObjectHandleOrMemory)
{
    const COLORREF eightBitColour = RGB(0x30, 0x90, 0xD8);
    const COLORREF trueColour = RGB(0xD8, 0x30, 0x30);
    std::vector<COLORREF> table(256, RGB(0, 0, 0));
    table[10] = eightBitColour;
    std::string eight = AddFile(MakeIndexedBitmap(40, 30, 8, false, table, [](int, int) { return 10; }), "a.bmp");
    std::string rgb = AddFile(MakeRgbBitmap(40, 30, false, [&](int, int) { return trueColour; }), "b.bmp");
    WriteSettings(0, 100);
    HWND window = CreatePreview(64, 48);
    ASSERT_NE(nullptr, window);
    UpdateWindow(window);
    WipeSleep = NoPause;

    for (int i = 0; i < 200; ++i)
        ShowPictureFile(i % 2 ? rgb.c_str() : eight.c_str(), window);
    SIZE_T memoryBefore = PrivateBytes();
    size_t viewsBefore = MappedRegions();
    ULONG_PTR handleBefore = NextHandleValue();

    const int kPictures = 20000;
    int wrongEight = 0, wrongRgb = 0;
    for (int i = 0; i < kPictures; ++i) {
        bool isEight = i % 2 == 0;
        ShowPictureFile(isEight ? eight.c_str() : rgb.c_str(), window);
        if (i % 1000 < 2 || i >= kPictures - 2) {
            COLORREF shown = PixelOf(window, 32, 24);
            if (!Near(isEight ? eightBitColour : trueColour, shown, ScreenDepth() > 8 ? 0 : 0x30))
                ++(isEight ? wrongEight : wrongRgb);
        }
    }
    EXPECT_FALSE(TakeQuit());
    EXPECT_EQ(0, wrongEight) << "8-bit pictures drawn wrong among the samples taken";
    EXPECT_EQ(0, wrongRgb) << "24-bit pictures drawn wrong among the samples taken";
    EXPECT_EQ(ColourText(trueColour), ColourText(PixelOf(window, 32, 24))) << "the last picture";

    SIZE_T memoryAfter = PrivateBytes();
    EXPECT_LT(memoryAfter, memoryBefore + 2 * 1024 * 1024)
        << "private bytes before " << memoryBefore << ", after " << memoryAfter;
    EXPECT_EQ(viewsBefore, MappedRegions()) << "mapped views before and after";
    ULONG_PTR handleAfter = NextHandleValue();
    EXPECT_LT(handleAfter, handleBefore + 64 * 4) << "next handle value before " << handleBefore << ", after "
                                                    << handleAfter;
    EXPECT_TRUE(DeleteFileA(eight.c_str())) << "the 8-bit file is still open, error " << GetLastError();
    EXPECT_TRUE(DeleteFileA(rgb.c_str())) << "the 24-bit file is still open, error " << GetLastError();
}

}  // namespace
