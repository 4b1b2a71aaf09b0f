// The real VRXSaver.scr, started with the command lines Windows uses and
// watched from outside: exit codes, windows, the single-instance rule, the
// preview inside a window of this process, and the Windows 95 password paths
// with the test doubles of PASSWORD.CPL and MPR.DLL.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "settings_store.h"
#include "test_support.h"

using namespace vrxtest;

namespace {

const DWORD kRefused = 0xFFFFFFFFu;  // exit code -1

std::string SaverPath() { return JoinPath(ProgramDirectory(), "VRXSaver.scr"); }
std::string PasswordDir() { return JoinPath(ProgramDirectory(), "pwd"); }
std::string Win98SaverPath() { return JoinPath(PasswordDir(), "VRX98.scr"); }
std::string Handle(HWND window)
{
    return std::to_string(static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(window)));
}

class SaverProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // An installed tree with one picture, so that a running saver has
        // something to show and keeps running until it is told to stop.
        install_ = MakeTreeWithOnePicture("process-install", "solid_320x200_24.bmp", "one.bmp");
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey);
        WriteSaverSettings(install_.c_str(), 0, 100);
    }

    void TearDown() override
    {
        for (HWND window : ownWindows_)
            if (IsWindow(window))
                DestroyWindow(window);
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey);
        RemoveTree(install_);
    }

    HWND WaitForSaver(ChildProcess& child, const char* title = "Screen Saver")
    {
        return WaitForProcessWindow(child.Id(), "WindowsScreenSaverClass", title, 10000);
    }

    // A visible window of this process standing in for the display settings.
    HWND MakeHost(int width = 152, int height = 112)
    {
        HWND window = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 30, 30, width, height, NULL,
                                      NULL, NULL, NULL);
        ownWindows_.push_back(window);
        return window;
    }

    std::string install_;
    std::vector<HWND> ownWindows_;
};

TEST_F(SaverProcessTest, SwitchesThatSelectNoModeEndWithMinusOne)
{
    for (const char* arguments : {"/x", "/1", "-?", "/p", "/p 0", "/p:1234", "/l", "/a", "-A 12", "/a:5"}) {
        EXPECT_EQ(kRefused, RunToEnd(SaverPath(), arguments)) << "arguments \"" << arguments << "\"";
    }
}

TEST_F(SaverProcessTest, APreviewOfAWindowThatNoLongerExistsEndsWithMinusOne)
{
    HWND host = MakeHost();
    std::string handle = Handle(host);
    DestroyWindow(host);
    EXPECT_EQ(kRefused, RunToEnd(SaverPath(), "/p " + handle));
}

class FullScreenSwitchTest : public SaverProcessTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(FullScreenSwitchTest, StartsTheFullScreenSaverWhichAKeyEnds)
{
    ChildProcess saver;
    ASSERT_TRUE(saver.Start(SaverPath(), GetParam()));
    HWND window = WaitForSaver(saver);
    ASSERT_NE(nullptr, window) << "no full-screen saver window for \"" << GetParam() << "\"";
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), rect.right - rect.left);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), rect.bottom - rect.top);
    PostMessageA(window, WM_KEYDOWN, 'Q', 0);
    ASSERT_TRUE(saver.WaitPumping(10000)) << "the saver did not end on a key";
    EXPECT_EQ(0u, saver.ExitCode());
}

INSTANTIATE_TEST_SUITE_P(Switches, FullScreenSwitchTest, ::testing::Values("/s", "-s", "s", "S", "/S", " - // s"));

TEST_F(SaverProcessTest, AQuotedProgramNameWithBlanksIsSplitAfterTheQuote)
{
    std::string dir = MakeScratchDirectory("quoted name");
    std::string program = JoinPath(dir, "My Saver.scr");
    CopyFileTo(SaverPath(), program);
    ChildProcess saver;
    ASSERT_TRUE(saver.Start(program, "\"" + program + "\"   /s", "", true));
    HWND window = WaitForSaver(saver);
    ASSERT_NE(nullptr, window);
    PostMessageA(window, WM_LBUTTONDOWN, 0, 0);
    ASSERT_TRUE(saver.WaitPumping(10000));
    EXPECT_EQ(0u, saver.ExitCode());
    RemoveTree(dir);
}

TEST_F(SaverProcessTest, EachInputKindEndsTheSaverButtonUpDoesNot)
{
    const UINT closing[] = {WM_KEYDOWN, WM_SYSKEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    for (UINT message : closing) {
        ChildProcess saver;
        ASSERT_TRUE(saver.Start(SaverPath(), "/s"));
        HWND window = WaitForSaver(saver);
        ASSERT_NE(nullptr, window);
        for (UINT up : {WM_KEYUP, WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP})
            PostMessageA(window, up, 0, 0);
        EXPECT_FALSE(saver.WaitPumping(300)) << "a button-up or key-up message ended the saver";
        PostMessageA(window, message, 0, 0);
        ASSERT_TRUE(saver.WaitPumping(10000)) << "message 0x" << std::hex << message << " did not end the saver";
        EXPECT_EQ(0u, saver.ExitCode());
    }
}

TEST_F(SaverProcessTest, RealMouseTravelEndsTheSaverOnlyAboveFourPixels)
{
    SetCursorPos(320, 240);
    ChildProcess saver;
    ASSERT_TRUE(saver.Start(SaverPath(), "/s"));
    ASSERT_NE(nullptr, WaitForSaver(saver));
    PumpFor(300);
    SetCursorPos(323, 241);
    EXPECT_FALSE(saver.WaitPumping(400)) << "a travel of 4 ended the saver";
    SetCursorPos(324, 241);
    ASSERT_TRUE(saver.WaitPumping(10000)) << "a travel of 5 did not end the saver";
    EXPECT_EQ(0u, saver.ExitCode());
}

TEST_F(SaverProcessTest, ASecondFullScreenStartBringsTheFirstForwardAndEndsWithZero)
{
    ChildProcess first;
    ASSERT_TRUE(first.Start(SaverPath(), "/s"));
    HWND window = WaitForSaver(first);
    ASSERT_NE(nullptr, window);
    ChildProcess second;
    ASSERT_TRUE(second.Start(SaverPath(), "/s"));
    ASSERT_TRUE(second.WaitPumping(10000));
    EXPECT_EQ(0u, second.ExitCode());
    EXPECT_EQ(nullptr, FindProcessWindow(second.Id(), "WindowsScreenSaverClass", NULL));
    EXPECT_TRUE(first.Running());
    EXPECT_EQ(window, GetForegroundWindow());
    PostMessageA(window, WM_KEYDOWN, 'Q', 0);
    ASSERT_TRUE(first.WaitPumping(10000));
}

TEST_F(SaverProcessTest, PreviewRunsInsideTheGivenWindowAndEndsWithIt)
{
    for (const char* form : {"/p ", "/l ", "-P     ", "p"}) {
        HWND host = MakeHost(152, 112);
        ChildProcess saver;
        ASSERT_TRUE(saver.Start(SaverPath(), form + Handle(host)));
        HWND preview = NULL;
        ASSERT_TRUE(PumpUntil([&] { return (preview = FindWindowExA(host, NULL, "WindowsScreenSaverClass", NULL)); },
                              10000))
            << "no preview child for \"" << form << "\"";
        EXPECT_EQ("Preview", WindowText(preview));
        RECT client;
        GetClientRect(preview, &client);
        EXPECT_EQ(152, client.right);
        EXPECT_EQ(112, client.bottom);
        // Input never ends a preview.
        PostMessageA(preview, WM_KEYDOWN, 'Q', 0);
        PostMessageA(preview, WM_LBUTTONDOWN, 0, 0);
        PostMessageA(preview, WM_ACTIVATEAPP, FALSE, 0);
        EXPECT_FALSE(saver.WaitPumping(300)) << "input ended the preview \"" << form << "\"";
        DestroyWindow(host);
        ASSERT_TRUE(saver.WaitPumping(10000)) << "the preview did not end with its window";
        EXPECT_EQ(0u, saver.ExitCode());
    }
}

TEST_F(SaverProcessTest, ASecondPreviewIsNotRefused)
{
    HWND host1 = MakeHost(), host2 = MakeHost();
    ChildProcess first, second;
    ASSERT_TRUE(first.Start(SaverPath(), "/p " + Handle(host1)));
    ASSERT_TRUE(PumpUntil([&] { return FindWindowExA(host1, NULL, "WindowsScreenSaverClass", NULL) != NULL; }, 10000));
    ASSERT_TRUE(second.Start(SaverPath(), "/p " + Handle(host2)));
    ASSERT_TRUE(PumpUntil([&] { return FindWindowExA(host2, NULL, "WindowsScreenSaverClass", NULL) != NULL; }, 10000));
    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(second.Running());
    DestroyWindow(host1);
    DestroyWindow(host2);
    EXPECT_TRUE(first.WaitPumping(10000));
    EXPECT_TRUE(second.WaitPumping(10000));
}

// The configuration dialog: Windows starts it without a switch or with /c.
HWND WaitForConfigDialog(ChildProcess& saver)
{
    return WaitForProcessWindow(saver.Id(), "#32770", "Economiseur d'\xE9" "cran VRX2", 10000);
}

TEST_F(SaverProcessTest, ConfigurationEndsWithOneAfterOkAndZeroAfterCancel)
{
    HWND foreground = MakeHost();
    SetForegroundWindow(foreground);
    struct Case {
        const char* arguments;
        int button;
        DWORD exitCode;
        bool ownedByForeground;
    } cases[] = {{"", IDOK, 1, false}, {"/c", IDCANCEL, 0, true}, {"-C", IDOK, 1, true},
                 {"c", IDCANCEL, 0, true}, {"/c:1234", IDOK, 1, true}};
    for (const Case& c : cases) {
        SetForegroundWindow(foreground);
        ChildProcess saver;
        ASSERT_TRUE(saver.Start(SaverPath(), c.arguments));
        HWND dialog = WaitForConfigDialog(saver);
        ASSERT_NE(nullptr, dialog) << "no configuration dialog for \"" << c.arguments << "\"";
        HWND owner = GetWindow(dialog, GW_OWNER);
        if (c.ownedByForeground)
            EXPECT_EQ(foreground, owner) << "\"" << c.arguments << "\": the foreground window owns the dialog";
        else
            EXPECT_EQ(nullptr, owner) << "\"" << c.arguments << "\": the dialog has no owner";
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(c.button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, c.button)));
        ASSERT_TRUE(saver.WaitPumping(10000));
        EXPECT_EQ(c.exitCode, saver.ExitCode()) << "arguments \"" << c.arguments << "\"";
    }
}

// The Windows 95 family: the prefix reports win98 to VRX98.scr alone.
class Win98SaverTest : public SaverProcessTest {
protected:
    void SetUp() override
    {
        SaverProcessTest::SetUp();
        WriteText(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\VRX98.scr", "Version", "win98", true);
        logDir_ = MakeScratchDirectory("doubles");
        log_ = JoinPath(logDir_, "calls.log");
        answer_ = JoinPath(logDir_, "answer.txt");
        SetEnv("VRX_DOUBLE_LOG", log_);
        SetEnv("VRX_PWD_ANSWER", answer_);
    }
    void TearDown() override
    {
        UnsetEnv("VRX_DOUBLE_LOG");
        UnsetEnv("VRX_PWD_ANSWER");
        DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\VRX98.scr\\DllOverrides");
        HKEY desktop;
        if (RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &desktop) == ERROR_SUCCESS) {
            RegDeleteValueA(desktop, "ScreenSaveUsePassword");
            RegCloseKey(desktop);
        }
        RemoveTree(logDir_);
        SaverProcessTest::TearDown();
    }
    void Answer(const std::string& text) { WriteFileBytes(answer_, text.data(), text.size()); }
    std::string Log()
    {
        std::vector<BYTE> bytes = ReadFileBytes(log_);
        return std::string(bytes.begin(), bytes.end());
    }
    int CountInLog(const std::string& what)
    {
        std::string log = Log();
        int count = 0;
        for (size_t at = log.find(what); at != std::string::npos; at = log.find(what, at + 1))
            ++count;
        return count;
    }

    std::string logDir_, log_, answer_;
};

TEST_F(Win98SaverTest, ChangePasswordCallsTheProviderWithTheParsedOrTheForegroundWindow)
{
    // Wine prefers its own MPR.DLL; the saver is to find the double beside it.
    WriteText(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\VRX98.scr\\DllOverrides", "mpr", "native,builtin",
              true);
    HWND parent = MakeHost();
    HWND foreground = MakeHost();
    SetForegroundWindow(foreground);

    EXPECT_EQ(0u, RunToEnd(Win98SaverPath(), "/a " + Handle(parent)));
    EXPECT_NE(std::string::npos, Log().find("PwdChangePasswordA SCRSAVE " + Handle(parent) + " 0 0"))
        << "log: " << Log();

    DeleteFileA(log_.c_str());
    SetForegroundWindow(foreground);
    EXPECT_EQ(0u, RunToEnd(Win98SaverPath(), "-a:" + Handle(parent)));
    EXPECT_NE(std::string::npos, Log().find("PwdChangePasswordA SCRSAVE " + Handle(foreground) + " 0 0"))
        << "a colon makes the number 0, so the foreground window is the parent; log: " << Log();

    DeleteFileA(log_.c_str());
    HWND dead = MakeHost();
    std::string deadHandle = Handle(dead);
    DestroyWindow(dead);
    SetForegroundWindow(foreground);
    EXPECT_EQ(0u, RunToEnd(Win98SaverPath(), "/A    " + deadHandle));
    EXPECT_NE(std::string::npos, Log().find("PwdChangePasswordA SCRSAVE " + Handle(foreground) + " 0 0"))
        << "log: " << Log();
}

TEST_F(Win98SaverTest, WithoutAPasswordTheWin98SaverEndsOnTheFirstKey)
{
    ChildProcess saver;
    ASSERT_TRUE(saver.Start(Win98SaverPath(), "/s"));
    HWND window = WaitForSaver(saver);
    ASSERT_NE(nullptr, window);
    PostMessageA(window, WM_KEYDOWN, 'Q', 0);
    ASSERT_TRUE(saver.WaitPumping(10000));
    EXPECT_EQ(0u, saver.ExitCode());
    EXPECT_EQ(0, CountInLog("load PASSWORD.CPL")) << "no password in force, nothing loaded; log: " << Log();
}

TEST_F(Win98SaverTest, ARefusedPasswordKeepsTheSaverAndTheRightOneEndsIt)
{
    WriteNumber(HKEY_CURRENT_USER, "Control Panel\\Desktop", "ScreenSaveUsePassword", 1);
    Answer("0");
    ChildProcess saver;
    ASSERT_TRUE(saver.Start(Win98SaverPath(), "/s"));
    HWND window = WaitForSaver(saver);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(1, CountInLog("load PASSWORD.CPL"));

    PostMessageA(window, WM_KEYDOWN, 'Q', 0);
    ASSERT_TRUE(PumpUntil([&] { return CountInLog("VerifyScreenSavePwd") == 1; }, 10000)) << "log: " << Log();
    EXPECT_FALSE(saver.WaitPumping(400)) << "a refused password ended the saver";

    Answer("1");
    PostMessageA(window, WM_LBUTTONDOWN, 0, 0);
    ASSERT_TRUE(saver.WaitPumping(10000)) << "the right password did not end the saver; log: " << Log();
    EXPECT_EQ(0u, saver.ExitCode());
    EXPECT_EQ(2, CountInLog("VerifyScreenSavePwd"));
    EXPECT_EQ(1, CountInLog("unload PASSWORD.CPL"));
}

TEST_F(Win98SaverTest, ACloseWithin200MillisecondsOfARefusalAsksNothing)
{
    WriteNumber(HKEY_CURRENT_USER, "Control Panel\\Desktop", "ScreenSaveUsePassword", 1);
    Answer("0");
    ChildProcess saver;
    ASSERT_TRUE(saver.Start(Win98SaverPath(), "/s"));
    HWND window = WaitForSaver(saver);
    ASSERT_NE(nullptr, window);
    // Two closes in one burst: the second arrives right after the question ends.
    PostMessageA(window, WM_CLOSE, 0, 0);
    PostMessageA(window, WM_CLOSE, 0, 0);
    PumpFor(150);
    EXPECT_EQ(1, CountInLog("VerifyScreenSavePwd")) << "log: " << Log();
    PumpFor(200);
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return CountInLog("VerifyScreenSavePwd") == 2; }, 5000))
        << "a close after 200 ms must ask again; log: " << Log();
    EXPECT_TRUE(saver.Running());
    saver.Kill();
}

TEST_F(Win98SaverTest, OnOtherPlatformsThePasswordIsNeverAsked)
{
    WriteNumber(HKEY_CURRENT_USER, "Control Panel\\Desktop", "ScreenSaveUsePassword", 1);
    Answer("0");
    std::string copy = JoinPath(PasswordDir(), "VRXnt.scr");
    CopyFileTo(SaverPath(), copy);
    ChildProcess saver;
    ASSERT_TRUE(saver.Start(copy, "/s"));
    HWND window = WaitForSaver(saver);
    ASSERT_NE(nullptr, window);
    PostMessageA(window, WM_KEYDOWN, 'Q', 0);
    ASSERT_TRUE(saver.WaitPumping(10000));
    EXPECT_EQ(0u, saver.ExitCode());
    EXPECT_EQ(0, CountInLog("load PASSWORD.CPL")) << "log: " << Log();
    EXPECT_EQ(kRefused, RunToEnd(copy, "/a"));
    DeleteFileA(copy.c_str());
}

}  // namespace
