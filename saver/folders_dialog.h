// The "Images..." dialog: the user's own picture folders and how they are
// shown, stored per user on OK.
#pragma once

#include <windows.h>

// Procedure of the dialog IDD_PICTURE_FOLDERS. WM_INITDIALOG fills it from
// the user's photo settings; OK stores them at once and ends it with 1;
// Cancel ends it with 0 and stores nothing.
INT_PTR CALLBACK FoldersDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
