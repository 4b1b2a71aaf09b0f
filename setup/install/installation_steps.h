// The work of one installation run once its paths are built: the shell
// copies, the registrations, the uninstaller copy, the settings and the
// uninstall entry, in the order the run makes them.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "installation_plan.h"

// One shell copy request; CopyThroughShell in the program, a recorder in tests.
typedef int (*ShellCopyFunction)(HWND owner, const char* from, const char* to, FILEOP_FLAGS flags,
                                 const char* progressTitle);

// Copies and registers what installSound and installSaver choose, with owner
// owning the shell's windows. Returns the run result: 0 exactly when every
// shell copy made returned 0.
int InstallChosenParts(HWND owner, BOOL installSound, BOOL installSaver, const InstallationPlan& plan,
                       ShellCopyFunction copy);
