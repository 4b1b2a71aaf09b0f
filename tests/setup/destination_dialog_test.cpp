// The destination dialog and the create dialog in-process: accepted paths
// become the current directory, missing ones are offered for creation level
// by level, with captions shortened at 31 characters, and the errors.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <string.h>

#include <string>

#include "destination_dialog.h"
#include "dialog_script.h"
#include "setup_fixture.h"
#include "test_support.h"

using namespace setuptest;
using namespace vrxtest;

namespace {

// A directory of the C: drive that the tests make and remove: 16 characters.
const char kRoot[] = "C:\\vrxsetup-test";

std::string CurrentDirectory()
{
    char buffer[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(MAX_PATH, buffer);
    return std::string(buffer, n < MAX_PATH ? n : 0);
}

std::string EditText(HWND dialog)
{
    char text[300] = "";
    GetDlgItemTextA(dialog, 1002, text, sizeof text);
    return text;
}

std::string CreateCaption(const std::string& display) { return "'" + display + "' n'existe pas"; }

class DestinationDialogTest : public ::testing::Test {
protected:
    // The setup's frame is the main window, as in the program, so that the
    // dialogs are owned as they are there; its start timer is stopped.
    void SetUp() override
    {
        start_ = CurrentDirectory();
        RemoveTree(kRoot);
        frame_ = OpenIdleSetupFrame();
        ASSERT_TRUE(frame_ != NULL) << "the template made no setup view";
    }
    void TearDown() override
    {
        script_.Stop();
        CloseSetupWindow();
        SetCurrentDirectoryA(start_.c_str());
        RemoveTree(kRoot);
    }
    int Run(const std::string& preset)
    {
        dialog_.path = preset.c_str();
        script_.Start();
        int result = dialog_.DoModal();
        script_.Stop();
        return result;
    }
    // Types a path into the destination dialog and presses "Installer".
    void TypeAndInstall(const std::string& path)
    {
        script_.OnDialog("Destination directory", [path](HWND dialog) {
            SendDlgItemMessageA(dialog, 1002, WM_SETTEXT, 0, (LPARAM)path.c_str());
        });
        script_.Click("Destination directory", IDOK);
    }
    void SortirTwice() { script_.Click("Destination directory", IDCANCEL).Click("Sortir", IDCANCEL); }

    std::string start_;
    HWND frame_ = NULL;
    CDestinationDlg dialog_;
    DialogScript script_;
};

TEST_F(DestinationDialogTest, AnExistingDirectoryIsAcceptedAndMadeCurrent)
{
    std::string existing = MakeScratchDirectory("destination-existing");
    std::string shown;
    DWORD selection = 0;
    script_.OnDialog("Destination directory", [&](HWND dialog) {
        shown = EditText(dialog);
        selection = (DWORD)SendDlgItemMessageA(dialog, 1002, EM_GETSEL, 0, 0);
        EXPECT_EQ(GetDlgItem(dialog, 1002), GetFocus()) << "the edit has no focus";
    });
    script_.Click("Destination directory", IDOK);
    EXPECT_EQ(IDOK, Run(existing)) << script_.Report();
    EXPECT_EQ(existing, shown) << "the preset in the edit";
    EXPECT_EQ(0u, LOWORD(selection));
    EXPECT_EQ(existing.size(), (size_t)HIWORD(selection)) << "the preset is not wholly selected";
    EXPECT_EQ(existing, std::string(dialog_.path));
    EXPECT_EQ(existing, CurrentDirectory());
    EXPECT_TRUE(script_.Failures().empty()) << script_.Report();
    RemoveTree(existing);
}

TEST_F(DestinationDialogTest, CreateDialogShowsAPathOf30CharactersWholeAndCreatesIt)
{
    std::string path = std::string(kRoot) + "\\thirty-letter";  // 16 + 1 + 13
    ASSERT_EQ(30u, path.size());
    std::string caption, createText, otherText;
    HWND destination = NULL, owner = NULL;
    bool destinationEnabled = true, frameEnabled = true;
    script_.OnDialog("Destination directory", [&](HWND dialog) {
        destination = dialog;
        PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    script_.OnDialog(CreateCaption(path).c_str(), [&](HWND create) {
        caption = WindowText(create);
        createText = WindowText(GetDlgItem(create, IDOK));
        otherText = WindowText(GetDlgItem(create, IDCANCEL));
        owner = GetWindow(create, GW_OWNER);
        destinationEnabled = IsWindowEnabled(destination) != FALSE;
        frameEnabled = IsWindowEnabled(frame_) != FALSE;
    });
    script_.Click(CreateCaption(path).c_str(), IDOK);
    EXPECT_EQ(IDOK, Run(path)) << script_.Report();
    EXPECT_TRUE(destination != NULL && owner == destination) << "the create dialog is not owned by the destination dialog";
    EXPECT_FALSE(destinationEnabled) << "the destination dialog is enabled under the create dialog";
    EXPECT_FALSE(frameEnabled) << "the frame is enabled under the create dialog";
    EXPECT_TRUE(IsWindowEnabled(frame_)) << "the frame stayed disabled";
    EXPECT_EQ(CreateCaption(path), caption);
    EXPECT_EQ("Cr\xE9" "er r\xE9pertoire '" + path + "'", createText);
    EXPECT_EQ("S\xE9lect. autre r\xE9pertoire", otherText);
    EXPECT_TRUE(DirectoryExists(path));
    EXPECT_EQ(path, CurrentDirectory());
}

TEST_F(DestinationDialogTest, APathOf31CharactersIsShortenedInTheCreateDialog)
{
    std::string path = std::string(kRoot) + "\\thirty-one-len";  // 16 + 1 + 14
    ASSERT_EQ(31u, path.size());
    std::string display = path.substr(0, 3) + "...." + path.substr(31 - 23);
    ASSERT_EQ(30u, display.size());
    EXPECT_EQ(display, std::string(ShortenPathForDisplay(path.c_str())));
    std::string createText;
    script_.Click("Destination directory", IDOK);
    script_.OnDialog(CreateCaption(display).c_str(), [&](HWND create) {
        createText = WindowText(GetDlgItem(create, IDOK));
    });
    // "Sélect. autre répertoire" goes back with the text kept; then "Sortir" twice.
    script_.Click(CreateCaption(display).c_str(), IDCANCEL);
    script_.OnDialog("Destination directory", [&](HWND dialog) { EXPECT_EQ(path, EditText(dialog)); });
    SortirTwice();
    EXPECT_EQ(IDCANCEL, Run(path)) << script_.Report();
    EXPECT_TRUE(script_.Failures().empty()) << script_.Report();
    EXPECT_EQ("Cr\xE9" "er r\xE9pertoire '" + display + "'", createText);
    EXPECT_FALSE(DirectoryExists(path)) << "a declined directory was made";
    EXPECT_EQ(start_, CurrentDirectory());
}

TEST_F(DestinationDialogTest, CreateMakesEveryLevelFromTheOutermost)
{
    std::string path = std::string(kRoot) + "\\a\\b\\c";
    script_.Click("Destination directory", IDOK);
    script_.Click(CreateCaption(path).c_str(), IDOK);
    EXPECT_EQ(IDOK, Run(path)) << script_.Report();
    EXPECT_TRUE(DirectoryExists(kRoot));
    EXPECT_TRUE(DirectoryExists(std::string(kRoot) + "\\a"));
    EXPECT_TRUE(DirectoryExists(std::string(kRoot) + "\\a\\b"));
    EXPECT_TRUE(DirectoryExists(path));
    EXPECT_EQ(path, CurrentDirectory());
}

TEST_F(DestinationDialogTest, ATrailingBackslashIsKeptInTheAcceptedPath)
{
    std::string path = std::string(kRoot) + "\\a\\b\\";
    script_.Click("Destination directory", IDOK);
    script_.Click(CreateCaption(path).c_str(), IDOK);
    EXPECT_EQ(IDOK, Run(path)) << script_.Report();
    EXPECT_EQ(path, std::string(dialog_.path)) << "the path handed on";
    EXPECT_TRUE(DirectoryExists(std::string(kRoot) + "\\a\\b"));
}

TEST_F(DestinationDialogTest, AnEmptyEditOffersCreationAndThenReportsUnableToAccess)
{
    std::vector<std::string> texts;
    TypeAndInstall("");
    script_.Click(CreateCaption("").c_str(), IDOK);
    script_.OnDialog("Error", [&](HWND box) {
        texts = ChildTexts(box);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    // The create dialog stays up after the message.
    script_.Click(CreateCaption("").c_str(), IDCANCEL);
    SortirTwice();
    EXPECT_EQ(IDCANCEL, Run("C:\\VRX2 Screen Saver")) << script_.Report();
    EXPECT_TRUE(script_.Failures().empty()) << script_.Report();
    bool found = false;
    for (const std::string& text : texts)
        found |= text == "Unable to access directory";
    EXPECT_TRUE(found) << "the message box does not say \"Unable to access directory\"";
}

TEST_F(DestinationDialogTest, AMissingDriveReportsUnableToAccessEveryTime)
{
    std::string path = "Q:\\nowhere";
    int messages = 0;
    script_.Click("Destination directory", IDOK);
    for (int attempt = 0; attempt < 2; attempt++) {
        script_.Click(CreateCaption(path).c_str(), IDOK);
        script_.OnDialog("Error", [&](HWND box) {
            messages++;
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        });
    }
    script_.Click(CreateCaption(path).c_str(), IDCANCEL);
    SortirTwice();
    ASSERT_FALSE(DirectoryExists("Q:\\")) << "this prefix has a drive Q:";
    EXPECT_EQ(IDCANCEL, Run(path)) << script_.Report();
    EXPECT_EQ(2, messages);
    EXPECT_EQ(start_, CurrentDirectory());
}

TEST_F(DestinationDialogTest, SortirThenInstallerKeepsTheDialogAndItsText)
{
    std::string typed = std::string(kRoot) + "\\typed";
    script_.OnDialog("Destination directory", [typed](HWND dialog) {
        SendDlgItemMessageA(dialog, 1002, WM_SETTEXT, 0, (LPARAM)typed.c_str());
    });
    script_.Click("Destination directory", IDCANCEL).Click("Sortir", IDOK);
    script_.OnDialog("Destination directory", [&](HWND dialog) { EXPECT_EQ(typed, EditText(dialog)); });
    SortirTwice();
    EXPECT_EQ(IDCANCEL, Run("C:\\VRX2 Screen Saver")) << script_.Report();
    EXPECT_TRUE(script_.Failures().empty()) << script_.Report();
}

TEST_F(DestinationDialogTest, TheEditTakesAtMost260Characters)
{
    std::string longText(300, 'x');
    int limit = 0;
    std::string kept;
    script_.OnDialog("Destination directory", [&](HWND dialog) {
        HWND edit = GetDlgItem(dialog, 1002);
        limit = (int)SendMessageA(edit, EM_GETLIMITTEXT, 0, 0);
        SendMessageA(edit, EM_SETSEL, 0, -1);
        SendMessageA(edit, EM_REPLACESEL, FALSE, (LPARAM)longText.c_str());
        kept = EditText(dialog);
    });
    SortirTwice();
    EXPECT_EQ(IDCANCEL, Run("C:\\VRX2 Screen Saver")) << script_.Report();
    EXPECT_EQ(260, limit);
    EXPECT_EQ(260u, kept.size()) << "characters the edit took from a 300-character paste";
}

TEST_F(DestinationDialogTest, ARelativePathIsTriedFromTheCurrentDirectoryAndHandedOnAsTyped)
{
    std::string base = MakeScratchDirectory("destination-relative");
    CreateDirectoryA(JoinPath(base, "rel").c_str(), NULL);
    ASSERT_TRUE(SetCurrentDirectoryA(base.c_str()));
    TypeAndInstall("rel");
    EXPECT_EQ(IDOK, Run("C:\\VRX2 Screen Saver")) << script_.Report();
    EXPECT_EQ(std::string("rel"), std::string(dialog_.path)) << "the path handed on";
    EXPECT_EQ(JoinPath(base, "rel"), CurrentDirectory());
    SetCurrentDirectoryA(start_.c_str());
    RemoveTree(base);
}

// The folder browser is the shell's dialog; its tree is rooted at the drives.
HWND BrowseTree(HWND browser) { return FindWindowExA(browser, NULL, "SysTreeView32", NULL); }

HWND OwnBrowser()
{
    // Any dialog of this process other than the destination dialog.
    HWND found = NULL;
    for (HWND w = GetTopWindow(NULL); w; w = GetWindow(w, GW_HWNDNEXT)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == GetCurrentProcessId() && ClassName(w) == "#32770" && IsWindowVisible(w) &&
            WindowText(w) != "Destination directory" && BrowseTree(w)) {
            found = w;
            break;
        }
    }
    return found;
}

TEST_F(DestinationDialogTest, CancellingTheFolderBrowserChangesNothing)
{
    std::string browserText;
    script_.Click("Destination directory", 1003);
    script_.Then("the folder browser", [&] {
        HWND browser = OwnBrowser();
        if (!browser)
            return false;
        for (const std::string& text : ChildTexts(browser))
            if (text == "Destination directory")
                browserText = text;
        PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);
        return true;
    });
    std::string after;
    script_.OnDialog("Destination directory", [&](HWND dialog) { after = EditText(dialog); });
    SortirTwice();
    EXPECT_EQ(IDCANCEL, Run("C:\\VRX2 Screen Saver")) << script_.Report();
    EXPECT_TRUE(script_.Failures().empty()) << script_.Report();
    EXPECT_EQ("Destination directory", browserText) << "the browser does not show its title above the tree";
    EXPECT_EQ("C:\\VRX2 Screen Saver", after) << "cancelling the browser changed the edit";
}

TEST_F(DestinationDialogTest, AFolderChosenInTheBrowserFillsTheEditSelected)
{
    std::string chosen;
    DWORD selection = 0;
    script_.Click("Destination directory", 1003);
    script_.Then("a drive chosen in the folder browser", [&] {
        HWND browser = OwnBrowser();
        HWND tree = browser ? BrowseTree(browser) : NULL;
        if (!tree)
            return false;
        HTREEITEM root = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
        SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)root);
        HTREEITEM drive = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)root);
        // C: is the first drive whose path starts with C.
        while (drive) {
            char text[MAX_PATH] = "";
            TVITEMA item = {};
            item.mask = TVIF_TEXT;
            item.hItem = drive;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(tree, TVM_GETITEMA, 0, (LPARAM)&item);
            if (strstr(text, "C:"))
                break;
            drive = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)drive);
        }
        if (!drive)
            return false;
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)drive);
        PostMessageA(browser, WM_COMMAND, IDOK, 0);
        return true;
    });
    script_.Then("the edit filled", [&] {
        HWND dialog = OwnDialog("Destination directory");
        if (!dialog || EditText(dialog) == "C:\\VRX2 Screen Saver")
            return false;
        chosen = EditText(dialog);
        selection = (DWORD)SendDlgItemMessageA(dialog, 1002, EM_GETSEL, 0, 0);
        return true;
    });
    SortirTwice();
    EXPECT_EQ(IDCANCEL, Run("C:\\VRX2 Screen Saver")) << script_.Report();
    EXPECT_TRUE(script_.Failures().empty()) << script_.Report();
    EXPECT_EQ("C:\\", chosen) << "the edit after choosing drive C: in the browser";
    EXPECT_EQ(0u, LOWORD(selection));
    EXPECT_EQ(chosen.size(), (size_t)HIWORD(selection)) << "the browsed path is not selected";
    EXPECT_EQ(start_, CurrentDirectory()) << "browsing changed the current directory";
}

TEST(DisplayPath, ShortensOnlyPathsLongerThan30Characters)
{
    EXPECT_EQ(std::string("C:\\VRX2 Screen Saver"), std::string(ShortenPathForDisplay("C:\\VRX2 Screen Saver")));
    EXPECT_EQ(std::string("D:\\....omiseurs\\Images\\Nouveau"),
              std::string(ShortenPathForDisplay("D:\\Jeux\\Economiseurs\\Images\\Nouveau")));
    EXPECT_EQ(std::string(""), std::string(ShortenPathForDisplay("")));
}

}  // namespace
