// The settings key as the registry really holds it: value types, byte
// lengths without NULs, defaults, and values that a hand edit may have broken.
#include <gtest/gtest.h>

#include <string.h>

#include "refused_hives.h"
#include "settings_store.h"
#include "test_support.h"

using namespace vrxtest;

namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey);
        DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKey);
    }
    void TearDown() override
    {
        SettingsCreateKey = RegCreateKeyExA;
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey);
        DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKey);
    }

    // Reads into a record that starts out as the saver's own does.
    SaverSettings ReadFresh()
    {
        SaverSettings settings;
        ZeroMemory(settings.installedPath, sizeof settings.installedPath);
        settings.fullscreen = DEFAULT_FULLSCREEN;
        settings.updateRate = DEFAULT_UPDATE_RATE;
        EXPECT_EQ(1, ReadSaverSettings(settings.installedPath, &settings.fullscreen, &settings.updateRate));
        return settings;
    }

    void WritePath(const std::string& bytes, DWORD type = REG_SZ)
    {
        WriteRaw(HKEY_LOCAL_MACHINE, kSettingsKey, SETTING_INSTALLED_PATH, type, bytes.data(),
                 static_cast<DWORD>(bytes.size()));
    }
};

TEST_F(SettingsStoreTest, WithoutTheKeyTheDefaultsStay)
{
    SaverSettings settings = ReadFresh();
    EXPECT_STREQ("", settings.installedPath);
    EXPECT_EQ(0, settings.fullscreen);
    EXPECT_EQ(2, settings.updateRate);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSettingsKey)) << "reading must not create the key";
}

TEST_F(SettingsStoreTest, WriteStoresTextWithoutNulAndNumbersAsFourByteDwords)
{
    EXPECT_EQ(1, WriteSaverSettings("C:\\VRX2 Screen Saver", 1, 42));

    RegValue path = ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, SETTING_INSTALLED_PATH);
    ASSERT_TRUE(path.present);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), path.type);
    EXPECT_EQ(20u, path.bytes.size()) << "the text's length, no terminating NUL";
    EXPECT_EQ("C:\\VRX2 Screen Saver", path.Text());

    RegValue fullscreen = ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, SETTING_FULLSCREEN);
    ASSERT_TRUE(fullscreen.present);
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), fullscreen.type);
    EXPECT_EQ(4u, fullscreen.bytes.size());
    EXPECT_EQ(1u, fullscreen.Number());

    RegValue rate = ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, SETTING_UPDATE_RATE);
    ASSERT_TRUE(rate.present);
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), rate.type);
    EXPECT_EQ(4u, rate.bytes.size());
    EXPECT_EQ(42u, rate.Number());

    SaverSettings back = ReadFresh();
    EXPECT_STREQ("C:\\VRX2 Screen Saver", back.installedPath);
    EXPECT_EQ(1, back.fullscreen);
    EXPECT_EQ(42, back.updateRate);
}

TEST_F(SettingsStoreTest, AnEmptyPathIsStoredWithLengthZero)
{
    WriteSaverSettings("", 0, 2);
    RegValue path = ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, SETTING_INSTALLED_PATH);
    ASSERT_TRUE(path.present);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), path.type);
    EXPECT_EQ(0u, path.bytes.size());
}

TEST_F(SettingsStoreTest, MarkersAreTextsWithoutNul)
{
    WriteInstallMarker(SETTING_SOUND_INSTALLED, "No");
    WriteInstallMarker(SETTING_SAVER_INSTALLED, "Yes");
    RegValue sound = ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, SETTING_SOUND_INSTALLED);
    RegValue saver = ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, SETTING_SAVER_INSTALLED);
    ASSERT_TRUE(sound.present);
    ASSERT_TRUE(saver.present);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), sound.type);
    EXPECT_EQ(2u, sound.bytes.size());
    EXPECT_EQ("No", sound.Text());
    EXPECT_EQ(3u, saver.bytes.size());
    EXPECT_EQ("Yes", saver.Text());
    // A marker does not bring the settings with it.
    EXPECT_FALSE(ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, SETTING_UPDATE_RATE).present);
}

TEST_F(SettingsStoreTest, AKeyWithOnlyThePathGivesCentredPicturesEveryTwoSeconds)
{
    WritePath("D:\\Pictures");
    SaverSettings settings = ReadFresh();
    EXPECT_STREQ("D:\\Pictures", settings.installedPath);
    EXPECT_EQ(0, settings.fullscreen);
    EXPECT_EQ(2, settings.updateRate);
}

TEST_F(SettingsStoreTest, APathOf259BytesFitsWithItsNul)
{
    std::string path(259, 'p');
    WritePath(path);
    SaverSettings settings = ReadFresh();
    EXPECT_EQ(path, std::string(settings.installedPath));
    EXPECT_EQ('\0', settings.installedPath[259]);
}

TEST_F(SettingsStoreTest, APathOf260BytesOrMoreIsRefusedAndTheBufferStaysTerminated)
{
    for (size_t length : {260u, 261u, 300u, 1000u}) {
        WritePath(std::string(length, 'q'));
        char path[MAX_PATH + 8];
        memset(path, 0x55, sizeof path);
        memcpy(path, "kept", 5);
        LONG fullscreen = 0, rate = 2;
        ReadSaverSettings(path, &fullscreen, &rate);
        EXPECT_STREQ("kept", path) << "length " << length << ": the path held before stays";
        for (size_t i = 5; i < MAX_PATH; ++i)
            ASSERT_EQ(0x55, static_cast<unsigned char>(path[i])) << "byte " << i << " touched, length " << length;
        for (size_t i = MAX_PATH; i < sizeof path; ++i)
            ASSERT_EQ(0x55, static_cast<unsigned char>(path[i])) << "byte " << i << " past the buffer written";
    }
}

TEST_F(SettingsStoreTest, APathOfAnotherTypeNeverLeavesTheBufferUnterminated)
{
    std::string binary(MAX_PATH, 'b');  // 260 bytes, no NUL anywhere
    WritePath(binary, REG_BINARY);
    SaverSettings settings = ReadFresh();
    EXPECT_LT(strnlen(settings.installedPath, MAX_PATH), static_cast<size_t>(MAX_PATH));

    DWORD number = 0x00434241;  // "ABC" as bytes
    WriteRaw(HKEY_LOCAL_MACHINE, kSettingsKey, SETTING_INSTALLED_PATH, REG_DWORD, &number, sizeof number);
    settings = ReadFresh();
    EXPECT_STREQ("ABC", settings.installedPath);
    EXPECT_EQ('\0', settings.installedPath[MAX_PATH - 1]);
}

TEST_F(SettingsStoreTest, NumbersOfTheWrongTypeOrSizeKeepTheDefaults)
{
    WriteText(HKEY_LOCAL_MACHINE, kSettingsKey, SETTING_FULLSCREEN, "1", true);
    WriteText(HKEY_LOCAL_MACHINE, kSettingsKey, SETTING_UPDATE_RATE, "abc", true);  // 4 bytes with its NUL
    SaverSettings settings = ReadFresh();
    EXPECT_EQ(0, settings.fullscreen);
    EXPECT_EQ(2, settings.updateRate);

    BYTE eight[8] = {7, 0, 0, 0, 0, 0, 0, 0};
    WriteRaw(HKEY_LOCAL_MACHINE, kSettingsKey, SETTING_UPDATE_RATE, REG_BINARY, eight, sizeof eight);
    BYTE two[2] = {1, 0};
    WriteRaw(HKEY_LOCAL_MACHINE, kSettingsKey, SETTING_FULLSCREEN, REG_BINARY, two, sizeof two);
    settings = ReadFresh();
    EXPECT_EQ(0, settings.fullscreen);
    EXPECT_EQ(2, settings.updateRate);

    BYTE four[4] = {9, 0, 0, 0};
    WriteRaw(HKEY_LOCAL_MACHINE, kSettingsKey, SETTING_UPDATE_RATE, REG_BINARY, four, sizeof four);
    EXPECT_EQ(9, ReadFresh().updateRate) << "four binary bytes are a number";
}

TEST_F(SettingsStoreTest, StoredValuesOutsideTheRangeAreUsedUnchanged)
{
    WriteSaverSettings("x", 7, 500);
    SaverSettings settings = ReadFresh();
    EXPECT_EQ(7, settings.fullscreen);
    EXPECT_EQ(500, settings.updateRate);
}

// ---- The machine's key and a user's ----------------------------------------

void ExpectNumber(HKEY hive, const char* name, DWORD expected)
{
    RegValue value = ReadValue(hive, kSettingsKey, name);
    ASSERT_TRUE(value.present) << name << " is missing";
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), value.type) << name;
    EXPECT_EQ(4u, value.bytes.size()) << name;
    EXPECT_EQ(expected, value.Number()) << name;
}

TEST_F(SettingsStoreTest, ARefusedMachineKeyPutsTheTwoNumbersAloneInTheUsersKey)
{
    SettingsCreateKey = refused::MachineHive;
    EXPECT_EQ(SETTINGS_WRITTEN_FOR_USER, WriteSaverSettings("C:\\VRX2 Screen Saver", 1, 42));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSettingsKey));
    ExpectNumber(HKEY_CURRENT_USER, SETTING_FULLSCREEN, 1);
    ExpectNumber(HKEY_CURRENT_USER, SETTING_UPDATE_RATE, 42);
    EXPECT_FALSE(ReadValue(HKEY_CURRENT_USER, kSettingsKey, SETTING_INSTALLED_PATH).present)
        << "the installed path is never kept per user";

    SettingsCreateKey = refused::EveryHive;
    EXPECT_EQ(SETTINGS_WRITTEN_NOWHERE, WriteSaverSettings("C:\\VRX2 Screen Saver", 0, 7));
    ExpectNumber(HKEY_CURRENT_USER, SETTING_UPDATE_RATE, 42);
}

TEST_F(SettingsStoreTest, TheUsersNumbersWinOverTheMachinesButNeverTheUsersPath)
{
    WriteSaverSettings("C:\\Machine", 0, 10);
    WriteText(HKEY_CURRENT_USER, kSettingsKey, SETTING_INSTALLED_PATH, "D:\\User");
    WriteNumber(HKEY_CURRENT_USER, kSettingsKey, SETTING_UPDATE_RATE, 42);
    SaverSettings settings = ReadFresh();
    EXPECT_STREQ("C:\\Machine", settings.installedPath);
    EXPECT_EQ(0, settings.fullscreen) << "the user keeps no Fullscreen of their own";
    EXPECT_EQ(42, settings.updateRate);

    WriteNumber(HKEY_CURRENT_USER, kSettingsKey, SETTING_FULLSCREEN, 1);
    WriteText(HKEY_CURRENT_USER, kSettingsKey, SETTING_UPDATE_RATE, "abc", true);
    settings = ReadFresh();
    EXPECT_EQ(1, settings.fullscreen);
    EXPECT_EQ(10, settings.updateRate) << "a user's value that is no number leaves the machine's";
}

TEST_F(SettingsStoreTest, AWriteForTheMachineDropsTheUsersOwnNumbers)
{
    WriteNumber(HKEY_CURRENT_USER, kSettingsKey, SETTING_FULLSCREEN, 1);
    WriteNumber(HKEY_CURRENT_USER, kSettingsKey, SETTING_UPDATE_RATE, 42);
    EXPECT_EQ(SETTINGS_WRITTEN_FOR_MACHINE, WriteSaverSettings("C:\\Machine", 0, 7));
    EXPECT_FALSE(ReadValue(HKEY_CURRENT_USER, kSettingsKey, SETTING_FULLSCREEN).present);
    EXPECT_FALSE(ReadValue(HKEY_CURRENT_USER, kSettingsKey, SETTING_UPDATE_RATE).present);
    SaverSettings settings = ReadFresh();
    EXPECT_EQ(0, settings.fullscreen);
    EXPECT_EQ(7, settings.updateRate);
}

}  // namespace
