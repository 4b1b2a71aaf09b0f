// The configuration dialog and the About box of the saver.
#pragma once

#include <windows.h>

// Procedure of the configuration dialog: the display time per picture and
// whether pictures are stretched; OK writes them to the settings key.
INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Procedure that replaces the display-time edit's own while the dialog is
// open: it holds the number to 1-100 when the edit loses the focus.
LRESULT CALLBACK UpdateRateEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);

// Procedure of the About box, which only its OK button closes.
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Message shown, in the dialog's caption, when OK can store the settings
// neither for the machine nor for the user.
#define SETTINGS_NOT_SAVED_TEXT "Les r\xE9glages n'ont pas pu \xEAtre enregistr\xE9s."

// Shows SETTINGS_NOT_SAVED_TEXT over a dialog, in its caption.
void ShowSettingsNotSaved(HWND dialog);

// Text of the button that opens the picture folders dialog.
#define PICTURE_FOLDERS_BUTTON_TEXT "Images..."

// The edit's own procedure, which the subclass hands every message to.
extern WNDPROC PreviousEditProc;
