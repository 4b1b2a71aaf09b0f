// CFile on real files of a scratch directory: failures to open are returned,
// not raised, and leave the object closed; what is written is read back.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "framework.h"
#include "test_support.h"

using namespace vrxtest;

namespace {

class FrameworkFileTest : public ::testing::Test {
protected:
    void SetUp() override { directory_ = MakeScratchDirectory("framework-file"); }
    void TearDown() override { RemoveTree(directory_); }
    std::string Path(const char* name) const { return JoinPath(directory_, name); }
    std::string directory_;
};

void ExpectClosed(CFile& file)
{
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);
    EXPECT_EQ(0u, file.GetLength());
    char buffer[8];
    EXPECT_EQ(0u, file.Read(buffer, sizeof buffer));
    EXPECT_FALSE(file.Write("x", 1));
    EXPECT_TRUE(file.GetFilePath().IsEmpty());
}

TEST_F(FrameworkFileTest, OpeningAMissingFileReturnsFalseAndLeavesTheObjectClosed)
{
    CFile file;
    EXPECT_FALSE(file.Open(Path("missing.bin").c_str(), CFile::modeRead | CFile::shareDenyWrite));
    ExpectClosed(file);
    file.Close();
    EXPECT_FALSE(FileExists(Path("missing.bin"))) << "opening for reading made the file";
}

TEST_F(FrameworkFileTest, CreatingInAMissingDirectoryReturnsFalse)
{
    CFile file;
    EXPECT_FALSE(file.Open(Path("no-such-directory\\new.bin").c_str(), CFile::modeCreate | CFile::modeWrite));
    ExpectClosed(file);
}

TEST_F(FrameworkFileTest, AFailedOpenClosesTheFileThatWasOpen)
{
    CFile file;
    ASSERT_TRUE(file.Open(Path("first.bin").c_str(), CFile::modeCreate | CFile::modeWrite));
    EXPECT_FALSE(file.Open(Path("missing.bin").c_str(), CFile::modeRead));
    ExpectClosed(file);
    // The first file is closed: it can be opened exclusively.
    CFile again;
    EXPECT_TRUE(again.Open(Path("first.bin").c_str(), CFile::modeRead | CFile::shareExclusive));
}

TEST_F(FrameworkFileTest, WhatIsWrittenIsOnDiskAndReadsBack)
{
    std::vector<BYTE> bytes(1000);
    for (size_t i = 0; i < bytes.size(); i++)
        bytes[i] = (BYTE)(i * 7 + 3);
    std::string path = Path("data.bin");
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
        EXPECT_EQ(std::string(path), std::string(file.GetFilePath()));
        EXPECT_TRUE(file.Write(bytes.data(), 600));
        EXPECT_TRUE(file.Write(bytes.data() + 600, 400));
        EXPECT_TRUE(file.Write(bytes.data(), 0));
        EXPECT_EQ(1000u, file.GetLength());
        file.Close();
        ExpectClosed(file);
    }
    EXPECT_EQ(bytes, ReadFileBytes(path));

    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite));
    EXPECT_EQ(1000u, file.GetLength());
    std::vector<BYTE> back(1200, 0);
    EXPECT_EQ(1000u, file.Read(back.data(), 1200)) << "a read past the end gives what there is";
    back.resize(1000);
    EXPECT_EQ(bytes, back);
    EXPECT_EQ(0u, file.Read(back.data(), 10)) << "a read at the end";
    EXPECT_FALSE(file.Write("x", 1)) << "a write to a file opened for reading";
}

TEST_F(FrameworkFileTest, CreateTruncatesUnlessTheNoTruncateFlagIsGiven)
{
    std::string path = Path("kept.bin");
    WriteFileBytes(path, "0123456789", 10);
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite));
        EXPECT_EQ(10u, file.GetLength()) << "modeNoTruncate emptied the file";
    }
    EXPECT_EQ(10u, ReadFileBytes(path).size());
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
        EXPECT_EQ(0u, file.GetLength());
    }
    EXPECT_EQ(0u, ReadFileBytes(path).size());
}

TEST_F(FrameworkFileTest, AFileHeldExclusivelyCannotBeOpenedAndKeepsItsContent)
{
    std::string path = Path("held.bin");
    WriteFileBytes(path, "held", 4);
    CFile holder;
    ASSERT_TRUE(holder.Open(path.c_str(), CFile::modeRead | CFile::shareExclusive));
    CFile other;
    EXPECT_FALSE(other.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
    ExpectClosed(other);
    holder.Close();
    EXPECT_EQ(4u, ReadFileBytes(path).size()) << "the refused open truncated the file";
    EXPECT_TRUE(other.Open(path.c_str(), CFile::modeRead));
}

TEST_F(FrameworkFileTest, AnUnknownAccessModeIsRefused)
{
    std::string path = Path("mode.bin");
    WriteFileBytes(path, "m", 1);
    CFile file;
    EXPECT_FALSE(file.Open(path.c_str(), 3));
    ExpectClosed(file);
}

}  // namespace
