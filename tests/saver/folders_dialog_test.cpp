// The "Images..." dialog of the real VRXSaver.scr, opened from its
// configuration dialog and driven from outside as a user would: clicks on
// the list, the buttons and the check boxes, the shell's folder browser; the
// user's settings key is read back byte for byte.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "test_support.h"

using namespace vrxtest;

namespace {

const char kConfigTitle[] = "Economiseur d'\xE9" "cran VRX2";
const char kFoldersTitle[] = "Images";
const int kImagesButton = 1010;
const int kFolderList = 1020;
const int kAdd = 1021;
const int kRemove = 1022;
const int kSubfolders = 1023;
const int kShuffle = 1024;
const int kKeepProportions = 1025;
const int kAllMonitors = 1026;
const int kWipe = 1027;
const int kFade = 1028;

LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

HWND WaitForShown(DWORD processId, const char* title)
{
    HWND dialog = WaitForProcessWindow(processId, "#32770", title, 10000);
    if (!dialog || !PumpUntil([dialog] { return IsWindowVisible(dialog) != FALSE; }, 5000))
        return NULL;
    return dialog;
}

// The shell's folder browser: the process's dialog that holds a tree.
HWND FindBrowser(DWORD processId)
{
    for (HWND w = GetTopWindow(NULL); w; w = GetWindow(w, GW_HWNDNEXT)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == processId && ClassName(w) == "#32770" && IsWindowVisible(w) &&
            FindWindowExA(w, NULL, "SysTreeView32", NULL))
            return w;
    }
    return NULL;
}

// The saver's configuration mode with its "Images..." dialog open.
class FoldersSession {
public:
    ~FoldersSession()
    {
        if (saver_.Running())
            saver_.Kill();
    }

    bool Open()
    {
        if (!saver_.Start(JoinPath(ProgramDirectory(), "VRXSaver.scr"), "/c"))
            return false;
        config = WaitForShown(saver_.Id(), kConfigTitle);
        if (!config || !GetDlgItem(config, kImagesButton))
            return false;
        PostMessageA(GetDlgItem(config, kImagesButton), BM_CLICK, 0, 0);
        dialog = WaitForShown(saver_.Id(), kFoldersTitle);
        list = dialog ? GetDlgItem(dialog, kFolderList) : NULL;
        return list != NULL;
    }

    std::vector<std::string> Folders() const
    {
        std::vector<std::string> folders;
        // Asked in the wide form, which Wine carries between processes as
        // it is; the ANSI form arrives wide as well.
        for (LRESULT i = 0, count = Ask(list, LB_GETCOUNT); i < count; ++i) {
            WCHAR wide[MAX_PATH + 1] = L"";
            DWORD_PTR length = 0;
            SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide), SMTO_ABORTIFHUNG, 5000, &length);
            char text[2 * MAX_PATH] = "";
            int bytes = WideCharToMultiByte(1252, 0, wide, static_cast<int>(length), text, sizeof text, NULL, NULL);
            folders.push_back(std::string(text, bytes > 0 ? bytes : 0));
        }
        return folders;
    }
    LRESULT Selected() const { return Ask(list, LB_GETCURSEL); }
    HWND Focus() const
    {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(GetWindowThreadProcessId(dialog, NULL), &info) ? info.hwndFocus : NULL;
    }
    bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
    bool Checked(int id) const { return Ask(GetDlgItem(dialog, id), BM_GETCHECK) == BST_CHECKED; }

    // A click in the middle of the list's entry.
    void ClickEntry(LRESULT index)
    {
        LRESULT height = Ask(list, LB_GETITEMHEIGHT, 0);
        LPARAM at = MAKELPARAM(10, static_cast<int>(index * height + height / 2));
        PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(list, WM_LBUTTONUP, 0, at);
    }
    void Click(int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
    bool Closed() { return PumpUntil([this] { return !IsWindow(dialog); }, 5000); }
    // Ends the configuration dialog with Cancel, so that only the folders
    // dialog can have stored anything.
    bool CancelConfiguration()
    {
        PostMessageA(GetDlgItem(config, IDCANCEL), BM_CLICK, 0, 0);
        return saver_.WaitPumping(10000);
    }
    DWORD ProcessId() const { return saver_.Id(); }

    HWND config = NULL;
    HWND dialog = NULL;
    HWND list = NULL;

private:
    ChildProcess saver_;
};

class FoldersDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey);
        DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKey);
    }
    void TearDown() override
    {
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey);
        DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKey);
    }

    static void StoreFolder(int number, const std::string& folder)
    {
        WriteText(HKEY_CURRENT_USER, kSettingsKey, "Folder" + std::to_string(number), folder);
    }
    static RegValue UserValue(const std::string& name) { return ReadValue(HKEY_CURRENT_USER, kSettingsKey, name); }
    static void ExpectSwitch(const char* name, DWORD expected)
    {
        RegValue value = UserValue(name);
        ASSERT_TRUE(value.present) << name << " missing";
        EXPECT_EQ(static_cast<DWORD>(REG_DWORD), value.type) << name;
        EXPECT_EQ(4u, value.bytes.size()) << name;
        EXPECT_EQ(expected, value.Number()) << name;
    }
    // Every value of the user's key, type and bytes, as one text.
    static std::string UserKeyAsText()
    {
        std::string text;
        HKEY key = NULL;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
            return "<no key>";
        char name[256];
        BYTE data[1024];
        for (DWORD i = 0;; ++i) {
            DWORD nameLength = sizeof name, type = 0, size = sizeof data;
            if (RegEnumValueA(key, i, name, &nameLength, NULL, &type, data, &size) != ERROR_SUCCESS)
                break;
            text += std::string(name) + ":" + std::to_string(type) + ":" +
                    std::string(reinterpret_cast<char*>(data), size) + "\n";
        }
        RegCloseKey(key);
        return text;
    }
};

// Folder1 and Folder2 are shown, Folder4 after the gap is not and goes on
// OK; the boxes and the folders come back when the dialog opens again; the
// configuration dialog's Cancel afterwards takes none of it back.
TEST_F(FoldersDialogTest, OkStoresTheListAndTheBoxesAndReopeningShowsThem)
{
    StoreFolder(1, "C:\\Photos");
    StoreFolder(2, "D:\\Vacances \xE9t\xE9");
    StoreFolder(4, "E:\\Apr\xE8s le trou");
    {
        FoldersSession session;
        ASSERT_TRUE(session.Open()) << "no \"Images\" dialog after clicking \"Images...\"";
        EXPECT_EQ(std::vector<std::string>({"C:\\Photos", "D:\\Vacances \xE9t\xE9"}), session.Folders());
        EXPECT_FALSE(session.Checked(kSubfolders) || session.Checked(kShuffle) || session.Checked(kKeepProportions))
            << "the switches are absent: unchecked";
        session.Click(kSubfolders);
        session.Click(kKeepProportions);
        ASSERT_TRUE(PumpUntil([&] { return session.Checked(kKeepProportions); }, 5000));
        session.Click(IDOK);
        ASSERT_TRUE(session.Closed()) << "OK did not close the dialog";
        EXPECT_TRUE(IsWindowEnabled(session.config)) << "the configuration dialog is back";

        RegValue first = UserValue("Folder1");
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), first.type);
        EXPECT_EQ("C:\\Photos", first.Text()) << "stored without its NUL";
        EXPECT_EQ("D:\\Vacances \xE9t\xE9", UserValue("Folder2").Text());
        EXPECT_FALSE(UserValue("Folder3").present);
        EXPECT_FALSE(UserValue("Folder4").present) << "the folder after the gap was not shown, so it goes";
        ExpectSwitch("Subfolders", 1);
        ExpectSwitch("Shuffle", 0);
        ExpectSwitch("KeepProportions", 1);
        ASSERT_TRUE(session.CancelConfiguration());
    }
    EXPECT_EQ("C:\\Photos", UserValue("Folder1").Text()) << "the configuration dialog's Cancel took it back";
    ExpectSwitch("KeepProportions", 1);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSettingsKey)) << "nothing of it goes to the machine";

    FoldersSession again;
    ASSERT_TRUE(again.Open());
    EXPECT_EQ(std::vector<std::string>({"C:\\Photos", "D:\\Vacances \xE9t\xE9"}), again.Folders());
    EXPECT_TRUE(again.Checked(kSubfolders));
    EXPECT_FALSE(again.Checked(kShuffle));
    EXPECT_TRUE(again.Checked(kKeepProportions));
}

// The new controls read back from the running dialog: their French texts
// byte for byte, the wipe chosen when nothing is stored; every monitor and
// the crossfade are stored on OK and shown again when it opens next.
TEST_F(FoldersDialogTest, AllMonitorsAndTheCrossfadeAreStoredOnOkAndShownAgain)
{
    {
        FoldersSession session;
        ASSERT_TRUE(session.Open());
        EXPECT_EQ("Images sur tous les \xE9" "crans", WindowText(GetDlgItem(session.dialog, kAllMonitors)));
        EXPECT_EQ("Balayage", WindowText(GetDlgItem(session.dialog, kWipe)));
        EXPECT_EQ("Fondu", WindowText(GetDlgItem(session.dialog, kFade)));
        HWND label = GetWindow(GetDlgItem(session.dialog, kWipe), GW_HWNDPREV);
        EXPECT_EQ("Transition :", WindowText(label)) << "the label before the choice";
        EXPECT_FALSE(session.Checked(kAllMonitors)) << "absent: the primary monitor only";
        EXPECT_TRUE(session.Checked(kWipe)) << "absent: the wipe";
        EXPECT_FALSE(session.Checked(kFade));

        session.Click(kAllMonitors);
        session.Click(kFade);
        ASSERT_TRUE(PumpUntil([&] { return session.Checked(kFade) && session.Checked(kAllMonitors); }, 5000));
        EXPECT_FALSE(session.Checked(kWipe)) << "one transition at a time";
        session.Click(IDOK);
        ASSERT_TRUE(session.Closed());
        ExpectSwitch("AllMonitors", 1);
        ExpectSwitch("Transition", 1);
        ASSERT_TRUE(session.CancelConfiguration());
    }
    FoldersSession again;
    ASSERT_TRUE(again.Open());
    EXPECT_TRUE(again.Checked(kAllMonitors));
    EXPECT_TRUE(again.Checked(kFade));
    EXPECT_FALSE(again.Checked(kWipe));
    again.Click(kWipe);
    again.Click(IDOK);
    ASSERT_TRUE(again.Closed());
    ExpectSwitch("Transition", 0);
}

TEST_F(FoldersDialogTest, CancelAndEscapeAfterChangesStoreNothing)
{
    StoreFolder(1, "C:\\Un");
    StoreFolder(2, "C:\\Deux");
    WriteNumber(HKEY_CURRENT_USER, kSettingsKey, "Shuffle", 1);
    std::string before = UserKeyAsText();
    for (bool escape : {false, true}) {
        FoldersSession session;
        ASSERT_TRUE(session.Open());
        session.ClickEntry(0);
        ASSERT_TRUE(PumpUntil([&] { return session.Enabled(kRemove); }, 5000));
        session.Click(kRemove);
        session.Click(kShuffle);
        session.Click(kAllMonitors);
        session.Click(kFade);
        ASSERT_TRUE(PumpUntil([&] { return session.Folders().size() == 1 && !session.Checked(kShuffle) &&
                                           session.Checked(kFade); }, 5000));
        if (escape)
            PostMessageA(GetDlgItem(session.dialog, kShuffle), WM_KEYDOWN, VK_ESCAPE, 0);
        else
            session.Click(IDCANCEL);
        ASSERT_TRUE(session.Closed()) << (escape ? "Escape" : "Cancel") << " did not close the dialog";
        EXPECT_EQ(before, UserKeyAsText()) << "after " << (escape ? "Escape" : "Cancel");
        ASSERT_TRUE(session.CancelConfiguration());
    }
}

// "Retirer" waits for a selection, then removes the selected folder and
// selects the next one, and the one before it at the end of the list.
TEST_F(FoldersDialogTest, RetirerRemovesTheSelectedFolderAndIsDisabledWithoutOne)
{
    StoreFolder(1, "C:\\A");
    StoreFolder(2, "C:\\B");
    StoreFolder(3, "C:\\C");
    FoldersSession session;
    ASSERT_TRUE(session.Open());
    EXPECT_FALSE(session.Enabled(kRemove)) << "nothing is selected when the dialog opens";
    EXPECT_TRUE(session.Enabled(kAdd));

    session.ClickEntry(1);
    ASSERT_TRUE(PumpUntil([&] { return session.Enabled(kRemove); }, 5000)) << "selecting did not enable Retirer";
    session.Click(kRemove);
    ASSERT_TRUE(PumpUntil([&] { return session.Folders().size() == 2; }, 5000));
    EXPECT_EQ(std::vector<std::string>({"C:\\A", "C:\\C"}), session.Folders());
    EXPECT_EQ(1, session.Selected()) << "the next folder is selected";
    session.Click(kRemove);
    ASSERT_TRUE(PumpUntil([&] { return session.Folders().size() == 1; }, 5000));
    EXPECT_EQ(0, session.Selected()) << "the last one removed: the one before it is selected";
    session.Click(kRemove);
    ASSERT_TRUE(PumpUntil([&] { return session.Folders().empty(); }, 5000));
    EXPECT_FALSE(session.Enabled(kRemove)) << "an empty list leaves nothing to remove";
    EXPECT_EQ(GetDlgItem(session.dialog, kAdd), session.Focus()) << "the focus left the disabled button";

    session.Click(IDOK);
    ASSERT_TRUE(session.Closed());
    for (const char* name : {"Folder1", "Folder2", "Folder3"})
        EXPECT_FALSE(UserValue(name).present) << name;
    ExpectSwitch("Subfolders", 0);
}

// A folder stored twice, in two letter cases, is listed once. The browser
// opens at the selected folder, else at the last one listed; OK on a folder
// already listed only selects it; a new one is added at the end, selected.
TEST_F(FoldersDialogTest, AjouterAddsTheBrowsedFolderOnceAndSelectsIt)
{
    std::string base = MakeScratchDirectory("folders-dialog");
    CreateDirectoryA(JoinPath(base, "Sous").c_str(), NULL);
    std::string upper = base;
    CharUpperA(&upper[0]);
    StoreFolder(1, upper);
    StoreFolder(2, base);
    FoldersSession session;
    ASSERT_TRUE(session.Open());
    ASSERT_EQ(std::vector<std::string>({upper}), session.Folders()) << "a folder stored twice is listed once";
    ASSERT_EQ(LB_ERR, session.Selected());

    for (bool intoSubfolder : {false, true}) {
        SCOPED_TRACE(intoSubfolder ? "its subfolder chosen" : "OK on the folder the browser opened at");
        session.Click(kAdd);
        HWND browser = NULL;
        ASSERT_TRUE(PumpUntil([&] { return (browser = FindBrowser(session.ProcessId())) != NULL; }, 10000))
            << "no folder browser after clicking \"Ajouter...\"";
        HWND tree = FindWindowExA(browser, NULL, "SysTreeView32", NULL);
        LPARAM caret = 0;
        ASSERT_TRUE(PumpUntil([&] { return (caret = Ask(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)) != 0; }, 5000));
        if (intoSubfolder) {
            Ask(tree, TVM_EXPAND, TVE_EXPAND, caret);
            LPARAM child = Ask(tree, TVM_GETNEXTITEM, TVGN_CHILD, caret);
            ASSERT_NE(0, child) << "the folder the browser opened at shows no subfolder";
            Ask(tree, TVM_SELECTITEM, TVGN_CARET, child);
        }
        PostMessageA(browser, WM_COMMAND, IDOK, 0);
        LRESULT expected = intoSubfolder ? 1 : 0;
        ASSERT_TRUE(PumpUntil([&] { return session.Selected() == expected; }, 5000))
            << "selected " << session.Selected() << " after the browser's OK, " << expected << " expected";
        EXPECT_EQ(intoSubfolder ? 2u : 1u, session.Folders().size());
    }
    std::vector<std::string> folders = session.Folders();
    ASSERT_EQ(2u, folders.size());
    EXPECT_EQ(upper, folders[0]);
    EXPECT_EQ(0, lstrcmpiA(JoinPath(base, "Sous").c_str(), folders[1].c_str())) << folders[1];
    EXPECT_TRUE(session.Enabled(kRemove)) << "the added folder is selected, so it can be removed";

    session.Click(IDOK);
    ASSERT_TRUE(session.Closed());
    EXPECT_EQ(upper, UserValue("Folder1").Text());
    EXPECT_EQ(folders[1], UserValue("Folder2").Text());
    EXPECT_FALSE(UserValue("Folder3").present);
    RemoveTree(base);
}

TEST_F(FoldersDialogTest, AFullListTakesNoMoreFolders)
{
    for (int i = 1; i <= 65; ++i)
        StoreFolder(i, "C:\\Dossier " + std::to_string(i));
    FoldersSession session;
    ASSERT_TRUE(session.Open());
    EXPECT_EQ(64u, session.Folders().size()) << "at most 64 folders";
    EXPECT_FALSE(session.Enabled(kAdd)) << "\"Ajouter...\" with a full list";
    session.ClickEntry(0);
    ASSERT_TRUE(PumpUntil([&] { return session.Enabled(kRemove); }, 5000));
    session.Click(kRemove);
    EXPECT_TRUE(PumpUntil([&] { return session.Enabled(kAdd); }, 5000)) << "room again after Retirer";
}

}  // namespace
