// The picture list walking real folders made in a scratch directory: the
// file system's order round after round, subfolders, what it leaves out,
// the installed pictures as a fallback, and the shuffled rounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "imaging_runtime.h"
#include "picture_list.h"
#include "test_support.h"

using namespace vrxtest;

namespace {

typedef std::unique_ptr<PictureList, void (*)(PictureList*)> ListHandle;
typedef std::vector<std::string> Paths;

std::string Join(const Paths& paths)
{
    std::string text;
    for (const std::string& path : paths)
        text += "\n  " + path;
    return text;
}

// Files and folders of a directory in the file system's order.
void ListEntries(const std::string& folder, Paths* files, Paths* folders)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(JoinPath(folder, "*").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, search) << folder;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? folders : files)->push_back(JoinPath(folder, name));
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// What an in-order round holds when every file of the tree is a picture: a
// folder's own files, then each subfolder's walk, in the listing's order.
Paths ExpectedWalk(const std::string& folder, bool subfolders)
{
    Paths files, folders;
    ListEntries(folder, &files, &folders);
    if (subfolders) {
        for (const std::string& child : folders) {
            Paths below = ExpectedWalk(child, true);
            files.insert(files.end(), below.begin(), below.end());
        }
    }
    return files;
}

class PictureListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(StartImagingOnThread());
        root_ = MakeScratchDirectory("picture-list");
    }
    void TearDown() override
    {
        RemoveTree(root_);
        EndImagingOnThread();
    }

    // A folder below the scratch directory, made with its parents.
    std::string Folder(const std::string& relative)
    {
        std::string path = root_;
        size_t start = 0;
        while (start <= relative.size()) {
            size_t end = relative.find('\\', start);
            if (end == std::string::npos)
                end = relative.size();
            path = JoinPath(path, relative.substr(start, end - start));
            CreateDirectoryA(path.c_str(), NULL);
            start = end + 1;
        }
        return path;
    }

    std::string AddFile(const std::string& folder, const std::string& name, DWORD attributes = 0)
    {
        std::string path = JoinPath(folder, name);
        WriteFileBytes(path, "x", 1);
        if (attributes) {
            SetFileAttributesA(path.c_str(), attributes);
            EXPECT_EQ(attributes, GetFileAttributesA(path.c_str()) & attributes) << "attributes of " << path;
        }
        return path;
    }

    static ListHandle Open(const Paths& folders, bool subfolders, bool shuffle, const std::string& installed = "")
    {
        PhotoSettings settings = {};
        for (const std::string& folder : folders)
            lstrcpynA(settings.folders[settings.folderCount++], folder.c_str(), MAX_PATH);
        settings.subfolders = subfolders;
        settings.shuffle = shuffle;
        ListHandle list(OpenPictureList(&settings, installed.empty() ? NULL : installed.c_str()), ClosePictureList);
        EXPECT_TRUE(list != NULL);
        return list;
    }

    static Paths Take(PictureList* list, size_t count)
    {
        Paths paths;
        char path[MAX_PATH];
        while (paths.size() < count) {
            FillMemory(path, sizeof path, 'Z');
            if (!NextPicturePath(list, path)) {
                ADD_FAILURE() << "no picture after" << Join(paths);
                break;
            }
            paths.push_back(path);
        }
        return paths;
    }

    static Paths Sorted(Paths paths)
    {
        std::sort(paths.begin(), paths.end());
        return paths;
    }

    std::string root_;
};

TEST_F(PictureListTest, RoundsFollowTheFileSystemOrderAndSeeFilesAddedBetweenThem)
{
    std::string folder = Folder("order");
    for (const char* name : {"one.jpg", "two.bmp", "three.jpeg", "four.gif", "five.jpg"})
        AddFile(folder, name);
    Paths round = ExpectedWalk(folder, false);
    ListHandle list = Open({folder}, false, false);

    Paths twice = round;
    twice.insert(twice.end(), round.begin(), round.end());
    EXPECT_EQ(twice, Take(list.get(), 10)) << "expected the listing twice:" << Join(twice);

    // The file may still come at the end of the round under way; the next
    // round holds it wherever the file system lists it.
    std::string added = AddFile(folder, "added.jpg");
    Paths next = ExpectedWalk(folder, false);
    Paths seen = Take(list.get(), next.size() + 1);
    bool atOnce = Paths(seen.begin(), seen.begin() + next.size()) == next;
    bool afterTheRound = seen[0] == added && Paths(seen.begin() + 1, seen.end()) == next;
    EXPECT_TRUE(atOnce || afterTheRound) << "expected the new listing:" << Join(next) << "\ngot:" << Join(seen);
}

TEST_F(PictureListTest, SubfoldersAreWalkedDepthFirstOnlyWhenAsked)
{
    std::string top = Folder("tree");
    AddFile(top, "top.jpg");
    AddFile(Folder("tree\\first"), "first.jpg");
    AddFile(Folder("tree\\first\\inner"), "inner.jpg");
    AddFile(Folder("tree\\first\\inner\\deepest"), "deepest.jpg");
    AddFile(Folder("tree\\second"), "second.jpg");
    AddFile(Folder("tree\\second"), "second2.jpg");
    Folder("tree\\empty");

    ListHandle flat = Open({top}, false, false);
    Paths topOnly = {JoinPath(top, "top.jpg"), JoinPath(top, "top.jpg")};
    EXPECT_EQ(topOnly, Take(flat.get(), 2));

    Paths walk = ExpectedWalk(top, true);
    ASSERT_EQ(6u, walk.size());
    ListHandle deep = Open({top}, true, false);
    EXPECT_EQ(walk, Take(deep.get(), walk.size())) << "expected:" << Join(walk);
}

TEST_F(PictureListTest, HiddenAndSystemFilesAndFoldersAreLeftOut)
{
    std::string top = Folder("hidden");
    AddFile(top, "shown.jpg");
    AddFile(top, "hidden.jpg", FILE_ATTRIBUTE_HIDDEN);
    AddFile(top, "system.jpg", FILE_ATTRIBUTE_SYSTEM);
    for (const char* name : {"hiddenfolder", "systemfolder", "plain"})
        AddFile(Folder(std::string("hidden\\") + name), "inside.jpg");
    SetFileAttributesA(JoinPath(top, "hiddenfolder").c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA(JoinPath(top, "systemfolder").c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM);
    ASSERT_TRUE(GetFileAttributesA(JoinPath(top, "hiddenfolder").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(GetFileAttributesA(JoinPath(top, "systemfolder").c_str()) & FILE_ATTRIBUTE_SYSTEM);

    ListHandle list = Open({top}, true, false);
    Paths expected = Sorted({JoinPath(top, "shown.jpg"), JoinPath(top, "plain\\inside.jpg")});
    Paths round = Take(list.get(), 2);
    EXPECT_EQ(expected, Sorted(round)) << "got:" << Join(round);
    EXPECT_EQ(round, Take(list.get(), 2)) << "the second round differs";
}

TEST_F(PictureListTest, OnlyDecodableExtensionsAreTakenWhateverTheirCase)
{
    std::string top = Folder("kinds");
    for (const char* name : {"upper.JPG", "mixed.Bmp", "lower.gif", "notes.txt", "noextension", "photo.jpg.bak",
                             "program.exe"})
        AddFile(top, name);
    AddFile(Folder("kinds\\folder.jpg"), "inside.txt");

    ListHandle list = Open({top}, true, false);
    Paths expected = Sorted({JoinPath(top, "upper.JPG"), JoinPath(top, "mixed.Bmp"), JoinPath(top, "lower.gif")});
    Paths round = Take(list.get(), 3);
    EXPECT_EQ(expected, Sorted(round)) << "got:" << Join(round);
    EXPECT_EQ(round, Take(list.get(), 3)) << "the second round differs";

    EXPECT_TRUE(IsPictureFileName("C:\\a.b\\Photo.JpEg"));
    EXPECT_FALSE(IsPictureFileName("C:\\a.jpg\\photo"));
    EXPECT_FALSE(IsPictureFileName(""));
}

TEST_F(PictureListTest, MissingFoldersArePassedOverAndTheChosenPicturesWinOverTheInstalledOnes)
{
    std::string present = Folder("present");
    std::string picture = AddFile(present, "only.jpg");
    std::string install = Folder("install");
    AddFile(Folder("install\\pictures"), "installed.bmp");
    std::string notAFolder = AddFile(root_, "file.jpg");

    ListHandle list = Open({JoinPath(root_, "missing"), "Q:\\gone", notAFolder, present}, true, false, install);
    Paths expected(3, picture);
    EXPECT_EQ(expected, Take(list.get(), 3));
}

TEST_F(PictureListTest, WithoutAPictureInTheChosenFoldersTheInstalledPicturesAreShown)
{
    std::string empty = Folder("empty");
    AddFile(empty, "readme.txt");
    std::string install = Folder("install");
    std::string pictures = Folder("install\\pictures");
    AddFile(pictures, "a.bmp");
    AddFile(pictures, "b.bmp");
    AddFile(pictures, "VRXSaver.scr");
    AddFile(Folder("install\\pictures\\more"), "c.bmp");
    Paths round = ExpectedWalk(pictures, false);
    round.erase(std::remove(round.begin(), round.end(), JoinPath(pictures, "VRXSaver.scr")), round.end());

    ListHandle list = Open({empty, JoinPath(root_, "missing")}, true, false, install + "\\");
    EXPECT_EQ(round, Take(list.get(), 2));

    // A picture put into a chosen folder is shown from the next round on.
    std::string added = AddFile(empty, "new.jpg");
    EXPECT_EQ(Paths(3, added), Take(list.get(), 3));
}

TEST_F(PictureListTest, NothingToShowAnywhereGivesFalse)
{
    std::string empty = Folder("nothing");
    AddFile(empty, "readme.txt");
    std::string install = Folder("install-without-pictures");
    ListHandle list = Open({empty, JoinPath(root_, "missing")}, true, false, install);
    ListHandle shuffled = Open({empty}, true, true, install);
    ListHandle none = Open({}, false, false, "");
    char path[MAX_PATH];
    for (PictureList* each : {list.get(), shuffled.get(), none.get()}) {
        lstrcpyA(path, "untouched");
        EXPECT_FALSE(NextPicturePath(each, path));
        EXPECT_FALSE(NextPicturePath(each, path)) << "a second call";
        EXPECT_STREQ("", path);
    }
    EXPECT_FALSE(NextPicturePath(NULL, path));
}

TEST_F(PictureListTest, ShuffledRoundsShowEachPictureOnceAndNeverOneTwiceInARow)
{
    std::string three = Folder("three");
    Paths all = {AddFile(three, "a.jpg"), AddFile(three, "b.jpg"), AddFile(Folder("three\\sub"), "c.jpg")};
    ListHandle list = Open({three}, true, true);
    Paths shown = Take(list.get(), 3 * 40);
    for (size_t round = 0; round < 40; ++round) {
        Paths one(shown.begin() + round * 3, shown.begin() + round * 3 + 3);
        EXPECT_EQ(Sorted(all), Sorted(one)) << "round " << round << ":" << Join(one);
    }
    for (size_t i = 1; i < shown.size(); ++i)
        EXPECT_NE(shown[i - 1], shown[i]) << "pictures " << i - 1 << " and " << i;

    std::string single = Folder("single");
    std::string picture = AddFile(single, "alone.jpg");
    ListHandle alone = Open({single}, false, true);
    EXPECT_EQ(Paths(3, picture), Take(alone.get(), 3));
}

TEST_F(PictureListTest, EachStartShufflesDifferently)
{
    std::string top = Folder("many");
    Paths all;
    for (int folder = 0; folder < 4; ++folder) {
        std::string sub = Folder("many\\f" + std::to_string(folder));
        for (int i = 0; i < 15; ++i)
            all.push_back(AddFile(sub, "p" + std::to_string(i) + ".jpg"));
    }
    ListHandle first = Open({top}, true, true);
    ListHandle second = Open({top}, true, true);
    Paths one = Take(first.get(), all.size());
    Paths other = Take(second.get(), all.size());
    EXPECT_EQ(Sorted(all), Sorted(one));
    EXPECT_EQ(Sorted(all), Sorted(other));
    EXPECT_NE(one, other) << "two starts showed 60 pictures in the same order";
    EXPECT_NE(ExpectedWalk(top, true), one) << "the shuffled round is the listing's order";
}

TEST_F(PictureListTest, PathsLongerThanMaxPathArePassedOver)
{
    // A folder of about 230 characters holding a file whose path fits and
    // one whose path does not (made through the Unicode long-path form).
    std::string relative = "long";
    while (root_.size() + 1 + relative.size() + 41 <= 230)
        relative += "\\" + std::string(40, 'd');
    std::string folder = Folder(relative);
    ASSERT_TRUE(DirectoryExists(folder)) << folder;
    std::string fits = AddFile(folder, "fits.jpg");
    std::string longName = std::string(260 - folder.size(), 'n') + ".jpg";
    std::wstring wide = L"\\\\?\\" + std::wstring(folder.begin(), folder.end()) + L"\\" +
                        std::wstring(longName.begin(), longName.end());
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << "cannot make the file of the overlong path, error " << GetLastError();
    CloseHandle(file);
    Paths files, folders;
    ListEntries(folder, &files, &folders);
    ASSERT_EQ(2u, files.size()) << "the folder should list both files";

    ListHandle list = Open({JoinPath(root_, "long")}, true, false);
    EXPECT_EQ(Paths(2, fits), Take(list.get(), 2));
    DeleteFileW(wide.c_str());
}

}  // namespace
