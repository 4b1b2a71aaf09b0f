// The full-screen saver on a screen of two monitors side by side: the second
// monitor is covered by a black, topmost window of its own that goes with the
// saver window, and input on it ends the saver as on the saver window. Run
// on the harness's two-monitor screen (Xorg's dummy driver), which Wine
// reports as two monitors.
#include "monitor_test_support.h"

#include <string>
#include <vector>

#include "blanking_windows.h"
#include "settings_store.h"

using namespace vrxtest;
using namespace monitortest;

namespace {

// Places a monitor anew through the display settings, as the user does in
// the control panel: Wine's X11 driver moves the RandR output, and every
// top-level window is sent WM_DISPLAYCHANGE. A size of 0 x 0 turns the
// monitor off; a monitor turned off gets its size back with its place.
bool PlaceMonitor(const std::string& device, LONG x, LONG y, DWORD width, DWORD height)
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_POSITION | DM_PELSWIDTH | DM_PELSHEIGHT;
    mode.dmPosition.x = x;
    mode.dmPosition.y = y;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    return ChangeDisplaySettingsExA(device.c_str(), &mode, NULL, CDS_UPDATEREGISTRY | CDS_NORESET, NULL) ==
               DISP_CHANGE_SUCCESSFUL &&
           ChangeDisplaySettingsExA(NULL, NULL, NULL, 0, NULL) == DISP_CHANGE_SUCCESSFUL;
}

// The saver window's closes counted and kept from it, as a refused password
// keeps it: Wine sends WM_DISPLAYCHANGE once from the change and once more
// when the X server reports it, so a close may come while the test pumps.
int ClosesAsked;
WNDPROC SaverChain;

LRESULT CALLBACK CountClose(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        ++ClosesAsked;
        return 0;
    }
    return CallWindowProcA(SaverChain, window, message, wParam, lParam);
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
        MONITORINFOEXA info = {};
        info.cbSize = sizeof info;
        GetMonitorInfoA(MonitorFromPoint(centre_, MONITOR_DEFAULTTONULL), &info);
        device_ = info.szDevice;
    }

    void TearDown() override
    {
        if (document_)
            DestroyWindow(document_);
        SaverWindowTest::TearDown();
        if (moved_) {
            EXPECT_TRUE(PlaceMonitor(device_, second_.left, second_.top, second_.right - second_.left,
                                     second_.bottom - second_.top))
                << "the harness's layout could not be put back";
        }
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey);
        if (!install_.empty())
            RemoveTree(install_);
    }

    std::vector<RECT> monitors_;
    RECT second_ = {};
    POINT centre_ = {};
    HWND document_ = NULL;
    std::string install_;
    std::string device_;  // the second monitor's display device
    bool moved_ = false;  // the layout is to be put back
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

// Each change of the layout is taken as input, and while the saver is asked
// to close every monitor is covered as it now lies: the second monitor moved
// below the first, turned off, then back in its place.
TEST_F(OtherMonitorsTest, AMonitorMovedRemovedOrAddedIsCoveredAsItNowLiesAndEndsTheSaver)
{
    ASSERT_NE(nullptr, CreateFullScreen());
    ClosesAsked = 0;
    SaverChain = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountClose)));
    LONG width = second_.right - second_.left, height = second_.bottom - second_.top;
    const struct {
        const char* change;
        LONG x, y, width, height;
    } changes[] = {{"moved below", 0, GetSystemMetrics(SM_CYSCREEN), width, height},
                   {"turned off", 0, 0, 0, 0},
                   {"back in its place", second_.left, second_.top, width, height}};
    for (const auto& c : changes) {
        SCOPED_TRACE(c.change);
        moved_ = true;
        int before = ClosesAsked;
        ASSERT_TRUE(PlaceMonitor(device_, c.x, c.y, c.width, c.height));
        EXPECT_TRUE(PumpUntil([&] { return ClosesAsked > before; }, 5000)) << "the change did not ask to close";
        std::vector<RECT> now = OtherMonitors();
        ASSERT_EQ(c.width ? 1u : 0u, now.size()) << "monitors Wine reports after the change";
        std::vector<HWND> blanking = BlankingWindowsOfThread();
        ASSERT_EQ(now.size(), blanking.size()) << "one blanking window per other monitor, the old ones gone";
        RECT saverRect;
        GetWindowRect(window_, &saverRect);
        EXPECT_EQ("0,0-" + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "," +
                      std::to_string(GetSystemMetrics(SM_CYSCREEN)),
                  RectText(saverRect));
        if (now.empty())
            continue;
        RECT coverRect;
        GetWindowRect(blanking[0], &coverRect);
        EXPECT_EQ(RectText(now[0]), RectText(coverRect));
        EXPECT_TRUE(IsWindowVisible(blanking[0]));
        POINT middle = {(now[0].left + now[0].right) / 2, (now[0].top + now[0].bottom) / 2};
        EXPECT_TRUE(ScreenShows(middle, kBlack)) << "the monitor shows " << std::hex << ScreenPixel(middle.x, middle.y);
    }
    moved_ = false;
    EXPECT_TRUE(IsWindow(window_));
}

// The real VRXSaver.scr ends, without a fault, when a monitor is turned off
// under it.
TEST_F(OtherMonitorsTest, TheRunningSaverEndsWhenAMonitorIsTurnedOff)
{
    install_ = MakeTreeWithOnePicture("monitor-off", "solid_320x200_24.bmp", "one.bmp");
    DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKey);
    WriteSaverSettings(install_.c_str(), 0, 100);
    ChildProcess saver;
    ASSERT_TRUE(saver.Start(JoinPath(ProgramDirectory(), "VRXSaver.scr"), "/s"));
    ASSERT_NE(nullptr, WaitForProcessWindow(saver.Id(), BLANKING_CLASS_NAME, NULL, 10000));
    moved_ = true;
    ASSERT_TRUE(PlaceMonitor(device_, 0, 0, 0, 0));
    EXPECT_TRUE(saver.WaitPumping(10000)) << "the saver still runs after the monitor went";
    EXPECT_EQ(0u, saver.ExitCode());
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
