// ConfigDialogProc and UpdateRateEditProc in this process, on the dialog
// template of the built VRXSaver.scr: the subclass of the edit, the results
// of the procedure and how much of the edit's text each reader takes.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "config_dialog.h"
#include "folders_dialog.h"
#include "refused_hives.h"
#include "test_support.h"

using namespace vrxtest;

namespace {

const int kFullscreenBox = 1000;
const int kRateEdit = 1001;
const int kRateArrows = 1002;

// "0...057" of the given length: the number read is 57 when the reader takes
// the whole text, 5 when it stops one character short.
std::string ZerosThen57(size_t length) { return std::string(length - 2, '0') + "57"; }

class ConfigDialogProcTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey);
        DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKey);
        std::string saver = JoinPath(ProgramDirectory(), "VRXSaver.scr");
        module_ = LoadLibraryExA(saver.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, module_) << "cannot load " << saver;
        HRSRC info = FindResourceExA(module_, MAKEINTRESOURCEA(5) /* RT_DIALOG */, MAKEINTRESOURCEA(2003),
                                     MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
        ASSERT_NE(nullptr, info) << "dialog 2003 missing";
        const DLGTEMPLATE* tmpl = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(module_, info)));
        dialog_ = CreateDialogIndirectParamA(GetModuleHandleA(NULL), tmpl, NULL, ConfigDialogProc, 0);
        ASSERT_NE(nullptr, dialog_) << "the dialog was not created, error " << GetLastError();
        edit_ = GetDlgItem(dialog_, kRateEdit);
        ASSERT_NE(nullptr, edit_);
    }

    void TearDown() override
    {
        if (dialog_)
            DestroyWindow(dialog_);
        if (module_)
            FreeLibrary(module_);
        SettingsCreateKey = RegCreateKeyExA;
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey);
        DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKey);
    }

    BOOL Command(int id) { return static_cast<BOOL>(ConfigDialogProc(dialog_, WM_COMMAND, MAKEWPARAM(id, 0), 0)); }
    BOOL Scroll(WORD code)
    {
        return static_cast<BOOL>(ConfigDialogProc(dialog_, WM_VSCROLL, MAKEWPARAM(code, 0),
                                                  reinterpret_cast<LPARAM>(GetDlgItem(dialog_, kRateArrows))));
    }
    std::string Rate() const { return WindowText(edit_); }
    void SetRate(const std::string& text) { SetWindowTextA(edit_, text.c_str()); }
    // Into the edit and out again to the check box, as the user would.
    void EnterAndLeaveTheEdit()
    {
        SetFocus(edit_);
        SetFocus(GetDlgItem(dialog_, kFullscreenBox));
    }
    DWORD StoredRate() const { return ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, "UpdateRate").Number(); }

    HMODULE module_ = NULL;
    HWND dialog_ = NULL;
    HWND edit_ = NULL;
};

TEST_F(ConfigDialogProcTest, TheEditIsSubclassedWhileOpenAndGetsItsOwnProcedureBackOnOk)
{
    HWND plain = CreateWindowExA(0, "Edit", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    WNDPROC editClassProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(plain, GWLP_WNDPROC));
    DestroyWindow(plain);

    EXPECT_EQ(reinterpret_cast<LONG_PTR>(UpdateRateEditProc), GetWindowLongPtrA(edit_, GWLP_WNDPROC))
        << "the edit runs the subclass while the dialog is open";
    EXPECT_EQ(editClassProc, PreviousEditProc) << "the subclass keeps the edit's own procedure";
    EXPECT_TRUE(Command(IDOK));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(PreviousEditProc), GetWindowLongPtrA(edit_, GWLP_WNDPROC))
        << "OK gives the edit its own procedure back";
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kSettingsKey)) << "OK writes the settings";
}

TEST_F(ConfigDialogProcTest, CommandsOfItsOwnControlsAreHandledAndOthersAreNot)
{
    EXPECT_TRUE(Command(kFullscreenBox));
    EXPECT_TRUE(Command(kRateEdit));
    EXPECT_TRUE(Command(kRateArrows));
    for (int id : {0, 3, 1003, 1005, 0xFFFF})
        EXPECT_FALSE(Command(id)) << "command " << id;
    EXPECT_FALSE(ConfigDialogProc(dialog_, WM_USER + 1, 0, 0));
    EXPECT_FALSE(ConfigDialogProc(dialog_, WM_TIMER, 1, 0));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSettingsKey)) << "no command but OK writes the settings";

    SetRate("42");
    EXPECT_FALSE(Scroll(SB_LINEUP)) << "WM_VSCROLL returns FALSE";
    EXPECT_EQ("43", Rate());
    EXPECT_FALSE(Scroll(SB_ENDSCROLL));
    EXPECT_EQ("43", Rate()) << "SB_ENDSCROLL leaves the edit alone";

    EXPECT_TRUE(Command(IDCANCEL));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSettingsKey)) << "Cancel wrote the settings";
}

// Leaving the edit reads at most 19 characters into the subclass's 20-byte
// buffer.
TEST_F(ConfigDialogProcTest, LeavingTheEditReadsAtMostNineteenCharacters)
{
    SetRate(ZerosThen57(19));
    EnterAndLeaveTheEdit();
    EXPECT_EQ("57", Rate()) << "19 characters";
    SetRate(ZerosThen57(20));
    EnterAndLeaveTheEdit();
    EXPECT_EQ("5", Rate()) << "20 characters: the last is not read";
    SetRate("250");
    EnterAndLeaveTheEdit();
    EXPECT_EQ("100", Rate());
}

TEST_F(ConfigDialogProcTest, TheArrowsReadAtMostFiftyCharacters)
{
    SetRate(ZerosThen57(50));
    Scroll(SB_PAGEUP);
    EXPECT_EQ("57", Rate()) << "50 characters";
    SetRate(ZerosThen57(51));
    Scroll(SB_PAGEUP);
    EXPECT_EQ("5", Rate()) << "51 characters: the last is not read";
}

TEST_F(ConfigDialogProcTest, OkReadsAtMostAHundredCharacters)
{
    SetRate(ZerosThen57(100));
    EXPECT_TRUE(Command(IDOK));
    EXPECT_EQ(57u, StoredRate()) << "100 characters";
}

TEST_F(ConfigDialogProcTest, OkDoesNotReadBeyondAHundredCharacters)
{
    SetRate(ZerosThen57(101));
    EXPECT_TRUE(Command(IDOK));
    EXPECT_EQ(5u, StoredRate()) << "101 characters: the last is not read";
}

// A message box that a dialog of this thread owns, read and answered with OK
// from another thread while the dialog's procedure waits for it.
struct OwnedMessageBox {
    HWND owner;
    HWND box = NULL;
    std::string caption;
    std::string text;
};

BOOL CALLBACK FindOwnedBox(HWND window, LPARAM parameter)
{
    OwnedMessageBox* seen = reinterpret_cast<OwnedMessageBox*>(parameter);
    if (GetWindow(window, GW_OWNER) != seen->owner || ClassName(window) != "#32770" || !IsWindowVisible(window))
        return TRUE;
    seen->box = window;
    return FALSE;
}

DWORD WINAPI AnswerOwnedBox(void* parameter)
{
    OwnedMessageBox* seen = static_cast<OwnedMessageBox*>(parameter);
    for (int i = 0; i < 500 && !seen->box; ++i) {
        EnumWindows(FindOwnedBox, reinterpret_cast<LPARAM>(seen));
        if (!seen->box)
            Sleep(20);
    }
    if (seen->box) {
        seen->caption = WindowText(seen->box);
        seen->text = WindowText(GetDlgItem(seen->box, 0xFFFF));
        PostMessageA(seen->box, WM_COMMAND, IDOK, 0);
    }
    return 0;
}

TEST_F(ConfigDialogProcTest, OkThatCanStoreNowhereSaysSoAndTheDialogStaysUntilTheUsersKeyTakesIt)
{
    SettingsCreateKey = refused::EveryHive;
    SetRate("42");
    OwnedMessageBox seen;
    seen.owner = dialog_;
    HANDLE answerer = CreateThread(NULL, 0, AnswerOwnedBox, &seen, 0, NULL);
    EXPECT_TRUE(Command(IDOK));
    WaitForSingleObject(answerer, 15000);
    CloseHandle(answerer);
    ASSERT_NE(nullptr, seen.box) << "no message box said the settings were not stored";
    EXPECT_EQ(WindowText(dialog_), seen.caption);
    EXPECT_EQ(SETTINGS_NOT_SAVED_TEXT, seen.text);
    EXPECT_TRUE(IsWindowVisible(dialog_)) << "the dialog stays open";
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(UpdateRateEditProc), GetWindowLongPtrA(edit_, GWLP_WNDPROC))
        << "the edit runs the subclass again";
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSettingsKey));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kSettingsKey));

    SettingsCreateKey = refused::MachineHive;
    EXPECT_TRUE(Command(IDOK));
    EXPECT_FALSE(IsWindowVisible(dialog_)) << "OK ends the dialog once the user's key took the settings";
    EXPECT_EQ(42u, ReadValue(HKEY_CURRENT_USER, kSettingsKey, "UpdateRate").Number());
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSettingsKey));
}

// The "Images" dialog's OK keeps the dialog open with the same message when
// the user's key cannot be written, and ends it once the key takes them.
TEST_F(ConfigDialogProcTest, FoldersOkThatCannotStoreSaysSoAndTheDialogStays)
{
    HRSRC info = FindResourceExA(module_, MAKEINTRESOURCEA(5) /* RT_DIALOG */, MAKEINTRESOURCEA(2004),
                                 MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    ASSERT_NE(nullptr, info) << "dialog 2004 missing";
    const DLGTEMPLATE* tmpl = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(module_, info)));
    HWND folders = CreateDialogIndirectParamA(GetModuleHandleA(NULL), tmpl, dialog_, FoldersDialogProc, 0);
    ASSERT_NE(nullptr, folders);
    ShowWindow(folders, SW_SHOW);
    SendDlgItemMessageA(folders, 1020, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("C:\\Photos"));

    SettingsCreateKey = refused::EveryHive;
    OwnedMessageBox seen;
    seen.owner = folders;
    HANDLE answerer = CreateThread(NULL, 0, AnswerOwnedBox, &seen, 0, NULL);
    FoldersDialogProc(folders, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    WaitForSingleObject(answerer, 15000);
    CloseHandle(answerer);
    ASSERT_NE(nullptr, seen.box) << "no message box said the folders were not stored";
    EXPECT_EQ("Images", seen.caption);
    EXPECT_EQ(SETTINGS_NOT_SAVED_TEXT, seen.text);
    EXPECT_TRUE(IsWindowVisible(folders)) << "the dialog stays open";
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kSettingsKey));

    SettingsCreateKey = refused::MachineHive;
    FoldersDialogProc(folders, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    EXPECT_FALSE(IsWindowVisible(folders)) << "OK ends the dialog once the user's key took the folders";
    EXPECT_EQ("C:\\Photos", ReadValue(HKEY_CURRENT_USER, kSettingsKey, "Folder1").Text());
    DestroyWindow(folders);
}

}  // namespace
