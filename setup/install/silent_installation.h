// The unattended installation, MARLO.EXE /S: the interactive run's copies,
// record, sound scheme, activation, uninstall entry and settings with the
// command line's answers, without any window, ended by an exit code.
#pragma once

#include <string>

#include "silent_command_line.h"

#define SILENT_EXIT_INSTALLED 0
// Something was not installed; what was done is recorded for the uninstaller.
#define SILENT_EXIT_FAILED 1
// The command line was not understood (or its log cannot be written): nothing done.
#define SILENT_EXIT_NOT_UNDERSTOOD 2

// Installs what command asks for from medium, a directory laid out as the
// distribution medium, and returns the exit code. Writes its log where the
// command line says.
int RunSilentInstallation(const SilentCommand& command, const std::string& medium);

// The directory of the running program, the medium it was started from.
std::string ProgramDirectory();
