// The "Installed pictures" list of the uninstall entry read back byte for
// byte: the names a pictures copy's pattern matches, merged with an earlier
// run's, one NUL after each and one at the end.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "installed_pictures.h"
#include "saved_state.h"
#include "test_support.h"

using namespace vrxtest;

namespace {

const char kEntry[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VRX2SS";

class InstalledPicturesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kEntry);
        medium_ = MakeScratchDirectory("picture-list");
    }
    void TearDown() override
    {
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kEntry);
        RemoveTree(medium_);
    }

    void Picture(const char* name) { WriteFileBytes(JoinPath(medium_, name), "BM", 2); }
    std::string Pattern() const { return JoinPath(medium_, "*.bmp"); }
    RegValue List() const { return ReadValue(HKEY_LOCAL_MACHINE, kEntry, "Installed pictures"); }

    std::string medium_;
};

TEST_F(InstalledPicturesTest, TheCopiedNamesAreListedWithANulEachAndOneAtTheEnd)
{
    Picture("sunset.bmp");
    CreateDirectoryA(JoinPath(medium_, "folder.bmp").c_str(), NULL);
    WriteFileBytes(JoinPath(medium_, "readme.txt"), "x", 1);
    RecordInstalledPictures(Pattern().c_str());
    RegValue list = List();
    ASSERT_TRUE(list.present) << "no list after the copy";
    EXPECT_EQ((DWORD)REG_MULTI_SZ, list.type);
    EXPECT_EQ(std::string("sunset.bmp\0\0", 12), list.Text()) << "a directory or another file was listed";
}

TEST_F(InstalledPicturesTest, AnEarlierRunsNamesStayAndNoNameIsListedTwice)
{
    const char earlier[] = "old.bmp\0SUNSET.BMP\0";
    WriteRaw(HKEY_LOCAL_MACHINE, kEntry, "Installed pictures", REG_MULTI_SZ, earlier, sizeof earlier);
    Picture("sunset.bmp");
    Picture("tiles.bmp");
    RecordInstalledPictures(Pattern().c_str());
    std::string text = List().Text();
    EXPECT_EQ(0u, text.find(std::string("old.bmp\0SUNSET.BMP\0", 19))) << "the earlier names came first, as they were";
    EXPECT_EQ(std::string::npos, text.find("sunset.bmp")) << "a name differing only in case was listed again";
    EXPECT_EQ(std::string("old.bmp\0SUNSET.BMP\0tiles.bmp\0\0", 30), text);
}

TEST_F(InstalledPicturesTest, AMediumWithoutPicturesListsNoneAndKeepsTheEarlierOnes)
{
    RecordInstalledPictures(Pattern().c_str());
    EXPECT_EQ(std::string("\0", 1), List().Text()) << "an empty list is one NUL";
    const char earlier[] = "kept.bmp\0";
    WriteRaw(HKEY_LOCAL_MACHINE, kEntry, "Installed pictures", REG_MULTI_SZ, earlier, sizeof earlier);
    RecordInstalledPictures(JoinPath(medium_, "missing\\*.bmp").c_str());
    EXPECT_EQ(std::string("kept.bmp\0\0", 10), List().Text());
}

TEST_F(InstalledPicturesTest, AValueOfAnotherTypeOrWithoutItsNulsIsReadSafely)
{
    Picture("new.bmp");
    // Not a list: replaced by the new one.
    WriteRaw(HKEY_LOCAL_MACHINE, kEntry, "Installed pictures", REG_SZ, "junk.bmp", 8);
    RecordInstalledPictures(Pattern().c_str());
    EXPECT_EQ((DWORD)REG_MULTI_SZ, List().type);
    EXPECT_EQ(std::string("new.bmp\0\0", 9), List().Text());
    // A list whose last name lacks its NUL: the name is kept whole.
    WriteRaw(HKEY_LOCAL_MACHINE, kEntry, "Installed pictures", REG_MULTI_SZ, "a.bmp\0cut.bmp", 13);
    RecordInstalledPictures(Pattern().c_str());
    EXPECT_EQ(std::string("a.bmp\0cut.bmp\0new.bmp\0\0", 23), List().Text());
}

}  // namespace
