// The "Images..." dialog: a list of picture folders with "Ajouter..." and
// "Retirer", the switches of the user's photo settings and the transition.
// The list box itself holds the folders while the dialog is open.
#include "folders_dialog.h"

#include "config_dialog.h"
#include "folder_browser.h"
#include "photo_settings.h"
#include "res/resource.h"

namespace {

HWND FolderList(HWND dialog) { return GetDlgItem(dialog, IDC_FOLDER_LIST); }

LRESULT FolderCount(HWND dialog) { return SendMessageA(FolderList(dialog), LB_GETCOUNT, 0, 0); }

void CheckSwitch(HWND dialog, int id, LONG on) { CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED); }

LONG SwitchOf(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0; }

// A long path scrolls sideways instead of being cut off.
void FitListWidthToFolders(HWND dialog)
{
    HWND list = FolderList(dialog);
    HDC dc = GetDC(list);
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)));
    LONG widest = 0;
    char text[MAX_PATH];
    for (LRESULT i = 0, count = FolderCount(dialog); i < count; ++i) {
        if (SendMessageA(list, LB_GETTEXTLEN, i, 0) >= MAX_PATH)
            continue;
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        SIZE size = {};
        GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
        if (size.cx > widest)
            widest = size.cx;
    }
    SelectObject(dc, oldFont);
    ReleaseDC(list, dc);
    SendMessageA(list, LB_SETHORIZONTALEXTENT, widest + 4, 0);
}

// "Retirer" needs a selected folder, "Ajouter..." room in the list. A
// button about to be disabled hands the focus to the list first.
void UpdateFolderButtons(HWND dialog)
{
    HWND add = GetDlgItem(dialog, IDC_ADD_FOLDER);
    HWND remove = GetDlgItem(dialog, IDC_REMOVE_FOLDER);
    BOOL canAdd = FolderCount(dialog) < MAX_PICTURE_FOLDERS;
    BOOL canRemove = SendMessageA(FolderList(dialog), LB_GETCURSEL, 0, 0) != LB_ERR;
    HWND focus = GetFocus();
    if ((focus == add && !canAdd) || (focus == remove && !canRemove))
        SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(canAdd ? add : FolderList(dialog)), TRUE);
    EnableWindow(add, canAdd);
    EnableWindow(remove, canRemove);
}

// A folder already listed (in any letter case) is selected again instead of
// being listed twice. Returns its place in the list, or LB_ERR when the
// list is full.
LRESULT ListFolder(HWND dialog, const char* folder)
{
    HWND list = FolderList(dialog);
    LRESULT place = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(folder));
    if (place != LB_ERR)
        return place;
    if (FolderCount(dialog) >= MAX_PICTURE_FOLDERS)
        return LB_ERR;
    return SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(folder));
}

BOOL OnInitFoldersDialog(HWND dialog)
{
    PhotoSettings settings;
    ReadPhotoSettings(&settings);
    for (LONG i = 0; i < settings.folderCount; ++i)
        ListFolder(dialog, settings.folders[i]);
    CheckSwitch(dialog, IDC_SUBFOLDERS, settings.subfolders);
    CheckSwitch(dialog, IDC_SHUFFLE, settings.shuffle);
    CheckSwitch(dialog, IDC_KEEP_PROPORTIONS, settings.keepProportions);
    CheckSwitch(dialog, IDC_ALL_MONITORS, settings.allMonitors);
    CheckRadioButton(dialog, IDC_TRANSITION_WIPE, IDC_TRANSITION_FADE,
                     settings.transition == TRANSITION_CROSSFADE ? IDC_TRANSITION_FADE : IDC_TRANSITION_WIPE);
    FitListWidthToFolders(dialog);
    UpdateFolderButtons(dialog);
    return TRUE;
}

// The browser opens at the selected folder, else at the last one listed.
void OnAddFolder(HWND dialog)
{
    HWND list = FolderList(dialog);
    LRESULT start = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (start == LB_ERR)
        start = FolderCount(dialog) - 1;
    char startFolder[MAX_PATH] = "";
    if (start >= 0 && SendMessageA(list, LB_GETTEXTLEN, start, 0) < MAX_PATH)
        SendMessageA(list, LB_GETTEXT, start, reinterpret_cast<LPARAM>(startFolder));

    char chosen[MAX_PATH];
    if (!BrowseForPictureFolder(dialog, startFolder, chosen))
        return;
    LRESULT place = ListFolder(dialog, chosen);
    if (place != LB_ERR)
        SendMessageA(list, LB_SETCURSEL, place, 0);
    FitListWidthToFolders(dialog);
    UpdateFolderButtons(dialog);
}

// The folder after the removed one is selected, or the one before it when
// the last was removed, so that "Retirer" can go on.
void OnRemoveFolder(HWND dialog)
{
    HWND list = FolderList(dialog);
    LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR)
        return;
    LRESULT left = SendMessageA(list, LB_DELETESTRING, selected, 0);
    if (left > 0)
        SendMessageA(list, LB_SETCURSEL, selected < left ? selected : left - 1, 0);
    FitListWidthToFolders(dialog);
    UpdateFolderButtons(dialog);
}

// As in the configuration dialog, settings that cannot be stored are not
// lost in silence: the dialog says so and stays open.
void OnFoldersOk(HWND dialog)
{
    PhotoSettings settings;
    ZeroMemory(&settings, sizeof settings);
    HWND list = FolderList(dialog);
    for (LRESULT i = 0, count = FolderCount(dialog); i < count && settings.folderCount < MAX_PICTURE_FOLDERS; ++i) {
        if (SendMessageA(list, LB_GETTEXTLEN, i, 0) >= MAX_PATH)
            continue;
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(settings.folders[settings.folderCount]));
        ++settings.folderCount;
    }
    settings.subfolders = SwitchOf(dialog, IDC_SUBFOLDERS);
    settings.shuffle = SwitchOf(dialog, IDC_SHUFFLE);
    settings.keepProportions = SwitchOf(dialog, IDC_KEEP_PROPORTIONS);
    settings.allMonitors = SwitchOf(dialog, IDC_ALL_MONITORS);
    settings.transition = SwitchOf(dialog, IDC_TRANSITION_FADE) ? TRANSITION_CROSSFADE : TRANSITION_WIPE;
    if (!WritePhotoSettings(&settings)) {
        ShowSettingsNotSaved(dialog);
        return;
    }
    EndDialog(dialog, 1);
}

BOOL OnFoldersCommand(HWND dialog, WORD id, WORD code)
{
    switch (id) {
    case IDOK:
        OnFoldersOk(dialog);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, 0);
        return TRUE;
    case IDC_ADD_FOLDER:
        OnAddFolder(dialog);
        return TRUE;
    case IDC_REMOVE_FOLDER:
        OnRemoveFolder(dialog);
        return TRUE;
    case IDC_FOLDER_LIST:
        if (code == LBN_SELCHANGE)
            UpdateFolderButtons(dialog);
        return TRUE;
    case IDC_SUBFOLDERS:
    case IDC_SHUFFLE:
    case IDC_KEEP_PROPORTIONS:
    case IDC_ALL_MONITORS:
    case IDC_TRANSITION_WIPE:
    case IDC_TRANSITION_FADE:
        return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK FoldersDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitFoldersDialog(dialog);
    case WM_COMMAND:
        return OnFoldersCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}
