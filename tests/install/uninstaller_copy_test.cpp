// The uninstaller's whole-file copy: exact bytes, replacement, and sources
// or destinations that cannot be used.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "test_support.h"
#include "uninstaller_copy.h"

using namespace vrxtest;

namespace {

class UninstallerCopyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        scratch_ = MakeScratchDirectory("uninstaller-copy");
        from_ = JoinPath(scratch_, "ssunins.exe");
        to_ = JoinPath(scratch_, "copied.exe");
    }
    void TearDown() override { RemoveTree(scratch_); }
    std::string scratch_, from_, to_;
};

TEST_F(UninstallerCopyTest, TheRealUninstallerIsCopiedByteForByte)
{
    std::string real = JoinPath(JoinPath(JoinPath(BuildDirectory(), "dist"), "pictures"), "ssunins.exe");
    std::vector<BYTE> original = ReadFileBytes(real);
    ASSERT_GT(original.size(), 1000u) << "no uninstaller at " << real;
    EXPECT_TRUE(CopyUninstaller(real.c_str(), to_.c_str()));
    EXPECT_TRUE(original == ReadFileBytes(to_)) << "the copy differs from " << real;
}

TEST_F(UninstallerCopyTest, ALongerExistingFileIsReplacedWhole)
{
    WriteFileBytes(from_, "short", 5);
    std::string longer(5000, 'L');
    WriteFileBytes(to_, longer.data(), longer.size());
    EXPECT_TRUE(CopyUninstaller(from_.c_str(), to_.c_str()));
    std::vector<BYTE> bytes = ReadFileBytes(to_);
    EXPECT_EQ("short", std::string(bytes.begin(), bytes.end()));
}

TEST_F(UninstallerCopyTest, AnEmptySourceGivesAnEmptyCopy)
{
    WriteFileBytes(from_, "", 0);
    EXPECT_TRUE(CopyUninstaller(from_.c_str(), to_.c_str()));
    EXPECT_TRUE(FileExists(to_));
    EXPECT_EQ(0u, ReadFileBytes(to_).size());
}

TEST_F(UninstallerCopyTest, AMissingSourceLeavesTheDestinationAlone)
{
    WriteFileBytes(to_, "installed earlier", 17);
    EXPECT_FALSE(CopyUninstaller(from_.c_str(), to_.c_str()));
    std::vector<BYTE> bytes = ReadFileBytes(to_);
    EXPECT_EQ("installed earlier", std::string(bytes.begin(), bytes.end()));
}

TEST_F(UninstallerCopyTest, ADestinationThatCannotBeOpenedForWritingIsLeftAlone)
{
    WriteFileBytes(from_, "new", 3);
    // A directory of that name cannot be opened as a file.
    ASSERT_TRUE(CreateDirectoryA(to_.c_str(), NULL));
    WriteFileBytes(JoinPath(to_, "inside"), "kept", 4);
    EXPECT_FALSE(CopyUninstaller(from_.c_str(), to_.c_str()));
    EXPECT_TRUE(DirectoryExists(to_));
    std::vector<BYTE> bytes = ReadFileBytes(JoinPath(to_, "inside"));
    EXPECT_EQ("kept", std::string(bytes.begin(), bytes.end()));
}

TEST_F(UninstallerCopyTest, ADestinationInAMissingDirectoryIsNotMade)
{
    WriteFileBytes(from_, "new", 3);
    std::string nowhere = JoinPath(JoinPath(scratch_, "missing"), "ssunins.exe");
    EXPECT_FALSE(CopyUninstaller(from_.c_str(), nowhere.c_str()));
    EXPECT_FALSE(DirectoryExists(JoinPath(scratch_, "missing")));
}

}  // namespace
