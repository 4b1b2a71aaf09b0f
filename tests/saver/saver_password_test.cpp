// The Windows 95 family's password path, with the saver window in this
// process: the question, its verdict, the 200 ms rule, the timer ticks held
// back, and the screen-saver-running flag reported through the seam.
#include "saver_window_fixture.h"

#include <vector>

#include "saver_procs.h"

using namespace vrxtest;

namespace {

struct SpiCall {
    UINT action;
    UINT uiParam;
    bool hadPointer;
    UINT winIni;
};
std::vector<SpiCall> g_spiCalls;

BOOL WINAPI RecordSystemParametersInfo(UINT action, UINT uiParam, PVOID pvParam, UINT winIni)
{
    g_spiCalls.push_back({action, uiParam, pvParam != NULL, winIni});
    if (pvParam)
        *static_cast<UINT*>(pvParam) = 0;
    return TRUE;
}

// The verifier the tests hand the saver: answers from a script and records
// what the window looked like while the question was up.
struct Question {
    BOOL answer = FALSE;
    int calls = 0;
    bool timerPendingDuringQuestion = false;
    bool wasVerifying = false;
    POINT moveCursorTo = {-1, -1};
    UINT nestedMessage = 0;
};
Question g_question;

BOOL WINAPI ScriptedVerify(HWND window)
{
    ++g_question.calls;
    g_question.wasVerifying = SaverRuntime.IsVerifying != FALSE;
    MSG pending;
    g_question.timerPendingDuringQuestion =
        PeekMessageA(&pending, window, WM_TIMER, WM_TIMER, PM_NOREMOVE | PM_NOYIELD) != FALSE;
    if (g_question.moveCursorTo.x >= 0)
        SetCursorPos(g_question.moveCursorTo.x, g_question.moveCursorTo.y);
    if (g_question.nestedMessage)
        SendMessageA(window, g_question.nestedMessage, 0, 0);
    return g_question.answer;
}

class SaverPasswordTest : public SaverWindowTest {
protected:
    void SetUp() override
    {
        SaverWindowTest::SetUp();
        SaverRuntime.IsWin95Family = TRUE;
        g_spiCalls.clear();
        g_question = Question();
        SaverSystemParametersInfo = RecordSystemParametersInfo;
    }
    void TearDown() override
    {
        SaverRuntime.VerifyPassword = NULL;
        SaverWindowTest::TearDown();
        SaverSystemParametersInfo = SystemParametersInfoA;
        SetDllDirectoryA(NULL);
        DeleteKeyTree(HKEY_CURRENT_USER, "Control Panel\\Desktop\\VrxUnused");
        HKEY desktop;
        if (RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &desktop) == ERROR_SUCCESS) {
            RegDeleteValueA(desktop, "ScreenSaveUsePassword");
            RegCloseKey(desktop);
        }
    }

    HWND CreateProtected(BOOL answer)
    {
        CreateFullScreen();
        SaverRuntime.VerifyPassword = ScriptedVerify;
        g_question.answer = answer;
        return window_;
    }

    void UsePasswordValue(DWORD value)
    {
        WriteNumber(HKEY_CURRENT_USER, "Control Panel\\Desktop", "ScreenSaveUsePassword", value);
    }
    void FindPasswordDouble() { SetDllDirectoryA(JoinPath(ProgramDirectory(), "pwd").c_str()); }
};

TEST_F(SaverPasswordTest, WithoutAPasswordTheFirstCloseEndsTheSaver)
{
    ASSERT_NE(nullptr, CreateFullScreen());
    SendMessageA(window_, WM_CLOSE, 0, 0);
    EXPECT_TRUE(SaverRuntime.ClosingAllowed);
    EXPECT_FALSE(IsWindow(window_));
}

TEST_F(SaverPasswordTest, TheRightPasswordEndsTheSaver)
{
    ASSERT_NE(nullptr, CreateProtected(TRUE));
    SendMessageA(window_, WM_CLOSE, 0, 0);
    EXPECT_EQ(1, g_question.calls);
    EXPECT_TRUE(g_question.wasVerifying) << "IsVerifying must be set while the question is up";
    EXPECT_FALSE(SaverRuntime.IsVerifying);
    EXPECT_TRUE(SaverRuntime.ClosingAllowed);
    EXPECT_FALSE(IsWindow(window_));
}

TEST_F(SaverPasswordTest, AWrongPasswordKeepsTheSaverWithTheCursorHidden)
{
    SetCursorPos(50, 50);
    ASSERT_NE(nullptr, CreateProtected(FALSE));
    g_question.moveCursorTo = {321, 123};
    SetCursor(LoadCursorA(NULL, MAKEINTRESOURCEA(32512)));
    SendMessageA(window_, WM_CLOSE, 0, 0);
    EXPECT_EQ(1, g_question.calls);
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_FALSE(SaverRuntime.ClosingAllowed);
    EXPECT_FALSE(SaverRuntime.IsVerifying);
    EXPECT_EQ(nullptr, GetCursor()) << "the cursor must be hidden again";
    EXPECT_EQ(321, SaverRuntime.LastCursorPos.x) << "mouse travel is measured afresh after the question";
    EXPECT_EQ(123, SaverRuntime.LastCursorPos.y);
    EXPECT_NE(VERIFY_TICK_NEVER, SaverRuntime.LastVerifyTick);
}

TEST_F(SaverPasswordTest, NoNewQuestionWithin200MillisecondsOfTheLast)
{
    ASSERT_NE(nullptr, CreateProtected(FALSE));
    SendMessageA(window_, WM_CLOSE, 0, 0);
    ASSERT_EQ(1, g_question.calls);
    SendMessageA(window_, WM_CLOSE, 0, 0);
    EXPECT_EQ(1, g_question.calls) << "a close right after the question must be ignored";
    EXPECT_TRUE(IsWindow(window_));

    // The rule is measured from the end of the last question.
    SaverRuntime.LastVerifyTick = GetTickCount() - 150;
    SendMessageA(window_, WM_CLOSE, 0, 0);
    EXPECT_EQ(1, g_question.calls);
    SaverRuntime.LastVerifyTick = GetTickCount() - 250;
    g_question.answer = TRUE;
    SendMessageA(window_, WM_CLOSE, 0, 0);
    EXPECT_EQ(2, g_question.calls);
    EXPECT_FALSE(IsWindow(window_));
}

TEST_F(SaverPasswordTest, TheRuleHoldsAcrossTheTickCountWrap)
{
    ASSERT_NE(nullptr, CreateProtected(FALSE));
    SaverRuntime.LastVerifyTick = GetTickCount() + 0x80000000u;  // long ago, seen modulo 2^32
    SendMessageA(window_, WM_CLOSE, 0, 0);
    EXPECT_EQ(1, g_question.calls);
}

TEST_F(SaverPasswordTest, InputDuringTheQuestionNeitherClosesNorAsksAgain)
{
    ASSERT_NE(nullptr, CreateProtected(FALSE));
    g_question.nestedMessage = WM_KEYDOWN;
    SendMessageA(window_, WM_CLOSE, 0, 0);
    EXPECT_FALSE(TakeClose()) << "a key during the question must not post WM_CLOSE";

    SaverRuntime.LastVerifyTick = VERIFY_TICK_NEVER;
    g_question.nestedMessage = WM_CLOSE;
    SendMessageA(window_, WM_CLOSE, 0, 0);
    EXPECT_EQ(2, g_question.calls) << "a close during the question must not ask a second time";
    EXPECT_TRUE(IsWindow(window_));
}

TEST_F(SaverPasswordTest, PendingTimerTicksAreRemovedBeforeTheQuestion)
{
    ASSERT_NE(nullptr, CreateProtected(FALSE));
    SetTimer(window_, 7, 100, NULL);
    Sleep(150);
    MSG pending;
    ASSERT_TRUE(PeekMessageA(&pending, window_, WM_TIMER, WM_TIMER, PM_NOREMOVE)) << "no tick was pending";
    SendMessageA(window_, WM_CLOSE, 0, 0);
    EXPECT_EQ(1, g_question.calls);
    EXPECT_FALSE(g_question.timerPendingDuringQuestion);
    KillTimer(window_, 7);
}

TEST_F(SaverPasswordTest, TheVerifyMessageAnswersByPlatform)
{
    ASSERT_NE(nullptr, CreateFullScreen());
    EXPECT_EQ(1, SendMessageA(window_, WM_APP, 0, 0)) << "no verifier loaded: accepted";
    SaverRuntime.VerifyPassword = ScriptedVerify;
    g_question.answer = FALSE;
    EXPECT_EQ(0, SendMessageA(window_, WM_APP, 0, 0));
    SaverRuntime.IsWin95Family = FALSE;
    EXPECT_EQ(0, SendMessageA(window_, WM_APP, 0, 0)) << "other platforms: the default procedure's 0";
    EXPECT_EQ(1, g_question.calls);
}

TEST_F(SaverPasswordTest, ThePasswordLibraryIsLoadedOnlyWhenAPasswordIsInForce)
{
    FindPasswordDouble();
    LoadPasswordLibrary();
    EXPECT_EQ(nullptr, SaverRuntime.PasswordLibrary) << "no ScreenSaveUsePassword value";
    UsePasswordValue(0);
    LoadPasswordLibrary();
    EXPECT_EQ(nullptr, SaverRuntime.PasswordLibrary) << "ScreenSaveUsePassword 0";
    EXPECT_TRUE(g_spiCalls.empty());

    UsePasswordValue(1);
    LoadPasswordLibrary();
    ASSERT_NE(nullptr, SaverRuntime.PasswordLibrary);
    ASSERT_NE(nullptr, SaverRuntime.VerifyPassword);
    ASSERT_EQ(1u, g_spiCalls.size());
    EXPECT_EQ(static_cast<UINT>(SPI_SETSCREENSAVERRUNNING), g_spiCalls[0].action);
    EXPECT_EQ(1u, g_spiCalls[0].uiParam);
    EXPECT_TRUE(g_spiCalls[0].hadPointer);
    EXPECT_EQ(0u, g_spiCalls[0].winIni);

    UnloadPasswordLibrary();
    EXPECT_EQ(nullptr, SaverRuntime.PasswordLibrary);
    EXPECT_EQ(nullptr, SaverRuntime.VerifyPassword);
    ASSERT_EQ(2u, g_spiCalls.size());
    EXPECT_EQ(static_cast<UINT>(SPI_SETSCREENSAVERRUNNING), g_spiCalls[1].action);
    EXPECT_EQ(0u, g_spiCalls[1].uiParam);

    UnloadPasswordLibrary();
    EXPECT_EQ(2u, g_spiCalls.size()) << "a second unload does nothing";
}

TEST_F(SaverPasswordTest, AMissingPasswordComponentTurnsThePasswordOff)
{
    UsePasswordValue(1);
    SetDllDirectoryA(ProgramDirectory().c_str());  // no PASSWORD.CPL here
    LoadPasswordLibrary();
    EXPECT_EQ(nullptr, SaverRuntime.PasswordLibrary);
    EXPECT_EQ(nullptr, SaverRuntime.VerifyPassword);
    EXPECT_TRUE(g_spiCalls.empty());
}

TEST_F(SaverPasswordTest, OutsideWindows95NothingIsLoadedOrReported)
{
    SaverRuntime.IsWin95Family = FALSE;
    UsePasswordValue(1);
    FindPasswordDouble();
    LoadPasswordLibrary();
    EXPECT_EQ(nullptr, SaverRuntime.PasswordLibrary);
    EXPECT_FALSE(SetSaverRunning(TRUE));
    EXPECT_TRUE(g_spiCalls.empty());
}

// Runs in a child process only (see below): a fault inside the guarded mode.
int Fault(const char*)
{
    volatile int* nowhere = NULL;
    *nowhere = 1;
    return 0;
}

BOOL WINAPI LogSystemParametersInfo(UINT action, UINT uiParam, PVOID pvParam, UINT)
{
    char line[64];
    wsprintfA(line, "SPI %u %u\r\n", action, uiParam);
    char path[MAX_PATH];
    if (GetEnvironmentVariableA("VRX_FAULT_LOG", path, sizeof path)) {
        HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, NULL, OPEN_ALWAYS, 0, NULL);
        DWORD written;
        WriteFile(file, line, lstrlenA(line), &written, NULL);
        CloseHandle(file);
    }
    if (pvParam)
        *static_cast<UINT*>(pvParam) = 0;
    return TRUE;
}

TEST(FaultGuardChild, DISABLED_FaultInsideTheGuard)
{
    SaverRuntime.IsWin95Family = TRUE;
    SaverSystemParametersInfo = LogSystemParametersInfo;
    RunWithFaultGuard(Fault, "");
    ADD_FAILURE() << "the guard returned after a fault";
}

// Runs the child above: the fault must end its process with the fault's code
// after telling Windows 95 that no saver runs.
void ExpectAFaultEndsTheProcessWithItsCodeAndClearsTheRunningFlag()
{
    std::string dir = MakeScratchDirectory("fault");
    std::string log = JoinPath(dir, "spi.log");
    SetEnv("VRX_FAULT_LOG", log);
    char self[MAX_PATH];
    GetModuleFileNameA(NULL, self, MAX_PATH);
    DWORD code = RunToEnd(self, "--gtest_filter=FaultGuardChild.DISABLED_FaultInsideTheGuard "
                                "--gtest_also_run_disabled_tests", 20000);
    UnsetEnv("VRX_FAULT_LOG");
    EXPECT_EQ(static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION), code);
    std::vector<BYTE> bytes = ReadFileBytes(log);
    EXPECT_EQ("SPI 97 0\r\n", std::string(bytes.begin(), bytes.end()))
        << "the fault handler must tell Windows 95 that no saver runs";
    RemoveTree(dir);
}

// Each build has its own guard: a registration record at fs:[0] on x86, the
// unwind tables on x64. Each is proved on its own architecture.
TEST(FaultGuardTest, X86RegistrationRecordEndsTheProcessWithTheFaultsCode)
{
#if defined(__i386__)
    ExpectAFaultEndsTheProcessWithItsCodeAndClearsTheRunningFlag();
#else
    GTEST_SKIP() << "the x86 guard (a record at fs:[0]) exists only in the 32-bit build";
#endif
}

TEST(FaultGuardTest, X64UnwindTableGuardEndsTheProcessWithTheFaultsCode)
{
#if defined(__x86_64__)
    ExpectAFaultEndsTheProcessWithItsCodeAndClearsTheRunningFlag();
#else
    GTEST_SKIP() << "the x64 guard (the unwind tables) exists only in the 64-bit build";
#endif
}

}  // namespace
