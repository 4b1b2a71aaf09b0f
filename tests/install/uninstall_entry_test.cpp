// The uninstall entry read back byte for byte: texts with one NUL, the
// uninstaller's command line with the installed path unquoted, and the size
// of what was installed that the list of programs shows.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "recorded_files.h"
#include "saved_state.h"
#include "test_support.h"
#include "uninstall_entry.h"

using namespace vrxtest;

namespace {

const char kEntry[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VRX2SS";

class UninstallEntryTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteKeyTree(HKEY_LOCAL_MACHINE, kEntry); }
    void TearDown() override
    {
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kEntry);
        if (!scratch_.empty())
            RemoveTree(scratch_);
    }

    RegValue Value(const char* name) { return ReadValue(HKEY_LOCAL_MACHINE, kEntry, name); }

    // A plan whose Windows directory is a scratch directory of its own.
    InstallationPlan ScratchPlan(const std::string& destination)
    {
        scratch_ = MakeScratchDirectory("uninstall-entry");
        windows_ = JoinPath(scratch_, "windows");
        CreateDirectoryA(windows_.c_str(), NULL);
        InstallationPlan plan;
        std::string overlong;
        EXPECT_TRUE(BuildInstallationPlan(&plan, destination.c_str(), JoinPath(scratch_, "medium").c_str(),
                                          windows_.c_str(), destination.c_str(), &overlong));
        return plan;
    }
    // A file of size bytes at directory\name.
    static void MakeFile(const std::string& directory, const std::string& name, size_t size)
    {
        CreateDirectoryA(directory.c_str(), NULL);
        std::string path = JoinPath(directory, name);
        CreateDirectoryA(path.substr(0, path.rfind('\\')).c_str(), NULL);
        std::string bytes(size, 'x');
        WriteFileBytes(path, bytes.data(), bytes.size());
    }
    std::string scratch_, windows_;
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

TEST_F(UninstallEntryTest, EstimatedSizeCountsEveryRecordedDirectoryAndTheTwoProgramsRoundedUp)
{
    InstallationPlan plan = ScratchPlan("C:\\unused");
    EXPECT_EQ(0u, InstalledKilobytes(windows_.c_str())) << "nothing recorded, no programs";
    std::string first = JoinPath(scratch_, "First");
    std::string second = JoinPath(scratch_, "Second");
    MakeFile(first, "pictures\\a.bmp", 1024);
    MakeFile(first, "sounds\\ast.wav", 1024);
    MakeFile(second, "sounds\\ast.wav", 1024);
    // Not recorded, so not the setup's: it does not count.
    MakeFile(second, "sounds\\mine.wav", 5000);
    RecordFiles(first, {"pictures\\a.bmp", "sounds\\ast.wav"});
    RecordFiles(second, {"sounds\\ast.wav"});
    MakeFile(windows_, "VRXSaver.scr", 100);
    MakeFile(windows_, "ssunins.exe", 1);
    // 3173 bytes: three kilobytes and a little more.
    EXPECT_EQ(4u, InstalledKilobytes(windows_.c_str()));
    WriteUninstallDetails(plan);
    RegValue size = Value("EstimatedSize");
    EXPECT_EQ((DWORD)REG_DWORD, size.type);
    EXPECT_EQ(4u, size.Number());
}

}  // namespace
