// The configuration dialog (display time and stretching) and the About box.
#include "config_dialog.h"

#include "folders_dialog.h"
#include "number_text.h"
#include "settings_store.h"
#include "slideshow.h"
#include "res/resource.h"

WNDPROC PreviousEditProc = NULL;

namespace {

const LONG kMinUpdateRate = 1;
const LONG kMaxUpdateRate = 100;
const LONG kArrowsStartPosition = 50;

// The edit and the scroll bar beside it that steps its number. The settings
// themselves are the process's one SaverSettings record.
HWND UpdateRateEdit = NULL;
HWND UpdateRateArrows = NULL;

// The subclass reads the edit into this buffer when the edit loses the focus.
char EditBuffer[20];

LONG ClampUpdateRate(LONG rate)
{
    if (rate > kMaxUpdateRate)
        rate = kMaxUpdateRate;
    if (rate < kMinUpdateRate)
        rate = kMinUpdateRate;
    return rate;
}

void SetEditNumber(HWND edit, LONG number)
{
    char text[16];
    wsprintfA(text, "%d", number);
    SetWindowTextA(edit, text);
}

void SubclassUpdateRateEdit()
{
    PreviousEditProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(UpdateRateEdit, GWLP_WNDPROC));
    SetWindowLongPtrA(UpdateRateEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(UpdateRateEditProc));
}

// Back to the defaults before the key is read, so that a value missing from
// the key shows its default even when the dialog is opened a second time.
void ResetSaverSettings()
{
    ZeroMemory(&SaverSettings, sizeof SaverSettings);
    SaverSettings.fullscreen = DEFAULT_FULLSCREEN;
    SaverSettings.updateRate = DEFAULT_UPDATE_RATE;
}

// The "Images..." button is made here rather than in the dialog's template,
// which keeps its nine controls and its size. It sits on the top edge of the
// "Options" group, in the column of "A prop. de" (dialog units).
const RECT kPictureFoldersButton = {117, 1, 167, 14};

void AddPictureFoldersButton(HWND dialog)
{
    RECT place = kPictureFoldersButton;
    MapDialogRect(dialog, &place);
    HWND button = CreateWindowExA(0, "Button", PICTURE_FOLDERS_BUTTON_TEXT,
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, place.left, place.top,
                                  place.right - place.left, place.bottom - place.top, dialog,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PICTURE_FOLDERS)),
                                  GetModuleHandleA(NULL), NULL);
    if (!button)
        return;
    SendMessageA(button, WM_SETFONT, SendMessageA(dialog, WM_GETFONT, 0, 0), FALSE);
    // Above the group box that follows the check box in the template, which
    // no longer paints its frame line across the button.
    HWND fullscreen = GetDlgItem(dialog, IDC_FULLSCREEN);
    HWND group = GetWindow(fullscreen, GW_HWNDNEXT);
    SetWindowPos(button, fullscreen, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (group && group != button)
        SetWindowLongA(group, GWL_STYLE, GetWindowLongA(group, GWL_STYLE) | WS_CLIPSIBLINGS);
}

BOOL OnInitConfigDialog(HWND dialog)
{
    AddPictureFoldersButton(dialog);
    UpdateRateEdit = GetDlgItem(dialog, IDC_UPDATE_RATE);
    UpdateRateArrows = GetDlgItem(dialog, IDC_UPDATE_RATE_ARROWS);
    SubclassUpdateRateEdit();

    ResetSaverSettings();
    ReadSaverSettings(SaverSettings.installedPath, &SaverSettings.fullscreen, &SaverSettings.updateRate);
    CheckDlgButton(dialog, IDC_FULLSCREEN, SaverSettings.fullscreen ? BST_CHECKED : BST_UNCHECKED);
    SetEditNumber(UpdateRateEdit, SaverSettings.updateRate);

    // The arrows only step the edit; their position does not follow its number.
    SendMessageA(UpdateRateArrows, SBM_SETRANGE, kMinUpdateRate, kMaxUpdateRate);
    SendMessageA(UpdateRateArrows, SBM_SETPOS, kArrowsStartPosition, TRUE);
    return TRUE;
}

// Settings that neither the machine's key nor the user's would take are not
// lost in silence: the user is told, and the dialog stays for another try
// or Cancel.
void OnConfigOk(HWND dialog)
{
    SetWindowLongPtrA(UpdateRateEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PreviousEditProc));

    char text[101];
    GetWindowTextA(UpdateRateEdit, text, sizeof text);
    SaverSettings.updateRate = ClampUpdateRate(ParseNumber(text));
    SaverSettings.fullscreen = IsDlgButtonChecked(dialog, IDC_FULLSCREEN) == BST_CHECKED ? 1 : 0;
    if (WriteSaverSettings(SaverSettings.installedPath, SaverSettings.fullscreen, SaverSettings.updateRate) ==
        SETTINGS_WRITTEN_NOWHERE) {
        ShowSettingsNotSaved(dialog);
        SubclassUpdateRateEdit();
        return;
    }
    EndDialog(dialog, 1);
}

// Opens the About box from the program's own module. It has no owner, so the
// configuration dialog stays enabled while it is up.
void OnConfigAbout()
{
    DialogBoxParamA(NULL, MAKEINTRESOURCEA(IDD_ABOUT), NULL, AboutDialogProc, 0);
}

// The folders dialog is modal to this one and stores its own settings on
// its own OK, as a saver's "Settings..." does beside the display settings.
void OnConfigPictureFolders(HWND dialog)
{
    DialogBoxParamA(NULL, MAKEINTRESOURCEA(IDD_PICTURE_FOLDERS), dialog, FoldersDialogProc, 0);
}

BOOL OnConfigCommand(HWND dialog, WORD id)
{
    switch (id) {
    case IDOK:
        OnConfigOk(dialog);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, 0);
        return TRUE;
    case IDC_FULLSCREEN:
    case IDC_UPDATE_RATE:
    case IDC_UPDATE_RATE_ARROWS:
        return TRUE;
    case IDC_ABOUT:
        OnConfigAbout();
        return TRUE;
    case IDC_PICTURE_FOLDERS:
        OnConfigPictureFolders(dialog);
        return TRUE;
    }
    return FALSE;
}

// The upper arrow adds one second and the lower takes one away; past either
// end the number wraps to the other. Page and thumb codes only bring an
// out-of-range number back in the same way. A number already beyond an end
// is not stepped further, which wraps it just the same and cannot overflow.
void OnUpdateRateArrows(WORD code)
{
    char text[51];
    GetWindowTextA(UpdateRateEdit, text, sizeof text);
    LONG rate = ParseNumber(text);
    if (code == SB_LINEUP && rate <= kMaxUpdateRate)
        ++rate;
    else if (code == SB_LINEDOWN && rate >= kMinUpdateRate)
        --rate;

    if (rate > kMaxUpdateRate) {
        rate = kMinUpdateRate;
        SendMessageA(UpdateRateArrows, SBM_SETPOS, kMinUpdateRate, TRUE);
    } else if (rate < kMinUpdateRate) {
        rate = kMaxUpdateRate;
        SendMessageA(UpdateRateArrows, SBM_SETPOS, kMaxUpdateRate, TRUE);
    }
    SaverSettings.updateRate = rate;
    SetEditNumber(UpdateRateEdit, rate);
    SendMessageA(UpdateRateEdit, EM_SETSEL, 0, -1);
    SetFocus(UpdateRateEdit);
}

}  // namespace

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitConfigDialog(dialog);
    case WM_COMMAND:
        return OnConfigCommand(dialog, LOWORD(wParam));
    case WM_VSCROLL:
        if (LOWORD(wParam) != SB_ENDSCROLL)
            OnUpdateRateArrows(LOWORD(wParam));
        return FALSE;
    }
    return FALSE;
}

LRESULT CALLBACK UpdateRateEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KILLFOCUS) {
        CallWindowProcA(PreviousEditProc, edit, WM_GETTEXT, sizeof EditBuffer,
                        reinterpret_cast<LPARAM>(EditBuffer));
        LONG rate = ClampUpdateRate(ParseNumber(EditBuffer));
        wsprintfA(EditBuffer, "%d", rate);
        CallWindowProcA(PreviousEditProc, edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(EditBuffer));
    }
    return CallWindowProcA(PreviousEditProc, edit, message, wParam, lParam);
}

void ShowSettingsNotSaved(HWND dialog)
{
    char caption[100];
    GetWindowTextA(dialog, caption, sizeof caption);
    MessageBoxA(dialog, SETTINGS_NOT_SAVED_TEXT, caption, MB_OK | MB_ICONEXCLAMATION);
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        EndDialog(dialog, 1);
        return TRUE;
    }
    return FALSE;
}
