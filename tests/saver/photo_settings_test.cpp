// The user's own picture settings as the registry really holds them: the
// folders' bytes without NULs, the switches as REG_DWORD, and the values that
// a policy or a hand edit may have put there.
#include <gtest/gtest.h>

#include <string>

#include "photo_settings.h"
#include "refused_hives.h"
#include "test_support.h"

using namespace vrxtest;

namespace {

class PhotoSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKey); }
    void TearDown() override
    {
        SettingsCreateKey = RegCreateKeyExA;
        DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKey);
    }

    static RegValue UserValue(const std::string& name) { return ReadValue(HKEY_CURRENT_USER, kSettingsKey, name); }
    static void PutText(const std::string& name, const std::string& bytes, DWORD type = REG_SZ)
    {
        WriteRaw(HKEY_CURRENT_USER, kSettingsKey, name, type, bytes.data(), static_cast<DWORD>(bytes.size()));
    }
    static PhotoSettings Read()
    {
        PhotoSettings settings;
        FillMemory(&settings, sizeof settings, 0x5A);  // whatever was there before
        EXPECT_EQ(1, ReadPhotoSettings(&settings));
        return settings;
    }
};

PhotoSettings Folders(std::initializer_list<const char*> folders)
{
    PhotoSettings settings = {};
    for (const char* folder : folders)
        lstrcpynA(settings.folders[settings.folderCount++], folder, MAX_PATH);
    return settings;
}

TEST_F(PhotoSettingsTest, WithoutTheKeyNothingIsInUseAndNothingIsCreated)
{
    PhotoSettings settings = Read();
    EXPECT_EQ(0, settings.folderCount);
    EXPECT_EQ(0, settings.subfolders);
    EXPECT_EQ(0, settings.shuffle);
    EXPECT_EQ(0, settings.keepProportions);
    EXPECT_FALSE(PhotoSettingsInUse(&settings));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kSettingsKey)) << "reading must not create the key";

    settings.keepProportions = 1;
    EXPECT_TRUE(PhotoSettingsInUse(&settings));
}

TEST_F(PhotoSettingsTest, WriteStoresFoldersWithoutNulAndSwitchesAsFourByteDwords)
{
    PhotoSettings settings = Folders({"C:\\Photos", "D:\\Vacances \xE9t\xE9"});
    settings.shuffle = 1;
    ASSERT_EQ(1, WritePhotoSettings(&settings));

    RegValue first = UserValue("Folder1");
    ASSERT_TRUE(first.present);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), first.type);
    EXPECT_EQ("C:\\Photos", first.Text()) << "exactly the text's 9 bytes, no NUL";
    RegValue second = UserValue("Folder2");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), second.type);
    EXPECT_EQ("D:\\Vacances \xE9t\xE9", second.Text()) << "one byte per accented letter, no NUL";
    EXPECT_FALSE(UserValue("Folder3").present);

    const struct {
        const char* name;
        DWORD value;
    } switches[] = {{"Subfolders", 0}, {"Shuffle", 1}, {"KeepProportions", 0}, {"AllMonitors", 0}, {"Transition", 0}};
    for (const auto& s : switches) {
        RegValue value = UserValue(s.name);
        ASSERT_TRUE(value.present) << s.name;
        EXPECT_EQ(static_cast<DWORD>(REG_DWORD), value.type) << s.name;
        EXPECT_EQ(4u, value.bytes.size()) << s.name;
        EXPECT_EQ(s.value, value.Number()) << s.name;
    }
    EXPECT_FALSE(ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, "Folder1").present) << "per user only";

    PhotoSettings back = Read();
    ASSERT_EQ(2, back.folderCount);
    EXPECT_STREQ("C:\\Photos", back.folders[0]);
    EXPECT_STREQ("D:\\Vacances \xE9t\xE9", back.folders[1]);
    EXPECT_EQ(0, back.subfolders);
    EXPECT_EQ(1, back.shuffle);
    EXPECT_EQ(0, back.keepProportions);
}

// Folders end at the first one missing, empty, too long or not a text; a NUL
// a policy tool stored ends its text; REG_EXPAND_SZ is expanded.
TEST_F(PhotoSettingsTest, ReadingToleratesNulsAndExpandableTextsAndStopsAtTheFirstGap)
{
    PutText("Folder1", std::string("C:\\Avec NUL\0", 12));
    PutText("Folder2", "%SystemRoot%\\Web", REG_EXPAND_SZ);
    PutText("Folder3", std::string("C:\\Deux\0C:\\Trois\0", 17), REG_SZ);
    PutText("Folder5", "C:\\Apres le trou");
    PhotoSettings settings = Read();
    ASSERT_EQ(3, settings.folderCount) << "Folder4 is missing: Folder5 is not read";
    EXPECT_STREQ("C:\\Avec NUL", settings.folders[0]);
    char expected[MAX_PATH];
    ExpandEnvironmentStringsA("%SystemRoot%\\Web", expected, sizeof expected);
    EXPECT_STREQ(expected, settings.folders[1]);
    EXPECT_NE('%', settings.folders[1][0]);
    EXPECT_STREQ("C:\\Deux", settings.folders[2]);

    const struct {
        DWORD type;
        std::string bytes;
    } broken[] = {{REG_SZ, ""}, {REG_BINARY, "C:\\Binaire"}, {REG_MULTI_SZ, std::string("C:\\M\0\0", 5)},
                  {REG_SZ, std::string(MAX_PATH, 'x')}};
    for (const auto& b : broken) {
        PutText("Folder2", b.bytes, b.type);
        EXPECT_EQ(1, Read().folderCount) << "type " << b.type << ", " << b.bytes.size() << " bytes";
    }
    PutText("Folder1", std::string(MAX_PATH - 1, 'y'));
    EXPECT_EQ(1, Read().folderCount) << "259 characters and the NUL fit MAX_PATH";
}

TEST_F(PhotoSettingsTest, SwitchesCountOnlyAsDwordsAndAnyNonZeroIsOne)
{
    WriteNumber(HKEY_CURRENT_USER, kSettingsKey, "Subfolders", 7);
    PutText("Shuffle", "1");
    DWORD one = 1;
    WriteRaw(HKEY_CURRENT_USER, kSettingsKey, "KeepProportions", REG_BINARY, &one, sizeof one);
    PhotoSettings settings = Read();
    EXPECT_EQ(1, settings.subfolders);
    EXPECT_EQ(0, settings.shuffle) << "a text is not a switch";
    EXPECT_EQ(0, settings.keepProportions) << "REG_BINARY is not a switch";
    EXPECT_TRUE(PhotoSettingsInUse(&settings));
}

// Every monitor and the crossfade are stored and read like the other
// switches; a transition this version does not know is the wipe. Either alone
// asks for more than the installed configuration.
TEST_F(PhotoSettingsTest, AllMonitorsAndTransitionAreFourByteDwordsAndEachAloneIsInUse)
{
    EXPECT_EQ(0, Read().allMonitors);
    EXPECT_EQ(TRANSITION_WIPE, Read().transition) << "absent: the wipe";

    PhotoSettings settings = {};
    settings.allMonitors = 1;
    settings.transition = TRANSITION_CROSSFADE;
    ASSERT_EQ(1, WritePhotoSettings(&settings));
    for (const char* name : {"AllMonitors", "Transition"}) {
        RegValue value = UserValue(name);
        ASSERT_TRUE(value.present) << name;
        EXPECT_EQ(static_cast<DWORD>(REG_DWORD), value.type) << name;
        EXPECT_EQ(4u, value.bytes.size()) << name;
        EXPECT_EQ(1u, value.Number()) << name;
    }
    PhotoSettings back = Read();
    EXPECT_EQ(1, back.allMonitors);
    EXPECT_EQ(TRANSITION_CROSSFADE, back.transition);

    const struct {
        LONG allMonitors;
        LONG transition;
    } alone[] = {{1, TRANSITION_WIPE}, {0, TRANSITION_CROSSFADE}};
    for (const auto& a : alone) {
        PhotoSettings one = {};
        one.allMonitors = a.allMonitors;
        one.transition = a.transition;
        EXPECT_TRUE(PhotoSettingsInUse(&one)) << "AllMonitors " << a.allMonitors << ", Transition " << a.transition;
    }

    WriteNumber(HKEY_CURRENT_USER, kSettingsKey, "AllMonitors", 3);
    WriteNumber(HKEY_CURRENT_USER, kSettingsKey, "Transition", 2);
    back = Read();
    EXPECT_EQ(1, back.allMonitors) << "any non-zero switch is on";
    EXPECT_EQ(TRANSITION_WIPE, back.transition) << "an unknown transition is the wipe";
    PutText("Transition", "1");
    EXPECT_EQ(TRANSITION_WIPE, Read().transition) << "a text is not a choice";
}

// Whatever is numbered past the list just written goes, gaps and letter case
// notwithstanding; the key's other values stay.
TEST_F(PhotoSettingsTest, WritingRemovesEveryStaleHigherFolder)
{
    for (const char* name : {"Folder1", "Folder2", "Folder3", "Folder4", "Folder9", "FOLDER12", "Folder99999999"})
        PutText(name, std::string("C:\\Ancien ") + name);
    PutText("FolderX", "pas un dossier");
    WriteNumber(HKEY_CURRENT_USER, kSettingsKey, "UpdateRate", 5);

    PhotoSettings settings = Folders({"C:\\Un", "", "C:\\Deux"});
    ASSERT_EQ(1, WritePhotoSettings(&settings));
    EXPECT_EQ("C:\\Un", UserValue("Folder1").Text());
    EXPECT_EQ("C:\\Deux", UserValue("Folder2").Text()) << "an empty entry leaves no gap";
    for (const char* name : {"Folder3", "Folder4", "Folder9", "Folder12", "Folder99999999"})
        EXPECT_FALSE(UserValue(name).present) << name << " is stale";
    EXPECT_TRUE(UserValue("FolderX").present) << "not a numbered folder";
    EXPECT_EQ(5u, UserValue("UpdateRate").Number());

    PhotoSettings none = {};
    ASSERT_EQ(1, WritePhotoSettings(&none));
    EXPECT_FALSE(UserValue("Folder1").present);
    EXPECT_EQ(0, Read().folderCount);
}

TEST_F(PhotoSettingsTest, AKeyThatCannotBeWrittenReportsItAndKeepsWhatWasStored)
{
    PhotoSettings kept = Folders({"C:\\Garde"});
    ASSERT_EQ(1, WritePhotoSettings(&kept));
    SettingsCreateKey = refused::EveryHive;
    PhotoSettings settings = Folders({"C:\\Nouveau"});
    EXPECT_EQ(0, WritePhotoSettings(&settings));
    EXPECT_EQ("C:\\Garde", UserValue("Folder1").Text());
}

}  // namespace
