// The uninstall entry read back byte for byte: texts with one NUL, the
// uninstaller's command line with the installed path unquoted.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "saved_state.h"
#include "test_support.h"
#include "uninstall_entry.h"

using namespace vrxtest;

namespace {

const char kEntry[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VRX2SS";

class UninstallEntryTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteKeyTree(HKEY_LOCAL_MACHINE, kEntry); }
    void TearDown() override { DeleteKeyTree(HKEY_LOCAL_MACHINE, kEntry); }

    RegValue Value(const char* name) { return ReadValue(HKEY_LOCAL_MACHINE, kEntry, name); }
};

TEST_F(UninstallEntryTest, DisplayNameIsTheProductNameIn25Bytes)
{
    EXPECT_TRUE(WriteUninstallEntry("C:\\VRX2 Screen Saver"));
    RegValue name = Value("DisplayName");
    ASSERT_TRUE(name.present);
    EXPECT_EQ((DWORD)REG_SZ, name.type);
    EXPECT_EQ(std::string("Economiseur d'\xE9" "cran VRX2") + '\0', name.Text());
    EXPECT_EQ(25u, name.bytes.size());
}

TEST_F(UninstallEntryTest, UninstallStringIsTheUninstallerASpaceAndThePathUnquoted)
{
    WriteUninstallEntry("C:\\VRX2 Screen Saver");
    RegValue command = Value("UninstallString");
    ASSERT_TRUE(command.present);
    EXPECT_EQ((DWORD)REG_SZ, command.type);
    EXPECT_EQ(WindowsDirectory() + "\\ssunins.exe C:\\VRX2 Screen Saver" + '\0', command.Text());
}

TEST_F(UninstallEntryTest, ALongInstalledPathMakesACommandLongerThanAPathWhole)
{
    std::string path = "C:\\" + std::string(250, 'i');
    WriteUninstallEntry(path.c_str());
    RegValue command = Value("UninstallString");
    EXPECT_EQ(WindowsDirectory() + "\\ssunins.exe " + path + '\0', command.Text());
    EXPECT_GT(command.bytes.size(), (size_t)MAX_PATH);
}

TEST_F(UninstallEntryTest, ASecondEntryReplacesTheFirst)
{
    WriteUninstallEntry("C:\\first");
    WriteUninstallEntry("D:\\second place");
    EXPECT_EQ(WindowsDirectory() + "\\ssunins.exe D:\\second place" + '\0', Value("UninstallString").Text());
    EXPECT_EQ(25u, Value("DisplayName").bytes.size());
}

}  // namespace
