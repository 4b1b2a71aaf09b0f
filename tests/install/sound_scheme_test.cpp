// The "VRX 2" sound scheme read back from HKEY_CURRENT_USER\AppEvents: every
// value a REG_SZ with exactly one terminating NUL.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "saved_state.h"
#include "scheme_events.h"
#include "sound_scheme.h"
#include "test_support.h"

using namespace vrxtest;

namespace {

const char kSoundDir[] = "C:\\VRX2 Screen Saver\\sounds";

class SoundSchemeTest : public ::testing::Test {
protected:
    void SetUp() override { saved_.reset(new SavedTree(HKEY_CURRENT_USER, "AppEvents")); }
    void TearDown() override { saved_->Restore(); }

    // The default value of an HKCU key, expected to be text + one NUL.
    void ExpectText(const std::string& key, const std::string& text)
    {
        RegValue value = ReadValue(HKEY_CURRENT_USER, key, "");
        ASSERT_TRUE(value.present) << key << " has no default value";
        EXPECT_EQ((DWORD)REG_SZ, value.type) << key;
        EXPECT_EQ(text + '\0', value.Text()) << key << ": expected \"" << text << "\" and one NUL ("
                                             << text.size() + 1 << " bytes), got " << value.bytes.size() << " bytes";
    }

    std::unique_ptr<SavedTree> saved_;
};

TEST_F(SoundSchemeTest, TheSchemeIsNamedAndMadeCurrent)
{
    EXPECT_TRUE(RegisterSoundScheme(kSoundDir));
    ExpectText("AppEvents\\Schemes\\Names\\VRX 2", "Kestrova 2 Sound Scheme");
    ExpectText("AppEvents\\Schemes", "VRX 2");
    EXPECT_EQ(6u, ReadValue(HKEY_CURRENT_USER, "AppEvents\\Schemes", "").bytes.size());
}

TEST_F(SoundSchemeTest, EverySixteenEventsGetTheirFileInTheSchemeAndAsCurrent)
{
    RegisterSoundScheme(kSoundDir);
    for (const SchemeEvent& row : kSchemeEvents) {
        std::string path = std::string(kSoundDir) + "\\" + row.fileName;
        ExpectText(std::string(row.eventKey) + "VRX 2", path);
        ExpectText(std::string(row.eventKey) + ".Current", path);
    }
}

TEST_F(SoundSchemeTest, TheTableIsTheOneWrittenInItsOrder)
{
    for (int i = 0; i < 16; ++i) {
        EXPECT_STREQ(kSchemeEvents[i].eventKey, g_soundEvents[i].eventKey) << "row " << i + 1;
        EXPECT_EQ(std::string("\\") + kSchemeEvents[i].fileName, g_soundEvents[i].suffix) << "row " << i + 1;
    }
}

TEST_F(SoundSchemeTest, EarlierSoundsAreOverwrittenAndOtherEventsKeepTheirs)
{
    const std::string asterisk = "AppEvents\\Schemes\\Apps\\.Default\\SystemAsterisk\\.Current";
    const std::string other = "AppEvents\\Schemes\\Apps\\.Default\\SystemNotification\\.Current";
    WriteText(HKEY_CURRENT_USER, asterisk, "", "C:\\old\\chord.wav", true);
    WriteText(HKEY_CURRENT_USER, other, "", "C:\\old\\notify.wav", true);
    WriteText(HKEY_CURRENT_USER, "AppEvents\\Schemes", "", ".Default", true);
    RegisterSoundScheme(kSoundDir);
    ExpectText(asterisk, std::string(kSoundDir) + "\\ast.wav");
    ExpectText(other, "C:\\old\\notify.wav");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "AppEvents\\Schemes\\Apps\\.Default\\SystemNotification\\VRX 2"));
    ExpectText("AppEvents\\Schemes", "VRX 2");
}

TEST_F(SoundSchemeTest, RegisteringTwiceLeavesTheSameValues)
{
    RegisterSoundScheme(kSoundDir);
    RegisterSoundScheme(kSoundDir);
    ExpectText("AppEvents\\Schemes\\Apps\\Explorer\\EmptyRecycleBin\\VRX 2", std::string(kSoundDir) + "\\erb.wav");
    ExpectText("AppEvents\\Schemes", "VRX 2");
}

TEST_F(SoundSchemeTest, AnAccentedDirectoryIsStoredInWindows1252)
{
    const std::string dir = "C:\\\xC9" "conomiseur\\sounds";
    RegisterSoundScheme(dir.c_str());
    ExpectText("AppEvents\\Schemes\\Apps\\.Default\\SystemStart\\.Current", dir + "\\stw.wav");
}

TEST_F(SoundSchemeTest, ARowWhosePathWouldNotFitIsNotWrittenAndTheOthersAre)
{
    WriteEventSound("C:\\short", "\\ast.wav", "AppEvents\\Schemes\\Apps\\.Default\\SystemAsterisk\\");
    // 252 + "\ast.wav" (8) = 260 characters: one too many.
    std::string longDir = "C:\\" + std::string(249, 'x');
    WriteEventSound(longDir.c_str(), "\\ast.wav", "AppEvents\\Schemes\\Apps\\.Default\\SystemAsterisk\\");
    ExpectText("AppEvents\\Schemes\\Apps\\.Default\\SystemAsterisk\\VRX 2", "C:\\short\\ast.wav");
    // 251 + 8 = 259 still fits.
    std::string fits = longDir.substr(0, 251);
    WriteEventSound(fits.c_str(), "\\ast.wav", "AppEvents\\Schemes\\Apps\\.Default\\SystemAsterisk\\");
    ExpectText("AppEvents\\Schemes\\Apps\\.Default\\SystemAsterisk\\.Current", fits + "\\ast.wav");
}

}  // namespace
