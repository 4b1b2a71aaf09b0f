// The shell's folder browser for choosing a picture folder, with shell32
// and ole32 loaded only while it is open.
#pragma once

#include <windows.h>

// Title shown above the browser's tree.
#define FOLDER_BROWSER_TITLE "Choisissez un dossier d'images :"

// Shows the browser over owner, opened at start when that is a folder
// (start may be NULL). Returns TRUE and the chosen folder's path in chosen
// (MAX_PATH bytes) when the user picked a file-system folder with OK; FALSE
// on Cancel or when the shell offers no browser.
BOOL BrowseForPictureFolder(HWND owner, const char* start, char* chosen);
