// The uninstaller's command line: the program name as Windows passes it,
// the /S switch as the first argument only, quotes, and paths it refuses.
#include <gtest/gtest.h>

#include "command_line.h"

namespace {

TEST(UninstallCommandLine, ProgramNameIsStrippedQuotedUnquotedOrWithBlanks)
{
    struct Case {
        const char* commandLine;
        const char* module;
        const char* arguments;
    } cases[] = {
        {"C:\\WINDOWS\\ssunins.exe C:\\VRX2 Screen Saver", "C:\\WINDOWS\\ssunins.exe", " C:\\VRX2 Screen Saver"},
        {"\"C:\\WINDOWS\\ssunins.exe\" /S", "C:\\WINDOWS\\ssunins.exe", " /S"},
        {"c:\\my windows\\SSUNINS.EXE D:\\x", "C:\\My Windows\\ssunins.exe", " D:\\x"},
        {"ssunins C:\\a b", "C:\\WINDOWS\\ssunins.exe", " C:\\a b"},
        {"C:\\WINDOWS\\ssunins.exe", "C:\\WINDOWS\\ssunins.exe", ""},
        {"\"C:\\unterminated", "C:\\WINDOWS\\ssunins.exe", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(c.arguments), ArgumentsAfterProgramName(c.commandLine, c.module))
            << "command line " << c.commandLine;
    EXPECT_EQ("", ArgumentsAfterProgramName(NULL, NULL));
}

TEST(UninstallCommandLine, OnlyTheFirstArgumentIsASwitchAndThePathStaysWhole)
{
    struct Case {
        const char* arguments;
        bool silent;
        const char* path;
        const char* unknown;
    } cases[] = {
        {" C:\\VRX2 Screen Saver", false, "C:\\VRX2 Screen Saver", ""},
        {" /S C:\\VRX2 Screen Saver", true, "C:\\VRX2 Screen Saver", ""},
        {" /s C:\\VRX2 Screen Saver", true, "C:\\VRX2 Screen Saver", ""},
        {" C:\\Jeux -S", false, "C:\\Jeux -S", ""},
        {" C:\\Jeux -s", false, "C:\\Jeux -s", ""},
        {" C:\\VRX2 Screen Saver /S", false, "C:\\VRX2 Screen Saver /S", ""},
        {" /S C:\\Jeux -S", true, "C:\\Jeux -S", ""},
        {" -S C:\\x", false, "-S C:\\x", ""},
        {" /Sx C:\\x", false, "C:\\x", "/Sx"},
        {"  \"C:\\VRX2 Screen Saver\"  ", false, "C:\\VRX2 Screen Saver", ""},
        {" /S \"C:\\VRX2 Screen Saver\\\"", true, "C:\\VRX2 Screen Saver\\", ""},
        {" -S", false, "-S", ""},
        {" /Q C:\\x", false, "C:\\x", "/Q"},
        {" /S /S C:\\x", true, "/S C:\\x", ""},
        {" /S", true, "", ""},
        {"", false, "", ""},
    };
    for (const Case& c : cases) {
        UninstallCommand command = ParseUninstallArguments(c.arguments);
        EXPECT_EQ(c.silent, command.silent) << "arguments \"" << c.arguments << "\"";
        EXPECT_EQ(std::string(c.path), command.installedPath) << "arguments \"" << c.arguments << "\"";
        EXPECT_EQ(std::string(c.unknown), command.unknownSwitch) << "arguments \"" << c.arguments << "\"";
    }
}

TEST(UninstallCommandLine, OnlyAbsolutePathsWithoutWildcardsAreUsable)
{
    for (const char* good : {"C:", "C:\\", "C:\\VRX2 Screen Saver", "d:\\a\\b c", "\\\\server\\share\\dir"})
        EXPECT_TRUE(IsUsableInstalledPath(good)) << good;
    for (const char* bad : {"", "pictures", "\\VRX2", "C:relative", "C:\\*", "C:\\a?", "C:\\a\\\\b",
                            "\\\\server", "\\\\server\\", "C:\\a:b", "1:\\x", "C:\\a/b", "C:\\a\tb"})
        EXPECT_FALSE(IsUsableInstalledPath(bad)) << "\"" << bad << "\"";
    EXPECT_FALSE(IsUsableInstalledPath("C:\\" + std::string(250, 'a'))) << "a path too long for its files";
}

}  // namespace
