// Copies through the shell's file operation as the installation run makes
// them: patterns, one named file, missing sources and directories.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "install_paths.h"
#include "shell_copy.h"
#include "test_support.h"

using namespace vrxtest;

namespace {

std::string List(const std::string& entry) { return entry + '\0'; }

class ShellCopyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        scratch_ = MakeScratchDirectory("shell-copy");
        medium_ = JoinPath(scratch_, "medium");
        target_ = JoinPath(scratch_, "target");
        CreateDirectoryA(medium_.c_str(), NULL);
        CreateDirectoryA(target_.c_str(), NULL);
    }
    void TearDown() override { RemoveTree(scratch_); }

    void Put(const std::string& name, const std::string& content)
    {
        std::string path = JoinPath(medium_, name);
        WriteFileBytes(path, content.data(), content.size());
    }
    int Copy(const std::string& from, const std::string& to, FILEOP_FLAGS flags)
    {
        std::string fromList = List(from), toList = List(to);
        return CopyThroughShell(NULL, fromList.c_str(), toList.c_str(), flags, "test");
    }
    std::string Content(const std::string& path)
    {
        std::vector<BYTE> bytes = ReadFileBytes(path);
        return std::string(bytes.begin(), bytes.end());
    }

    std::string scratch_, medium_, target_;
};

TEST_F(ShellCopyTest, APatternCopiesEveryMatchingFileAndNothingElse)
{
    Put("a.bmp", "picture a");
    Put("b.bmp", "picture b");
    Put("VRXSaver.scr", "saver");
    std::string pictures = JoinPath(target_, "pictures");
    ASSERT_TRUE(EnsureDirectory(pictures.c_str()));
    EXPECT_EQ(0, Copy(JoinPath(medium_, "*.bmp"), pictures, COPY_ASKING_FLAGS));
    EXPECT_EQ("picture a", Content(JoinPath(pictures, "a.bmp")));
    EXPECT_EQ("picture b", Content(JoinPath(pictures, "b.bmp")));
    EXPECT_FALSE(FileExists(JoinPath(pictures, "VRXSaver.scr")));
}

TEST_F(ShellCopyTest, OneMatchingFileLandsInsideTheDirectoryMadeBeforehand)
{
    Put("only.bmp", "the one picture");
    std::string pictures = JoinPath(target_, "pictures");
    ASSERT_TRUE(EnsureDirectory(pictures.c_str()));
    EXPECT_EQ(0, Copy(JoinPath(medium_, "*.bmp"), pictures, COPY_ASKING_FLAGS));
    EXPECT_TRUE(DirectoryExists(pictures)) << pictures << " is not a directory";
    EXPECT_EQ("the one picture", Content(JoinPath(pictures, "only.bmp")));
}

TEST_F(ShellCopyTest, TheNamedSaverReplacesAnExistingFileWithoutAQuestion)
{
    Put("VRXSaver.scr", "new saver");
    std::string old = JoinPath(target_, "VRXSaver.scr");
    WriteFileBytes(old, "an older and longer saver", 25);
    EXPECT_EQ(0, Copy(JoinPath(medium_, "VRXSaver.scr"), target_, COPY_REPLACING_FLAGS));
    EXPECT_EQ("new saver", Content(old));
}

TEST_F(ShellCopyTest, AMissingNamedFileFails)
{
    EXPECT_NE(0, Copy(JoinPath(medium_, "VRXSaver.scr"), target_, COPY_REPLACING_FLAGS));
    EXPECT_FALSE(FileExists(JoinPath(target_, "VRXSaver.scr")));
}

TEST_F(ShellCopyTest, APatternInAMissingDirectoryFails)
{
    std::string sounds = JoinPath(target_, "sounds");
    ASSERT_TRUE(EnsureDirectory(sounds.c_str()));
    EXPECT_NE(0, Copy(JoinPath(JoinPath(medium_, "sounds"), "*.wav"), sounds, COPY_ASKING_FLAGS));
}

TEST_F(ShellCopyTest, SourceDirectoryIsJudgedByThePartBeforeTheLastBackslash)
{
    EXPECT_TRUE(SourceDirectoryExists(JoinPath(medium_, "*.wav").c_str()));
    EXPECT_FALSE(SourceDirectoryExists(JoinPath(JoinPath(medium_, "none"), "*.wav").c_str()));
    Put("file", "x");
    EXPECT_FALSE(SourceDirectoryExists(JoinPath(JoinPath(medium_, "file"), "*.wav").c_str()))
        << "a file is no directory";
    EXPECT_TRUE(SourceDirectoryExists("C:\\*.wav")) << "the root of C:";
    EXPECT_TRUE(SourceDirectoryExists("relative.wav"));
}

TEST_F(ShellCopyTest, EnsureDirectoryMakesEveryMissingLevel)
{
    std::string deep = JoinPath(JoinPath(JoinPath(target_, "a"), "b"), "c");
    EXPECT_TRUE(EnsureDirectory(deep.c_str()));
    EXPECT_TRUE(DirectoryExists(deep));
    EXPECT_TRUE(EnsureDirectory(deep.c_str())) << "an existing directory is fine";
    std::string file = JoinPath(target_, "plain");
    WriteFileBytes(file, "x", 1);
    EXPECT_FALSE(EnsureDirectory(file.c_str())) << "a file of that name is no directory";
    EXPECT_EQ("x", Content(file));
}

}  // namespace
