// The paths of an installation run: trimming, the shell lists, relative
// destinations and paths that do not fit.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "installation_plan.h"

namespace {

// A shell list: the entry, then a second NUL right after its own.
std::string ListEntry(const char* list)
{
    EXPECT_EQ('\0', list[strlen(list) + 1]) << "list \"" << list << "\" lacks its second NUL";
    return list;
}

class InstallationPlanTest : public ::testing::Test {
protected:
    BOOL Build(const char* destination, const char* source = "D:\\medium", const char* windows = "C:\\WINDOWS",
               const char* current = "C:\\current")
    {
        overlong_.clear();
        return BuildInstallationPlan(&plan_, destination, source, windows, current, &overlong_);
    }
    InstallationPlan plan_;
    std::string overlong_;
};

TEST_F(InstallationPlanTest, DefaultDestinationGivesEveryPathOfTheRun)
{
    ASSERT_TRUE(Build("C:\\VRX2 Screen Saver")) << overlong_;
    EXPECT_STREQ("C:\\WINDOWS", plan_.windowsDirectory);
    EXPECT_STREQ("C:\\VRX2 Screen Saver", plan_.installedPath);
    EXPECT_STREQ("C:\\VRX2 Screen Saver\\sounds", plan_.soundDirectory);
    EXPECT_STREQ("C:\\VRX2 Screen Saver\\pictures", plan_.pictureDirectory);
    EXPECT_EQ("D:\\medium\\sounds\\*.wav", ListEntry(plan_.soundsFrom));
    EXPECT_EQ("C:\\VRX2 Screen Saver\\sounds", ListEntry(plan_.soundsTo));
    EXPECT_EQ("D:\\medium\\pictures\\*.bmp", ListEntry(plan_.picturesFrom));
    EXPECT_EQ("C:\\VRX2 Screen Saver\\pictures", ListEntry(plan_.picturesTo));
    EXPECT_EQ("D:\\medium\\pictures\\VRXSaver.scr", ListEntry(plan_.saverFrom));
    EXPECT_EQ("C:\\WINDOWS", ListEntry(plan_.saverTo));
    EXPECT_STREQ("D:\\medium\\pictures\\ssunins.exe", plan_.uninstallerFrom);
    EXPECT_STREQ("C:\\WINDOWS\\ssunins.exe", plan_.uninstallerTo);
}

TEST_F(InstallationPlanTest, OneTrailingBackslashOfTheDestinationIsRemoved)
{
    ASSERT_TRUE(Build("C:\\VRX2 Screen Saver\\"));
    EXPECT_STREQ("C:\\VRX2 Screen Saver", plan_.installedPath);
    EXPECT_STREQ("C:\\VRX2 Screen Saver\\sounds", plan_.soundDirectory);
    EXPECT_EQ("C:\\VRX2 Screen Saver\\pictures", ListEntry(plan_.picturesTo));
}

TEST_F(InstallationPlanTest, TwoTrailingBackslashesLoseOnlyOne)
{
    ASSERT_TRUE(Build("C:\\VRX2 Screen Saver\\\\"));
    EXPECT_STREQ("C:\\VRX2 Screen Saver\\", plan_.installedPath);
    EXPECT_STREQ("C:\\VRX2 Screen Saver\\\\sounds", plan_.soundDirectory);
}

TEST_F(InstallationPlanTest, AMediumAtADriveRootIsJoinedWithOneBackslash)
{
    ASSERT_TRUE(Build("C:\\dest", "E:\\"));
    EXPECT_EQ("E:\\sounds\\*.wav", ListEntry(plan_.soundsFrom));
    EXPECT_STREQ("E:\\pictures\\ssunins.exe", plan_.uninstallerFrom);
}

TEST_F(InstallationPlanTest, ARelativeDestinationIsTheDirectoryMadeCurrent)
{
    ASSERT_TRUE(Build("Saver", "D:\\medium", "C:\\WINDOWS", "D:\\medium\\Saver"));
    EXPECT_STREQ("D:\\medium\\Saver", plan_.installedPath);
    EXPECT_EQ("D:\\medium\\Saver\\sounds", ListEntry(plan_.soundsTo));
    // Drive-relative is not a full path either.
    ASSERT_TRUE(Build("\\Saver", "D:\\medium", "C:\\WINDOWS", "D:\\Saver"));
    EXPECT_STREQ("D:\\Saver", plan_.installedPath);
    // A server path is.
    ASSERT_TRUE(Build("\\\\server\\share\\Saver\\"));
    EXPECT_STREQ("\\\\server\\share\\Saver", plan_.installedPath);
}

TEST_F(InstallationPlanTest, ASourceTooLongForTheSaverPathIsRefusedWithThatPath)
{
    // 240 characters: "\pictures\VRXSaver.scr" (22) makes 262.
    std::string source = "D:\\" + std::string(237, 's');
    ASSERT_FALSE(Build("C:\\dest", source.c_str()));
    EXPECT_EQ(source + "\\pictures\\VRXSaver.scr", overlong_);
}

TEST_F(InstallationPlanTest, ADestinationThatFitsAloneButNotWithItsSubdirectoryIsRefused)
{
    // 255 characters fit alone; with "\sounds" they do not.
    std::string destination = "C:\\" + std::string(252, 'd');
    ASSERT_FALSE(Build(destination.c_str()));
    EXPECT_EQ(destination + "\\sounds", overlong_);
}

TEST_F(InstallationPlanTest, PathsOfExactly259CharactersFitAnd260DoNot)
{
    // The longest tail is "\pictures\VRXSaver.scr", 22 characters.
    std::string fits = "D:\\" + std::string(259 - 22 - 3, 's');
    ASSERT_TRUE(Build("C:\\dest", fits.c_str())) << overlong_;
    EXPECT_EQ(259u, strlen(plan_.saverFrom));
    std::string tooLong = fits + "s";
    ASSERT_FALSE(Build("C:\\dest", tooLong.c_str()));
    EXPECT_EQ(260u, overlong_.size());
}

TEST_F(InstallationPlanTest, AWindowsDirectoryTooLongForTheSaverIsRefused)
{
    std::string windows = "C:\\" + std::string(247, 'w');  // + "\VRXSaver.scr" (13) = 263
    ASSERT_FALSE(Build("C:\\dest", "D:\\medium", windows.c_str()));
    EXPECT_EQ(windows + "\\VRXSaver.scr", overlong_);
}

}  // namespace
