// What ends the saver and what does not, through the real window procedure
// chain of a saver window in this process.
#include "saver_window_fixture.h"

#include <imm.h>

#include <vector>

#include "saver_procs.h"

using namespace vrxtest;

namespace {

class SaverInputTest : public SaverWindowTest {
protected:
    void MoveCursorAndTell(int x, int y)
    {
        SetCursorPos(x, y);
        SendMessageA(window_, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    }
};

TEST_F(SaverInputTest, FullScreenWindowCoversTheScreenWithItsClassAndTitle)
{
    HWND window = CreateFullScreen();
    ASSERT_NE(nullptr, window);
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), rect.right);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), rect.bottom);
    EXPECT_EQ("WindowsScreenSaverClass", ClassName(window));
    EXPECT_EQ("Screen Saver", WindowText(window));
    LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(static_cast<LONG>(WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN),
              style & ~static_cast<LONG>(WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE));
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(window, SaverRuntime.MainWindow);
    EXPECT_FALSE(SaverRuntime.IsPreview);
    WNDCLASSA windowClass;
    ASSERT_TRUE(GetClassInfoA(SaverRuntime.Instance, SAVER_CLASS_NAME, &windowClass));
    EXPECT_EQ(static_cast<UINT>(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC), windowClass.style);
    EXPECT_EQ(nullptr, windowClass.hCursor);
    EXPECT_EQ(nullptr, windowClass.hIcon) << "the program carries no icon 100";
    EXPECT_EQ(GetStockObject(BLACK_BRUSH), windowClass.hbrBackground);
}

TEST_F(SaverInputTest, PreviewFillsItsParentsClientArea)
{
    HWND window = CreatePreview(152, 112);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(parent_, GetParent(window));
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(152, client.right);
    EXPECT_EQ(112, client.bottom);
    EXPECT_EQ("Preview", WindowText(window));
    EXPECT_EQ(static_cast<LONG>(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN), GetWindowLongA(window, GWL_STYLE));
    EXPECT_EQ(0, GetWindowLongA(window, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY);
    EXPECT_TRUE(SaverRuntime.IsPreview);
}

TEST_F(SaverInputTest, MouseTravelOfFourKeepsTheSaverRunningAndFiveEndsIt)
{
    SetCursorPos(200, 200);
    ASSERT_NE(nullptr, CreateFullScreen());
    MoveCursorAndTell(203, 201);  // travel 3 + 1
    EXPECT_FALSE(TakeClose()) << "a travel of 4 must not close";
    MoveCursorAndTell(204, 201);  // travel 5 from where the saver started
    EXPECT_TRUE(TakeClose()) << "a travel of 5 must close";

    // The position that closed becomes the new origin.
    POINT origin = SaverRuntime.LastCursorPos;
    EXPECT_EQ(204, origin.x);
    EXPECT_EQ(201, origin.y);
    MoveCursorAndTell(204, 205);  // 4 down from there
    EXPECT_FALSE(TakeClose());
    MoveCursorAndTell(204, 206);
    EXPECT_TRUE(TakeClose());
}

TEST_F(SaverInputTest, SmallMovesAddUpUntilTheyPassFour)
{
    SetCursorPos(300, 300);
    ASSERT_NE(nullptr, CreateFullScreen());
    for (int step = 1; step <= 4; ++step) {
        MoveCursorAndTell(300 - step, 300);
        EXPECT_FALSE(TakeClose()) << "closed after " << step << " one-pixel moves";
    }
    MoveCursorAndTell(295, 300);
    EXPECT_TRUE(TakeClose()) << "the fifth one-pixel move must close";
}

TEST_F(SaverInputTest, AMoveMessageAtTheRecordedPositionDoesNothing)
{
    SetCursorPos(100, 120);
    ASSERT_NE(nullptr, CreateFullScreen());
    for (int i = 0; i < 20; ++i)
        MoveCursorAndTell(100, 120);
    EXPECT_FALSE(TakeClose());
    EXPECT_TRUE(IsWindow(window_));
}

TEST_F(SaverInputTest, KeysAndButtonsDownCloseButtonsUpDoNot)
{
    ASSERT_NE(nullptr, CreateFullScreen());
    const UINT closing[] = {WM_KEYDOWN, WM_SYSKEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    for (UINT message : closing) {
        SendMessageA(window_, message, message == WM_KEYDOWN ? 'A' : 0, 0);
        EXPECT_TRUE(TakeClose()) << "message 0x" << std::hex << message << " must post WM_CLOSE";
    }
    const UINT harmless[] = {WM_KEYUP, WM_SYSKEYUP, WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP, WM_CHAR};
    for (UINT message : harmless) {
        SendMessageA(window_, message, 0, 0);
        EXPECT_FALSE(TakeClose()) << "message 0x" << std::hex << message << " must not close";
    }
}

TEST_F(SaverInputTest, LosingActivationClosesGainingItDoesNot)
{
    ASSERT_NE(nullptr, CreateFullScreen());
    SendMessageA(window_, WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_FALSE(TakeClose());
    SendMessageA(window_, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_TRUE(TakeClose());
}

TEST_F(SaverInputTest, CloseDestroysTheWindowAndQuitsWithZeroOutsideWindows95)
{
    ASSERT_NE(nullptr, CreateFullScreen());
    DrainQueue();
    SendMessageA(window_, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window_));
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "no quit message after the close";
    EXPECT_EQ(0u, message.wParam);
}

TEST_F(SaverInputTest, PreviewNeverClosesOnInput)
{
    SetCursorPos(10, 10);
    ASSERT_NE(nullptr, CreatePreview());
    const UINT inputs[] = {WM_KEYDOWN, WM_SYSKEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    for (UINT message : inputs)
        SendMessageA(window_, message, 0, 0);
    SendMessageA(window_, WM_ACTIVATEAPP, FALSE, 0);
    MoveCursorAndTell(400, 400);
    EXPECT_FALSE(TakeClose());
    PumpFor(50);
    EXPECT_TRUE(IsWindow(window_));
}

TEST_F(SaverInputTest, TheTitleNeverChanges)
{
    ASSERT_NE(nullptr, CreateFullScreen());
    SetWindowTextA(window_, "Something else");
    EXPECT_EQ("Screen Saver", WindowText(window_));
    EXPECT_EQ(0, SendMessageA(window_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Other")));
    EXPECT_EQ("Screen Saver", WindowText(window_));
}

TEST_F(SaverInputTest, FullScreenHidesTheCursorThePreviewDoesNot)
{
    SetCursor(LoadCursorA(NULL, MAKEINTRESOURCEA(32512)));
    ASSERT_NE(nullptr, CreatePreview());
    EXPECT_NE(nullptr, GetCursor()) << "the preview must leave the cursor alone";
    DestroyWindow(window_);
    DrainQueue();
    UnregisterClassA(SAVER_CLASS_NAME, SaverRuntime.Instance);
    ResetSaverRuntime();
    SaverRuntime.Instance = GetModuleHandleA(NULL);

    SetCursor(LoadCursorA(NULL, MAKEINTRESOURCEA(32512)));
    ASSERT_NE(nullptr, CreateFullScreen());
    EXPECT_EQ(nullptr, GetCursor());
    SetCursor(LoadCursorA(NULL, MAKEINTRESOURCEA(32512)));
    EXPECT_EQ(1, SendMessageA(window_, WM_SETCURSOR, reinterpret_cast<WPARAM>(window_), HTCLIENT));
    EXPECT_EQ(nullptr, GetCursor());
}

TEST_F(SaverInputTest, TheWindowRunsWithoutAnInputContext)
{
    ASSERT_NE(nullptr, CreateFullScreen());
    if (!SaverRuntime.ImmAssociate)
        GTEST_SKIP() << "IMM32.DLL is not loaded in this process";
    HIMC context = ImmGetContext(window_);
    EXPECT_EQ(nullptr, context) << "the saver window must have no input context";
    if (context)
        ImmReleaseContext(window_, context);
    EXPECT_NE(nullptr, SaverRuntime.SavedInputContext);
}

// Records what reaches the preview's parent.
std::vector<MSG> g_parentMessages;
LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HELP || message == WM_CONTEXTMENU) {
        MSG record = {window, message, wParam, lParam, 0, {0, 0}};
        g_parentMessages.push_back(record);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(SaverInputTest, PreviewPostsContextMenuRequestsToItsParent)
{
    WNDCLASSA recording = {};
    recording.lpfnWndProc = RecordingProc;
    recording.hInstance = GetModuleHandleA(NULL);
    recording.lpszClassName = "VrxRecordingParent";
    RegisterClassA(&recording);
    parent_ = CreateWindowA("VrxRecordingParent", "host", WS_POPUP | WS_VISIBLE, 0, 0, 160, 120, NULL, NULL,
                            recording.hInstance, NULL);
    ASSERT_NE(nullptr, parent_);
    window_ = CreateSaverWindow(parent_);
    ASSERT_NE(nullptr, window_);
    g_parentMessages.clear();

    EXPECT_EQ(1, SendMessageA(window_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window_), MAKELPARAM(12, 34)));
    HELPINFO help = {};
    help.cbSize = sizeof help;
    EXPECT_EQ(1, SendMessageA(window_, WM_HELP, 0, reinterpret_cast<LPARAM>(&help)));
    PumpFor(50);

    bool sawContextMenu = false;
    for (const MSG& message : g_parentMessages) {
        EXPECT_EQ(reinterpret_cast<WPARAM>(parent_), message.wParam) << "wParam must be the parent's handle";
        if (message.message == WM_CONTEXTMENU) {
            sawContextMenu = true;
            EXPECT_EQ(MAKELPARAM(12, 34), message.lParam);
        }
    }
    EXPECT_TRUE(sawContextMenu) << "WM_CONTEXTMENU did not reach the parent";
    EXPECT_TRUE(IsWindow(window_));
    DestroyWindow(window_);
    DestroyWindow(parent_);
    UnregisterClassA("VrxRecordingParent", recording.hInstance);
}

TEST_F(SaverInputTest, OnceClosingIsAllowedInputIsNoLongerTaken)
{
    ASSERT_NE(nullptr, CreateFullScreen());
    SaverRuntime.ClosingAllowed = TRUE;
    SendMessageA(window_, WM_KEYDOWN, 'A', 0);
    SendMessageA(window_, WM_LBUTTONDOWN, 0, 0);
    SendMessageA(window_, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(TakeClose());
    EXPECT_EQ(0, SendMessageA(window_, WM_TIMER, 1, 0));
}

}  // namespace
