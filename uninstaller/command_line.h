// Reading the uninstaller's command line: an optional /S switch as the first
// argument, then the installed path, which may hold blanks and may or may
// not be quoted.
#pragma once

#include <string>

// IsUsableInstalledPath, shared with the setup's unattended installation.
#include "installation_record.h"

struct UninstallCommand {
    bool silent = false;           // /S: no question, no message
    std::string installedPath;     // empty when the command line names none
    std::string unknownSwitch;     // a first argument beginning with '/' that is not /S
};

// Returns the part of a full command line that follows the program name.
// moduleName, the running program's full path, recognises an unquoted
// program name that itself holds blanks.
std::string ArgumentsAfterProgramName(const char* commandLine, const char* moduleName);

// Splits the arguments into the switch and the installed path.
UninstallCommand ParseUninstallArguments(const std::string& arguments);

// The path with one trailing backslash removed, as the setup program stores it.
std::string WithoutTrailingBackslash(const std::string& path);
