// The saver activation read back from system.ini through the profile
// functions and from the settings key byte for byte.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "saved_state.h"
#include "saver_activation.h"
#include "test_support.h"

using namespace vrxtest;

namespace {

class SaverActivationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ini_.reset(new SavedFile(SystemIniPath()));
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey);
    }
    void TearDown() override
    {
        ini_->Restore();
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey);
    }

    std::string InstalledSaver() const { return JoinPath(WindowsDirectory(), "VRXSaver.scr"); }

    // "Previous Saver" as stored: REG_SZ, no terminating NUL.
    void ExpectPrevious(const std::string& text)
    {
        RegValue value = ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, "Previous Saver");
        ASSERT_TRUE(value.present) << "no \"Previous Saver\"";
        EXPECT_EQ((DWORD)REG_SZ, value.type);
        EXPECT_EQ(text, value.Text()) << "expected " << text.size() << " bytes without NUL, got "
                                      << value.bytes.size();
    }

    std::unique_ptr<SavedFile> ini_;
};

TEST_F(SaverActivationTest, NoEntryIsStoredAsNoneAndTheSaverIsNamed)
{
    SetActiveSaver(NULL);
    ActivateScreenSaver(TRUE);
    ExpectPrevious("None");
    EXPECT_EQ(InstalledSaver(), ActiveSaver());
}

TEST_F(SaverActivationTest, TheActiveSaverIsKeptAsPreviousSaver)
{
    SetActiveSaver("C:\\windows\\system32\\Old Saver.scr");
    ActivateScreenSaver(TRUE);
    ExpectPrevious("C:\\windows\\system32\\Old Saver.scr");
    EXPECT_EQ(InstalledSaver(), ActiveSaver());
}

TEST_F(SaverActivationTest, AfterAFailedCopyThePreviousSaverIsStoredAndStaysActive)
{
    SetActiveSaver("C:\\old.scr");
    ActivateScreenSaver(FALSE);
    ExpectPrevious("C:\\old.scr");
    EXPECT_EQ("C:\\old.scr", ActiveSaver());
}

TEST_F(SaverActivationTest, AFailedCopyWithNoEntryAddsNone)
{
    SetActiveSaver(NULL);
    ActivateScreenSaver(FALSE);
    ExpectPrevious("None");
    EXPECT_EQ("<absent>", ActiveSaver());
}

TEST_F(SaverActivationTest, ASaverPathOf120CharactersIsKeptToItsFirst99)
{
    std::string longPath = "C:\\" + std::string(113, 'p') + ".scr";
    ASSERT_EQ(120u, longPath.size());
    SetActiveSaver(longPath.c_str());
    ActivateScreenSaver(TRUE);
    ExpectPrevious(longPath.substr(0, 99));
    EXPECT_EQ(InstalledSaver(), ActiveSaver());
}

TEST_F(SaverActivationTest, ASecondActivationKeepsTheFirstOnesOwnSaver)
{
    SetActiveSaver("C:\\old.scr");
    ActivateScreenSaver(TRUE);
    ActivateScreenSaver(TRUE);
    ExpectPrevious(InstalledSaver());
    EXPECT_EQ(InstalledSaver(), ActiveSaver());
}

TEST_F(SaverActivationTest, OtherEntriesOfSystemIniStayAsTheyWere)
{
    WritePrivateProfileStringA("boot", "shell", "Explorer.exe", "system.ini");
    WritePrivateProfileStringA("386Enh", "SCRNSAVE.EXE", "elsewhere.scr", "system.ini");
    SetActiveSaver("C:\\old.scr");
    ActivateScreenSaver(TRUE);
    char text[64];
    GetPrivateProfileStringA("boot", "shell", "", text, sizeof text, "system.ini");
    EXPECT_STREQ("Explorer.exe", text);
    GetPrivateProfileStringA("386Enh", "SCRNSAVE.EXE", "", text, sizeof text, "system.ini");
    EXPECT_STREQ("elsewhere.scr", text);
}

TEST_F(SaverActivationTest, OtherSettingsAreNotTouched)
{
    WriteText(HKEY_LOCAL_MACHINE, kSettingsKey, "Installed path", "C:\\kept");
    WriteNumber(HKEY_LOCAL_MACHINE, kSettingsKey, "UpdateRate", 7);
    RegValue path = ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, "Installed path");
    ActivateScreenSaver(TRUE);
    RegValue after = ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, "Installed path");
    EXPECT_TRUE(after.present);
    EXPECT_TRUE(path.bytes == after.bytes) << "\"" << path.Text() << "\" became \"" << after.Text() << "\"";
    EXPECT_EQ(7u, ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, "UpdateRate").Number());
}

}  // namespace
