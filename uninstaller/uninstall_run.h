// One run of the uninstaller, from its command line to its exit code.
#pragma once

#include "command_line.h"

// Exit codes of ssunins.exe.
enum UninstallExitCode {
    UNINSTALL_DONE = 0,           // everything removed
    UNINSTALL_INCOMPLETE = 1,     // something is left; the records are kept for another run
    UNINSTALL_DECLINED = 2,       // the user answered No; nothing changed
    UNINSTALL_NOTHING_DONE = 3,   // bad command line, nothing installed, or already running
};

int RunUninstall(const UninstallCommand& command);
