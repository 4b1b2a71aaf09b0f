// The slideshow through the real procedure chain of a saver window in this
// process: settings read on creation, the order of the pictures, the restart
// through a repaint, the end when there is no picture or one goes missing.
#include <gtest/gtest.h>

#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "picture_display.h"
#include "picture_test_support.h"
#include "saver_runtime.h"
#include "slideshow.h"
#include "test_support.h"

using namespace vrxtest;
using namespace picturetest;
using namespace VrxSamples;

namespace {

// Three pictures that tell themselves apart at (160, 141) when centred on
// 640 x 480: the amber frame, the red quarter, the blue fill.
struct Signature {
    const char* sample;
    COLORREF at160x141;
};
const Signature kSignatures[] = {
    {"solid_320x200_24.bmp", RGB(0xF8, 0xC8, 0x20)},
    {"quadrants_320x200_24.bmp", RGB(0xD8, 0x30, 0x30)},
    {"solid_321x200_24.bmp", RGB(0x30, 0x90, 0xD8)},
};

// One picture shown, as seen by a subclass of the saver window.
struct Shown {
    UINT message;
    std::string name;
    COLORREF at160x141;
};

std::vector<Shown>* Recording = nullptr;
WNDPROC SaverProcedure = nullptr;

LRESULT CALLBACK RecordShows(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LONG styleBefore = WipeStyle;
    LRESULT result = CallWindowProcA(SaverProcedure, window, message, wParam, lParam);
    if (Recording && (message == WM_PAINT || message == WM_TIMER) && WipeStyle != styleBefore)
        Recording->push_back({message, PictureFind.cFileName, PixelOf(window, 160, 141)});
    return result;
}

const char* MessageName(UINT message)
{
    return message == WM_PAINT ? "WM_PAINT" : message == WM_TIMER ? "WM_TIMER" : "other";
}

class SlideshowTest : public PictureWindowTest {
protected:
    void Subclass(HWND window)
    {
        SaverProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordShows)));
    }

    void TearDown() override
    {
        Recording = nullptr;
        PictureWindowTest::TearDown();
    }
};

TEST_F(SlideshowTest, CreationReadsTheSettingsAndTheDrawingArea)
{
    AddSample("solid_320x200_24.bmp", "one.bmp");
    WriteSettings(1, 7);
    HWND window = CreateFullScreen();
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(install_, std::string(SaverSettings.installedPath));
    EXPECT_EQ(1, SaverSettings.fullscreen);
    EXPECT_EQ(7, SaverSettings.updateRate);
    EXPECT_EQ(0, DrawingArea.X);
    EXPECT_EQ(0, DrawingArea.Y);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), DrawingArea.Width);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), DrawingArea.Height);
    EXPECT_EQ(std::string("one.bmp"), PictureFind.cFileName);
    EXPECT_NE(INVALID_HANDLE_VALUE, PictureSearch);
    RECT update;
    EXPECT_TRUE(GetUpdateRect(window, &update, FALSE)) << "the first picture waits for the first paint";
    EXPECT_EQ(WIPE_STYLE_AT_START, WipeStyle) << "nothing is drawn before the paint";
}

TEST_F(SlideshowTest, WithoutAKeyTheDefaultsHold)
{
    HWND window = CreateFullScreen();
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(std::string(""), SaverSettings.installedPath);
    EXPECT_EQ(0, SaverSettings.fullscreen);
    EXPECT_EQ(2, SaverSettings.updateRate);
}

TEST_F(SlideshowTest, PicturesComeInTheListingsOrderAndTheFirstReturnsThroughARepaint)
{
    for (const Signature& signature : kSignatures)
        AddSample(signature.sample, std::string("p") + signature.sample);
    std::vector<std::string> listing = Listing();
    ASSERT_EQ(3u, listing.size());
    WriteSettings(0, 1);
    std::vector<Shown> shown;
    Recording = &shown;
    HWND window = CreateFullScreen();
    ASSERT_NE(nullptr, window);
    Subclass(window);
    DWORD start = GetTickCount();
    PumpUntil([&] { return shown.size() >= 5; }, 8000);
    DWORD elapsed = GetTickCount() - start;
    Recording = nullptr;

    ASSERT_GE(shown.size(), 4u) << "pictures shown in " << elapsed << " ms with UpdateRate 1";
    const UINT expectedMessages[] = {WM_PAINT, WM_TIMER, WM_TIMER, WM_PAINT, WM_TIMER};
    const size_t expectedPicture[] = {0, 1, 2, 0, 1};
    for (size_t i = 0; i < shown.size() && i < 5; ++i) {
        SCOPED_TRACE("show " + std::to_string(i));
        EXPECT_STREQ(MessageName(expectedMessages[i]), MessageName(shown[i].message));
        EXPECT_EQ(listing[expectedPicture[i]], shown[i].name);
        COLORREF signature = COLORREF(-1);
        for (const Signature& s : kSignatures)
            if (shown[i].name == std::string("p") + s.sample)
                signature = s.at160x141;
        EXPECT_EQ(ColourText(signature), ColourText(shown[i].at160x141)) << shown[i].name << " is on screen";
    }
    EXPECT_LT(elapsed, 7000u) << "five pictures one second apart";
}

TEST_F(SlideshowTest, WithOnePictureEveryTickRestartsTheListAndRedrawsIt)
{
    AddSample("solid_320x200_24.bmp", "one.bmp");
    HWND window = ShowFullScreen(0, 100);
    ASSERT_NE(nullptr, window);
    ASSERT_EQ(WIPE_BOTTOM_TO_TOP, WipeStyle);
    for (int tick = 0; tick < 3; ++tick) {
        SCOPED_TRACE("tick " + std::to_string(tick));
        PaintWhite(window);
        LONG style = WipeStyle;
        EXPECT_EQ(0, SendMessageA(window, WM_TIMER, SLIDESHOW_TIMER_ID, 0));
        RECT update;
        EXPECT_TRUE(GetUpdateRect(window, &update, FALSE)) << "the end of the list invalidates the window";
        EXPECT_EQ(style, WipeStyle) << "the tick itself draws nothing";
        EXPECT_NE(INVALID_HANDLE_VALUE, PictureSearch);
        EXPECT_EQ(std::string("one.bmp"), PictureFind.cFileName);
        UpdateWindow(window);
        EXPECT_EQ((style + 1) & 3, WipeStyle) << "the repaint wipes once";
        EXPECT_EQ(ColourText(Colour(kSolidFill)), ColourText(PixelOf(window, 320, 240)));
        EXPECT_FALSE(TakeQuit());
    }
}

TEST_F(SlideshowTest, OtherTimerIdsAreIgnored)
{
    AddSample("solid_320x200_24.bmp", "a.bmp");
    AddSample("quadrants_320x200_24.bmp", "b.bmp");
    HWND window = ShowFullScreen(0, 100);
    ASSERT_NE(nullptr, window);
    std::string current = PictureFind.cFileName;
    LONG style = WipeStyle;
    EXPECT_EQ(0, SendMessageA(window, WM_TIMER, 2, 0));
    EXPECT_EQ(current, std::string(PictureFind.cFileName));
    EXPECT_EQ(style, WipeStyle);
}

TEST_F(SlideshowTest, TicksAreDroppedOnceClosingIsAllowed)
{
    AddSample("solid_320x200_24.bmp", "a.bmp");
    AddSample("quadrants_320x200_24.bmp", "b.bmp");
    std::vector<std::string> listing = Listing();
    HWND window = ShowFullScreen(0, 100);
    ASSERT_NE(nullptr, window);
    ASSERT_EQ(listing[0], std::string(PictureFind.cFileName));
    LONG style = WipeStyle;

    SaverRuntime.ClosingAllowed = TRUE;
    EXPECT_EQ(0, SendMessageA(window, WM_TIMER, SLIDESHOW_TIMER_ID, 0));
    EXPECT_EQ(listing[0], std::string(PictureFind.cFileName)) << "a dropped tick does not advance";
    EXPECT_EQ(style, WipeStyle) << "a dropped tick does not wipe";

    SaverRuntime.ClosingAllowed = FALSE;
    EXPECT_EQ(0, SendMessageA(window, WM_TIMER, SLIDESHOW_TIMER_ID, 0));
    EXPECT_EQ(listing[1], std::string(PictureFind.cFileName)) << "the same tick while running advances";
    EXPECT_EQ((style + 1) & 3, WipeStyle);
}

// With no picture the search never starts: no timer, one black wipe on the
// first paint, and the quit message.
void ExpectEndAfterOneBlackWipe(HWND window, int width, int height)
{
    EXPECT_EQ(INVALID_HANDLE_VALUE, PictureSearch);
    EXPECT_EQ(std::string(""), PictureFind.cFileName);
    PaintWhite(window);
    bool quit = PumpSeeingQuit(300);
    EXPECT_TRUE(quit) << "the saver ends when there is no picture";
    EXPECT_EQ(WIPE_BOTTOM_TO_TOP, WipeStyle) << "exactly one wipe";
    EXPECT_EQ(0, NonBlackPixels(window, 0, 0, width, height, 5)) << "the window is left black";
    EXPECT_FALSE(KillTimer(window, SLIDESHOW_TIMER_ID)) << "no slideshow timer was set";
}

TEST_F(SlideshowTest, NoPictureEndsTheFullScreenSaverAfterOneBlackWipe)
{
    AddSample("solid_320x200_24.bmp", "not-a-picture.txt");
    WriteSettings(0, 1);
    HWND window = CreateFullScreen();
    ASSERT_NE(nullptr, window);
    ExpectEndAfterOneBlackWipe(window, 640, 480);
}

TEST_F(SlideshowTest, NoPictureEndsThePreviewAfterOneBlackWipe)
{
    WriteSettings(0, 1);
    HWND window = CreatePreview(152, 112);
    ASSERT_NE(nullptr, window);
    ExpectEndAfterOneBlackWipe(window, 152, 112);
}

TEST_F(SlideshowTest, AMissingPicturesDirectoryEndsTheSaver)
{
    RemoveTree(PicturesDirectory());
    WriteSettings(0, 1);
    HWND window = CreateFullScreen();
    ASSERT_NE(nullptr, window);
    ExpectEndAfterOneBlackWipe(window, 640, 480);
}

TEST_F(SlideshowTest, APictureRemovedWhileRunningEndsTheSaverWhenItsTurnComes)
{
    AddSample("solid_320x200_24.bmp", "a.bmp");
    AddSample("quadrants_320x200_24.bmp", "b.bmp");
    std::vector<std::string> listing = Listing();
    HWND window = ShowFullScreen(0, 100);
    ASSERT_NE(nullptr, window);
    ASSERT_FALSE(TakeQuit());
    ASSERT_TRUE(DeleteFileA(JoinPath(PicturesDirectory(), listing[1]).c_str()));
    SendMessageA(window, WM_TIMER, SLIDESHOW_TIMER_ID, 0);
    EXPECT_TRUE(TakeQuit()) << "the removed picture ends the saver";
    EXPECT_EQ(0, NonBlackPixels(window, 0, 0, 640, 480, 7)) << "after the wipe";
}

TEST_F(SlideshowTest, APictureLockedByAnotherProgramEndsTheSaverWhenItsTurnComes)
{
    AddSample("solid_320x200_24.bmp", "a.bmp");
    AddSample("quadrants_320x200_24.bmp", "b.bmp");
    std::vector<std::string> listing = Listing();
    HWND window = ShowFullScreen(0, 100);
    ASSERT_NE(nullptr, window);
    HANDLE lock = CreateFileA(JoinPath(PicturesDirectory(), listing[1]).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                              NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    SendMessageA(window, WM_TIMER, SLIDESHOW_TIMER_ID, 0);
    CloseHandle(lock);
    EXPECT_TRUE(TakeQuit()) << "the locked picture ends the saver";
}

TEST_F(SlideshowTest, PicturesAddedWhileRunningAreSeenOnTheNextPass)
{
    AddSample("solid_320x200_24.bmp", "a.bmp");
    HWND window = ShowFullScreen(0, 100);
    ASSERT_NE(nullptr, window);
    AddSample("quadrants_320x200_24.bmp", "b.bmp");
    std::vector<std::string> listing = Listing();
    SendMessageA(window, WM_TIMER, SLIDESHOW_TIMER_ID, 0);  // ends the first pass (or shows b at once)
    UpdateWindow(window);
    std::vector<std::string> seen;
    for (int tick = 0; tick < 4; ++tick) {
        seen.push_back(PictureFind.cFileName);
        SendMessageA(window, WM_TIMER, SLIDESHOW_TIMER_ID, 0);
        UpdateWindow(window);
    }
    EXPECT_NE(std::find(seen.begin(), seen.end(), "b.bmp"), seen.end()) << "b.bmp was never shown";
    EXPECT_FALSE(TakeQuit());
}

// ---- Paths that do not fit ---------------------------------------------------

TEST(PicturePath, JoinsInstalledPathPicturesAndName)
{
    char buffer[MAX_PATH];
    EXPECT_TRUE(JoinPicturePath(buffer, "C:\\VRX2 Screen Saver", "*.bmp"));
    EXPECT_STREQ("C:\\VRX2 Screen Saver\\pictures\\*.bmp", buffer);
    EXPECT_TRUE(JoinPicturePath(buffer, "", "one.bmp"));
    EXPECT_STREQ("\\pictures\\one.bmp", buffer);
    EXPECT_TRUE(JoinPicturePath(buffer, "D:", ""));
    EXPECT_STREQ("D:\\pictures\\", buffer);
}

TEST(PicturePath, APathOfMoreThan259CharactersNamesNoFileAndStaysInItsBuffer)
{
    struct Guarded {
        char buffer[MAX_PATH];
        char guard[64];
    } guarded;
    memset(&guarded, 'G', sizeof guarded);
    std::string name = "x.bmp";
    std::string fits(MAX_PATH - 1 - 10 - name.size(), 'a');  // 259 characters joined
    EXPECT_TRUE(JoinPicturePath(guarded.buffer, fits.c_str(), name.c_str()));
    EXPECT_EQ(259u, strlen(guarded.buffer));

    memset(&guarded, 'G', sizeof guarded);
    std::string tooLong = fits + "a";  // 260 characters joined
    EXPECT_FALSE(JoinPicturePath(guarded.buffer, tooLong.c_str(), name.c_str()));
    EXPECT_EQ('\0', guarded.buffer[0]) << "a path that does not fit is left empty";
    for (char c : guarded.guard)
        ASSERT_EQ('G', c) << "the join wrote past its buffer";

    std::string huge(5000, 'b');
    EXPECT_FALSE(JoinPicturePath(guarded.buffer, fits.c_str(), huge.c_str()));
    for (char c : guarded.guard)
        ASSERT_EQ('G', c) << "the join wrote past its buffer";
}

TEST_F(SlideshowTest, AnInstalledPathTooLongForTheSearchEndsTheSaverAfterTheWipe)
{
    std::string longPath = "C:\\" + std::string(250, 'v');  // 253 + "\pictures\*.bmp" = 268
    WriteText(HKEY_LOCAL_MACHINE, kSettingsKey, "Installed path", longPath);
    WriteNumber(HKEY_LOCAL_MACHINE, kSettingsKey, "UpdateRate", 1);
    HWND window = CreateFullScreen();
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(longPath, std::string(SaverSettings.installedPath));
    ExpectEndAfterOneBlackWipe(window, 640, 480);
}

// A directory deep enough that the search pattern fits in 260 characters but
// the path of a picture with a long name does not; made with the wide API,
// which is not bound by MAX_PATH.
TEST_F(SlideshowTest, APictureWhosePathDoesNotFitEndsTheSaverWhenItsTurnComes)
{
    std::string deep = install_;
    while (deep.size() < 230) {
        deep = JoinPath(deep, std::string(std::min<size_t>(40, 238 - deep.size()), 'd'));
        CreateDirectoryA(deep.c_str(), NULL);
    }
    std::string pictures = JoinPath(deep, "pictures");
    ASSERT_TRUE(CreateDirectoryA(pictures.c_str(), NULL) || GetLastError() == ERROR_ALREADY_EXISTS)
        << pictures.size() << " characters";
    std::string shortName = "a.bmp";
    std::string longName = "b" + std::string(40, 'n') + ".bmp";
    CopyFileTo(SamplePath("solid_320x200_24.bmp"), JoinPath(pictures, shortName));
    std::vector<BYTE> bytes = ReadFileBytes(SamplePath("quadrants_320x200_24.bmp"));
    std::string longPath = "\\\\?\\" + JoinPath(pictures, longName);
    std::wstring wide(longPath.begin(), longPath.end());
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << "could not make a picture of " << longPath.size() - 4
                                          << " characters, error " << GetLastError();
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL);
    CloseHandle(file);

    WriteText(HKEY_LOCAL_MACHINE, kSettingsKey, "Installed path", deep);
    WriteNumber(HKEY_LOCAL_MACHINE, kSettingsKey, "UpdateRate", 100);
    HWND window = CreateFullScreen();
    ASSERT_NE(nullptr, window);
    ASSERT_NE(INVALID_HANDLE_VALUE, PictureSearch) << "the pattern fits: " << deep.size() + 15 << " characters";
    bool quit = false;
    for (int turn = 0; turn < 3 && !quit; ++turn) {
        if (turn == 0)
            UpdateWindow(window);
        else
            SendMessageA(window, WM_TIMER, SLIDESHOW_TIMER_ID, 0);
        quit = TakeQuit();
        if (!quit) {
            EXPECT_EQ(shortName, std::string(PictureFind.cFileName)) << "only the short name can be shown";
        }
    }
    EXPECT_TRUE(quit) << "the picture whose path does not fit ends the saver";
    DeleteFileW(wide.c_str());
}

}  // namespace
