// Under a system DPI of 144 (150 %) nothing of ours scales: the saver still
// covers the screen's pixels, a picture at natural size keeps its pixel
// size, and the setup frame still covers the screen.
#include <gtest/gtest.h>

#include <windows.h>

#include "settings_store.h"
#include "test_support.h"

using namespace vrxtest;

namespace {

const COLORREF kFill = RGB(0x30, 0x90, 0xD8);   // solid test picture's inside
const COLORREF kFrame = RGB(0xF8, 0xC8, 0x20);  // its one-pixel frame
const COLORREF kBlack = RGB(0, 0, 0);

int SystemDpi()
{
    HDC dc = GetDC(NULL);
    int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(NULL, dc);
    return dpi;
}

class HighDpiTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(144, SystemDpi()) << "this prefix must run at 144 DPI"; }
};

TEST_F(HighDpiTest, TheSaverCoversTheScreenAndDrawsAPictureAtItsPixelSize)
{
    std::string install = MakeTreeWithOnePicture("dpi-install", "solid_320x200_24.bmp", "solid.bmp");
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey);
    WriteSaverSettings(install.c_str(), 0, 100);

    ChildProcess saver;
    ASSERT_TRUE(saver.Start(JoinPath(ProgramDirectory(), "VRXSaver.scr"), "/s"));
    HWND window = WaitForProcessWindow(saver.Id(), "WindowsScreenSaverClass", "Screen Saver", 10000);
    ASSERT_NE(nullptr, window);
    RECT rect;
    GetWindowRect(window, &rect);
    int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(screenW, rect.right);
    EXPECT_EQ(screenH, rect.bottom);

    // The picture is drawn 320 x 200 with its top-left corner at the centre's offset.
    int x0 = (screenW - 320) / 2, y0 = (screenH - 200) / 2;
    ASSERT_TRUE(PumpUntil([&] { return PixelOf(window, x0 + 160, y0 + 100) == kFill; }, 5000))
        << "picture not drawn; centre reads " << std::hex << PixelOf(window, x0 + 160, y0 + 100);
    EXPECT_EQ(kFrame, PixelOf(window, x0, y0));
    EXPECT_EQ(kFrame, PixelOf(window, x0 + 319, y0 + 199));
    EXPECT_EQ(kFill, PixelOf(window, x0 + 1, y0 + 1));
    EXPECT_EQ(kBlack, PixelOf(window, x0 - 1, y0));
    EXPECT_EQ(kBlack, PixelOf(window, x0 + 320, y0 + 199));
    EXPECT_EQ(kBlack, PixelOf(window, x0, y0 + 200));

    PostMessageA(window, WM_KEYDOWN, 'Q', 0);
    EXPECT_TRUE(saver.WaitPumping(10000));
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey);
    RemoveTree(install);
}

TEST_F(HighDpiTest, TheSetupFrameCoversTheScreen)
{
    std::string dist = JoinPath(BuildDirectory(), "dist");
    ChildProcess setup;
    ASSERT_TRUE(setup.Start(JoinPath(dist, "MARLO.EXE"), "", dist));
    HWND frame = WaitForProcessWindow(setup.Id(), NULL, "Economiseur d'\xE9" "cran VRX2", 10000);
    // The frame and the first dialog share the title; the frame has no dialog class.
    ASSERT_TRUE(PumpUntil(
        [&] {
            frame = NULL;
            for (HWND w = GetTopWindow(NULL); w; w = GetWindow(w, GW_HWNDNEXT)) {
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                if (owner == setup.Id() && ClassName(w) != "#32770" &&
                    WindowText(w) == "Economiseur d'\xE9" "cran VRX2")
                    frame = w;
            }
            return frame != NULL;
        },
        10000))
        << "no setup frame";
    RECT rect;
    GetWindowRect(frame, &rect);
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), rect.right);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), rect.bottom);
    setup.Kill();
}

}  // namespace
