// The product's entry in the system's list of removable programs.
#pragma once

#include <windows.h>

#define UNINSTALL_KEY_PATH "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VRX2SS"
#define UNINSTALL_DISPLAY_NAME "Economiseur d'\xE9" "cran VRX2"
#define UNINSTALLER_FILE_NAME "ssunins.exe"

// Writes "DisplayName" and "UninstallString" = <Windows directory>\ssunins.exe
// followed by a space and installedPath. Returns TRUE.
BOOL WriteUninstallEntry(const char* installedPath);
