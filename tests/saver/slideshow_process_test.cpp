// The real VRXSaver.scr showing an installed tree: the pictures on the
// screen, the end when there is none, in full screen and in the preview, and
// the end when a picture is locked away while the saver runs.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "picture_test_support.h"
#include "settings_store.h"
#include "test_support.h"

using namespace vrxtest;
using namespace picturetest;
using namespace VrxSamples;

namespace {

std::string SaverPath() { return JoinPath(ProgramDirectory(), "VRXSaver.scr"); }

class SlideshowProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        install_ = MakeScratchDirectory("slideshow-process");
        pictures_ = JoinPath(install_, "pictures");
        CreateDirectoryA(pictures_.c_str(), NULL);
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey);
        DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKey);
    }

    void TearDown() override
    {
        if (host_ && IsWindow(host_))
            DestroyWindow(host_);
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey);
        DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKey);
        RemoveTree(install_);
    }

    void Add(const char* sample, const char* name)
    {
        CopyFileTo(SamplePath(sample), JoinPath(pictures_, name));
    }

    HWND MakeHost()
    {
        host_ = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 30, 30, 152, 112, NULL, NULL, NULL,
                                NULL);
        return host_;
    }

    std::string install_;
    std::string pictures_;
    HWND host_ = NULL;
};

// Colour of a screen pixel as the saver process drew it, through the screen's DC.
COLORREF ScreenPixel(int x, int y)
{
    HDC screen = GetDC(NULL);
    COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(NULL, screen);
    return colour;
}

TEST_F(SlideshowProcessTest, FullScreenSaverShowsTheInstalledPicture)
{
    if (ScreenDepth() <= 8)
        GTEST_SKIP() << "the palette screen reads back black through the screen's DC";
    Add("solid_320x200_24.bmp", "one.bmp");
    WriteSaverSettings(install_.c_str(), 0, 100);
    ChildProcess saver;
    ASSERT_TRUE(saver.Start(SaverPath(), "/s"));
    HWND window = WaitForProcessWindow(saver.Id(), "WindowsScreenSaverClass", "Screen Saver", 10000);
    ASSERT_NE(nullptr, window);
    bool drawn = PumpUntil([] { return ScreenPixel(320, 240) == Colour(kSolidFill); }, 5000);
    EXPECT_TRUE(drawn) << "centre of the screen: expected " << ColourText(Colour(kSolidFill)) << ", got "
                       << ColourText(ScreenPixel(320, 240));
    EXPECT_EQ(ColourText(Colour(kSolidBorder)), ColourText(ScreenPixel(160, 140)));
    EXPECT_EQ(ColourText(RGB(0, 0, 0)), ColourText(ScreenPixel(159, 139)));
    EXPECT_TRUE(saver.Running());
    saver.Kill();
}

// The user's key stretches the pictures and changes them every second; its
// installed path, which names no pictures, is not followed.
TEST_F(SlideshowProcessTest, AUsersOwnDisplaySettingsWinButNotAnInstalledPathOfTheirOwn)
{
    if (ScreenDepth() <= 8)
        GTEST_SKIP() << "the palette screen reads back black through the screen's DC";
    Add("solid_320x200_24.bmp", "a.bmp");
    Add("quadrants_320x200_24.bmp", "b.bmp");
    WriteSaverSettings(install_.c_str(), 0, 100);
    WriteText(HKEY_CURRENT_USER, kSettingsKey, SETTING_INSTALLED_PATH, JoinPath(install_, "nowhere"));
    WriteNumber(HKEY_CURRENT_USER, kSettingsKey, SETTING_FULLSCREEN, 1);
    WriteNumber(HKEY_CURRENT_USER, kSettingsKey, SETTING_UPDATE_RATE, 1);
    ChildProcess saver;
    ASSERT_TRUE(saver.Start(SaverPath(), "/s"));
    ASSERT_NE(nullptr, WaitForProcessWindow(saver.Id(), "WindowsScreenSaverClass", "Screen Saver", 10000));

    // (100, 100) lies outside a centred 320 x 200 picture.
    const COLORREF solid = Colour(kSolidFill), quadrant = Colour(kQuadrantTopLeft);
    bool stretched = PumpUntil([&] { return ScreenPixel(100, 100) == solid || ScreenPixel(100, 100) == quadrant; },
                               5000);
    ASSERT_TRUE(stretched) << "a stretched picture at (100, 100): expected " << ColourText(solid) << " or "
                           << ColourText(quadrant) << ", got " << ColourText(ScreenPixel(100, 100));
    COLORREF next = ScreenPixel(100, 100) == solid ? quadrant : solid;
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(100, 100) == next; }, 4000))
        << "the next picture after the user's one second";
    EXPECT_TRUE(saver.Running());
    saver.Kill();
}

TEST_F(SlideshowProcessTest, FullScreenSaverWithNoPictureEndsAtOnceWithZero)
{
    WriteSaverSettings(install_.c_str(), 0, 1);
    EXPECT_EQ(0u, RunToEnd(SaverPath(), "/s", 10000));
}

TEST_F(SlideshowProcessTest, FullScreenSaverWithoutAKeyEndsAtOnceWithZero)
{
    EXPECT_EQ(0u, RunToEnd(SaverPath(), "/s", 10000, install_));
}

TEST_F(SlideshowProcessTest, PreviewWithNoPictureEndsAtOnceWithZero)
{
    WriteSaverSettings(install_.c_str(), 0, 1);
    HWND host = MakeHost();
    ASSERT_NE(nullptr, host);
    ChildProcess saver;
    std::string handle = std::to_string(static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(host)));
    ASSERT_TRUE(saver.Start(SaverPath(), "/p " + handle));
    ASSERT_TRUE(saver.WaitPumping(10000)) << "the preview is still running";
    EXPECT_EQ(0u, saver.ExitCode());
}

TEST_F(SlideshowProcessTest, ALockedPictureEndsTheRunningSaverWithZero)
{
    Add("solid_320x200_24.bmp", "a.bmp");
    Add("quadrants_320x200_24.bmp", "b.bmp");
    WriteSaverSettings(install_.c_str(), 0, 1);
    ChildProcess saver;
    ASSERT_TRUE(saver.Start(SaverPath(), "/s"));
    ASSERT_NE(nullptr, WaitForProcessWindow(saver.Id(), "WindowsScreenSaverClass", "Screen Saver", 10000));
    PumpFor(300);
    ASSERT_TRUE(saver.Running()) << "the saver ended before the pictures were locked";
    HANDLE locks[2];
    int n = 0;
    for (const char* name : {"a.bmp", "b.bmp"})
        locks[n++] = CreateFileA(JoinPath(pictures_, name).c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    bool ended = saver.WaitPumping(5000);
    for (HANDLE lock : locks)
        if (lock != INVALID_HANDLE_VALUE)
            CloseHandle(lock);
    ASSERT_TRUE(ended) << "the saver kept running with its pictures locked";
    EXPECT_EQ(0u, saver.ExitCode());
}

// The user's own folder: the photo on screen, and a click that ends the saver
// while the next one, a 48-megapixel picture, is being decoded.
TEST_F(SlideshowProcessTest, AUsersPhotoIsShownAndAClickEndsTheSaverWhileTheNextIsDecoded)
{
    if (ScreenDepth() <= 8)
        GTEST_SKIP() << "the palette screen reads back black through the screen's DC";
    // The small photo in the first folder, the large one in the second: the
    // worker decodes the large one while the small one is on screen.
    std::string first = JoinPath(install_, "first"), second = JoinPath(install_, "second");
    CreateDirectoryA(first.c_str(), NULL);
    CreateDirectoryA(second.c_str(), NULL);
    std::string photos = JoinPath(JoinPath(BuildDirectory(), "tests"), "slideshow-photos");
    CopyFileTo(JoinPath(photos, "solid_2.png"), JoinPath(first, "small.png"));
    CopyFileTo(JoinPath(photos, "large_8000x6000.png"), JoinPath(second, "large.png"));
    WriteSaverSettings(install_.c_str(), 0, 100);
    WriteText(HKEY_CURRENT_USER, kSettingsKey, "Folder1", first);
    WriteText(HKEY_CURRENT_USER, kSettingsKey, "Folder2", second);
    ChildProcess saver;
    ASSERT_TRUE(saver.Start(SaverPath(), "/s"));
    HWND window = WaitForProcessWindow(saver.Id(), "WindowsScreenSaverClass", "Screen Saver", 10000);
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(PumpUntil([] { return ScreenPixel(320, 240) == RGB(0, 0, 255); }, 10000))
        << "the blue photo at the centre, got " << ColourText(ScreenPixel(320, 240));
    PostMessageA(window, WM_LBUTTONDOWN, 0, 0);
    ASSERT_TRUE(saver.WaitPumping(5000)) << "the saver kept running after the click";
    EXPECT_EQ(0u, saver.ExitCode());
}

}  // namespace
