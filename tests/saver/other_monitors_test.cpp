// The full-screen saver on a screen of two monitors side by side: the second
// monitor is covered by a black, topmost window of its own that goes with the
// saver window, and input on it ends the saver as on the saver window. Run
// on the harness's two-monitor screen (Xorg's dummy driver), which Wine
// reports as two monitors.
#include "saver_window_fixture.h"

#include <string>
#include <vector>

#include "blanking_windows.h"
#include "settings_store.h"

using namespace vrxtest;

namespace {

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM rects)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoA(monitor, &info);
    if (!(info.dwFlags & MONITORINFOF_PRIMARY))
        reinterpret_cast<std::vector<RECT>*>(rects)->push_back(info.rcMonitor);
    return TRUE;
}

// The monitors other than the primary one.
std::vector<RECT> OtherMonitors()
{
    std::vector<RECT> rects;
    EnumDisplayMonitors(NULL, NULL, AddMonitor, reinterpret_cast<LPARAM>(&rects));
    return rects;
}

BOOL CALLBACK AddBlankingWindow(HWND window, LPARAM windows)
{
    if (ClassName(window) == BLANKING_CLASS_NAME)
        reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

std::vector<HWND> BlankingWindowsOfThread()
{
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), AddBlankingWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

COLORREF ScreenPixel(int x, int y)
{
    HDC screen = GetDC(NULL);
    COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(NULL, screen);
    return colour;
}

std::string RectText(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// A white window over the second monitor, as a document left on display.
HWND ShowWhiteWindow(const RECT& monitor)
{
    WNDCLASSA document = {};
    document.lpfnWndProc = DefWindowProcA;
    document.hInstance = GetModuleHandleA(NULL);
    document.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    document.lpszClassName = "VrxTestDocument";
    RegisterClassA(&document);
    HWND window = CreateWindowExA(0, document.lpszClassName, "document", WS_POPUP | WS_VISIBLE, monitor.left,
                                  monitor.top, monitor.right - monitor.left, monitor.bottom - monitor.top, NULL, NULL,
                                  document.hInstance, NULL);
    UpdateWindow(window);
    return window;
}

bool ScreenShows(POINT p, COLORREF colour)
{
    return PumpUntil([&] { return ScreenPixel(p.x, p.y) == colour; }, 5000);
}

class OtherMonitorsTest : public SaverWindowTest {
protected:
    void SetUp() override
    {
        SaverWindowTest::SetUp();
        monitors_ = OtherMonitors();
        ASSERT_EQ(2, GetSystemMetrics(SM_CMONITORS)) << "the two-monitor screen of the harness is not in use";
        ASSERT_EQ(1u, monitors_.size());
        second_ = monitors_[0];
        centre_ = {(second_.left + second_.right) / 2, (second_.top + second_.bottom) / 2};
    }

    void TearDown() override
    {
        if (document_)
            DestroyWindow(document_);
        SaverWindowTest::TearDown();
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey);
        if (!install_.empty())
            RemoveTree(install_);
    }

    std::vector<RECT> monitors_;
    RECT second_ = {};
    POINT centre_ = {};
    HWND document_ = NULL;
    std::string install_;
};

TEST_F(OtherMonitorsTest, TheSecondMonitorIsBlackUnderAWindowOfItsOwnThatGoesWithTheSaver)
{
    document_ = ShowWhiteWindow(second_);
    ASSERT_TRUE(ScreenShows(centre_, kWhite)) << "the document is not on the second monitor";
    ASSERT_NE(nullptr, CreateFullScreen());
    UpdateWindow(window_);

    RECT saverRect;
    GetWindowRect(window_, &saverRect);
    EXPECT_EQ("0,0-" + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "," +
                  std::to_string(GetSystemMetrics(SM_CYSCREEN)),
              RectText(saverRect))
        << "the saver window keeps to the primary screen";
    std::vector<HWND> blanking = BlankingWindowsOfThread();
    ASSERT_EQ(1u, blanking.size()) << "one blanking window for the one other monitor";
    HWND cover = blanking[0];
    RECT coverRect;
    GetWindowRect(cover, &coverRect);
    EXPECT_EQ(RectText(second_), RectText(coverRect));
    EXPECT_TRUE(IsWindowVisible(cover));
    EXPECT_TRUE(GetWindowLongA(cover, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(window_, GetWindow(cover, GW_OWNER)) << "owned by the saver window";
    EXPECT_EQ(window_, GetActiveWindow()) << "the saver window keeps the activation";
    for (POINT p : {centre_, POINT{second_.left, second_.top}, POINT{second_.right - 1, second_.bottom - 1}})
        EXPECT_TRUE(ScreenShows(p, kBlack)) << "screen pixel " << p.x << ", " << p.y << " is "
                                            << std::hex << ScreenPixel(p.x, p.y);

    DestroyWindow(window_);
    EXPECT_FALSE(IsWindow(cover)) << "the blanking window goes with the saver window";
    EXPECT_TRUE(ScreenShows(centre_, kWhite)) << "the document shows again";
}

TEST_F(OtherMonitorsTest, InputOnTheBlankingWindowEndsTheSaverByTheSaversRules)
{
    SetCursorPos(centre_.x, centre_.y);
    ASSERT_NE(nullptr, CreateFullScreen());
    std::vector<HWND> blanking = BlankingWindowsOfThread();
    ASSERT_EQ(1u, blanking.size());
    HWND cover = blanking[0];

    for (UINT message : {WM_KEYDOWN, WM_SYSKEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN}) {
        SendMessageA(cover, message, message == WM_KEYDOWN ? 'A' : 0, 0);
        EXPECT_TRUE(TakeClose()) << "message 0x" << std::hex << message << " on the blanking window";
    }
    for (UINT message : {WM_KEYUP, WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP}) {
        SendMessageA(cover, message, 0, 0);
        EXPECT_FALSE(TakeClose()) << "message 0x" << std::hex << message << " must not close";
    }

    SetCursorPos(centre_.x + 3, centre_.y + 1);
    SendMessageA(cover, WM_MOUSEMOVE, 0, 0);
    EXPECT_FALSE(TakeClose()) << "a travel of 4 on the second monitor must not close";
    SetCursorPos(centre_.x + 4, centre_.y + 1);
    SendMessageA(cover, WM_MOUSEMOVE, 0, 0);
    EXPECT_TRUE(TakeClose()) << "a travel of 5 on the second monitor must close";

    SaverRuntime.ClosingAllowed = TRUE;
    SendMessageA(cover, WM_LBUTTONDOWN, 0, 0);
    EXPECT_FALSE(TakeClose()) << "once closing is allowed a button is no longer the saver's";
}

TEST_F(OtherMonitorsTest, ThePreviewLeavesTheOtherMonitorsAlone)
{
    ASSERT_NE(nullptr, CreatePreview());
    EXPECT_TRUE(BlankingWindowsOfThread().empty());
}

// The real VRXSaver.scr: the document on the second monitor is blacked out
// while the saver runs, and a click there ends it.
TEST_F(OtherMonitorsTest, TheRunningSaverBlanksTheSecondMonitorAndAClickThereEndsIt)
{
    install_ = MakeTreeWithOnePicture("two-monitors", "solid_320x200_24.bmp", "one.bmp");
    DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKey);
    WriteSaverSettings(install_.c_str(), 0, 100);
    document_ = ShowWhiteWindow(second_);
    SetCursorPos(centre_.x, centre_.y);

    ChildProcess saver;
    ASSERT_TRUE(saver.Start(JoinPath(ProgramDirectory(), "VRXSaver.scr"), "/s"));
    ASSERT_NE(nullptr, WaitForProcessWindow(saver.Id(), SAVER_CLASS_NAME, SAVER_FULLSCREEN_TITLE, 10000));
    HWND cover = WaitForProcessWindow(saver.Id(), BLANKING_CLASS_NAME, NULL, 10000);
    ASSERT_NE(nullptr, cover) << "the saver put no window on the second monitor";
    EXPECT_TRUE(ScreenShows(centre_, kBlack))
        << "the second monitor still shows " << std::hex << ScreenPixel(centre_.x, centre_.y);
    EXPECT_TRUE(saver.Running());

    PostMessageA(cover, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_TRUE(saver.WaitPumping(10000)) << "a click on the second monitor did not end the saver";
    EXPECT_EQ(0u, saver.ExitCode());
}

}  // namespace
