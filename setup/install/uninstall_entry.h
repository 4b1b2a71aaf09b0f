// The product's entry in the system's list of removable programs.
#pragma once

#include <windows.h>

#include "installation_plan.h"

#define UNINSTALL_KEY_PATH "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VRX2SS"
#define UNINSTALL_DISPLAY_NAME "Economiseur d'\xE9" "cran VRX2"
#define UNINSTALLER_FILE_NAME "ssunins.exe"
#define UNINSTALL_PUBLISHER "Quandrel"

// Writes "DisplayName" and "UninstallString" = <Windows directory>\ssunins.exe
// followed by a space and installedPath. Returns TRUE.
BOOL WriteUninstallEntry(const char* installedPath);

// What the list of installed programs shows beside the name: "DisplayIcon"
// (the installed uninstaller, ",0"), "DisplayVersion", "Publisher",
// "InstallLocation" (the installed path), "EstimatedSize" (InstalledKilobytes)
// and "NoModify" and "NoRepair" 1. Texts with one NUL, numbers as REG_DWORD.
void WriteUninstallDetails(const InstallationPlan& plan);

// Kilobytes, rounded up, of what the setup put on the disk: every file the
// record names in every installation directory, and the saver and the
// uninstaller in windowsDirectory where they are.
DWORD InstalledKilobytes(const char* windowsDirectory);
