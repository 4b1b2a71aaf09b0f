// The command line: what is taken for the program name, how window handles
// are read, and the switches that end at once with -1.
#include <gtest/gtest.h>

#include "saver_modes.h"
#include "saver_runtime.h"

namespace {

TEST(SkipProgramNameTest, AQuotedNameWithBlanksEndsAfterTheClosingQuote)
{
    EXPECT_STREQ("/s", SkipProgramName("\"C:\\Program Files\\My Saver\\VRXSaver.scr\" /s"));
    EXPECT_STREQ("/p 1234", SkipProgramName("\"C:\\a b\\x.scr\"   /p 1234"));
    EXPECT_STREQ("-c", SkipProgramName("\"x y\"-c")) << "no blank needed after the quote";
}

TEST(SkipProgramNameTest, AnUnquotedNameEndsAtTheFirstBlank)
{
    EXPECT_STREQ("/s", SkipProgramName("C:\\WINDOWS\\VRXSaver.scr /s"));
    EXPECT_STREQ("", SkipProgramName("VRXSaver.scr"));
    EXPECT_STREQ("", SkipProgramName("VRXSaver.scr   \t "));
    EXPECT_STREQ("s", SkipProgramName("x.scr\t\ts"));
}

TEST(SkipProgramNameTest, BytesAbove0x7FBelongToTheName)
{
    EXPECT_STREQ("/c", SkipProgramName("C:\\\xC9\xE9\xE8.scr /c"));
}

TEST(SkipProgramNameTest, AnUnclosedQuoteTakesTheWholeLine)
{
    EXPECT_STREQ("", SkipProgramName("\"C:\\never closed /s"));
    EXPECT_STREQ("", SkipProgramName(""));
}

TEST(ParseWindowHandleTest, ReadsDecimalDigitsUpToTheFirstOtherCharacter)
{
    EXPECT_EQ(reinterpret_cast<HWND>(1234), ParseWindowHandle("1234"));
    EXPECT_EQ(reinterpret_cast<HWND>(65548), ParseWindowHandle("65548 trailing"));
    EXPECT_EQ(reinterpret_cast<HWND>(12), ParseWindowHandle("12:34"));
    EXPECT_EQ(reinterpret_cast<HWND>(0), ParseWindowHandle(""));
    EXPECT_EQ(reinterpret_cast<HWND>(0), ParseWindowHandle(":1234")) << "a colon first gives no digits";
    EXPECT_EQ(reinterpret_cast<HWND>(0), ParseWindowHandle(" 1234")) << "no blanks are skipped here";
    EXPECT_EQ(reinterpret_cast<HWND>(0), ParseWindowHandle("-5")) << "no sign";
}

TEST(ParseWindowHandleTest, AnOverflowingNumberWrapsIn32Bits)
{
    // 4294967296 is 2^32: it wraps to 0; 4294967297 to 1.
    EXPECT_EQ(reinterpret_cast<HWND>(0), ParseWindowHandle("4294967296"));
    EXPECT_EQ(reinterpret_cast<HWND>(1), ParseWindowHandle("4294967297"));
    EXPECT_EQ(reinterpret_cast<HWND>(static_cast<ULONG_PTR>(4294967295u)), ParseWindowHandle("4294967295"));
    // Twenty nines wrap many times without trapping.
    DWORD expected = 0;
    for (int i = 0; i < 20; ++i)
        expected = expected * 10 + 9;
    EXPECT_EQ(reinterpret_cast<HWND>(static_cast<ULONG_PTR>(expected)), ParseWindowHandle("99999999999999999999"));
}

class RefusedSwitchTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        ResetSaverRuntime();
        SaverRuntime.IsWin95Family = FALSE;
    }
};

TEST_P(RefusedSwitchTest, EndsWithMinusOneAndNoWindow)
{
    EXPECT_EQ(SAVER_EXIT_REFUSED, DispatchSaverMode(GetParam())) << "arguments \"" << GetParam() << "\"";
    EXPECT_EQ(nullptr, SaverRuntime.MainWindow);
    EXPECT_EQ(nullptr, FindWindowA(SAVER_CLASS_NAME, NULL));
}

INSTANTIATE_TEST_SUITE_P(Switches, RefusedSwitchTest,
                         ::testing::Values("/x", "x", "/1", "-9", "/?", "//  -q", "/p", "/p    ", "/p:1234",
                                           "/p 0", "/l", "/L:99", "/p 4294967296", "/a", "-A 1234", "/a:5",
                                           "\t/s"));

TEST(ChangePasswordSwitchTest, OutsideTheWindows95FamilyEndsWithMinusOne)
{
    ResetSaverRuntime();
    SaverRuntime.IsWin95Family = FALSE;
    EXPECT_EQ(SAVER_EXIT_REFUSED, DispatchSaverMode("/a"));
    EXPECT_EQ(SAVER_EXIT_REFUSED, DispatchSaverMode("a 12"));
}

TEST(PreviewSwitchTest, ADeadWindowHandleIsRefused)
{
    ResetSaverRuntime();
    HWND window = CreateWindowA("STATIC", "gone", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ASSERT_NE(nullptr, window);
    char text[32];
    wsprintfA(text, "/p %lu", static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(window)));
    DestroyWindow(window);
    EXPECT_EQ(SAVER_EXIT_REFUSED, DispatchSaverMode(text));
}

}  // namespace
