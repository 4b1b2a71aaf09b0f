// Every path of one installation run, built before anything is copied or
// written, so that a path too long for its buffer stops the run untouched.
#pragma once

#include <windows.h>

#include <string>

// Shell file-operation lists: one entry followed by a second NUL.
#define SHELL_LIST_CHARS (MAX_PATH + 1)

struct InstallationPlan {
    char windowsDirectory[MAX_PATH];  // as GetWindowsDirectoryA returns it
    char installedPath[MAX_PATH];     // the destination without one trailing backslash
    char soundDirectory[MAX_PATH];    // installed path + "\sounds"
    char pictureDirectory[MAX_PATH];  // installed path + "\pictures"
    char soundsFrom[SHELL_LIST_CHARS];
    char soundsTo[SHELL_LIST_CHARS];
    char picturesFrom[SHELL_LIST_CHARS];
    char picturesTo[SHELL_LIST_CHARS];
    char saverFrom[SHELL_LIST_CHARS];
    char saverTo[SHELL_LIST_CHARS];
    char uninstallerFrom[MAX_PATH];
    char uninstallerTo[MAX_PATH];
};

// Fills plan from the destination the user accepted, the directory the setup
// was started from and the Windows directory. A destination that is not a
// full path ("X:\..." or "\\server\...") stands for currentDirectory, where
// the destination dialog has just made it current. FALSE when a path would
// not fit in MAX_PATH characters; overlong then receives that path in full.
BOOL BuildInstallationPlan(InstallationPlan* plan, const char* destination, const char* source,
                           const char* windowsDirectory, const char* currentDirectory, std::string* overlong);
