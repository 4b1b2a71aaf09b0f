// The setup's command line for an installation without any window:
//   MARLO.EXE /S [/LOG=<file>] [/SAVERONLY | /SOUNDSONLY] [/D=<directory>]
// Options in any case, after /S; /D= comes last and takes the rest of the
// line, blanks included, without quotes.
#pragma once

#include <string>

#define SILENT_DEFAULT_DESTINATION "C:\\VRX2 Screen Saver"

struct SilentCommand {
    bool silent = false;  // the arguments begin with /S
    bool installSaver = true;
    bool installSound = true;
    std::string destination = SILENT_DEFAULT_DESTINATION;
    std::string logFile;  // empty: no log
    std::string error;    // why the line was not understood; empty when it was
};

// Reads the arguments that follow the program name. Arguments that do not
// begin with /S are the interactive setup's: silent stays false.
SilentCommand ParseSilentCommand(const char* arguments);

// Why a directory named by /D= cannot be installed into, or empty: it must be
// a full path ("X:\..." or "\\server\share...") that is not a drive's root
// and that the uninstaller can remove again.
std::string DestinationProblem(const std::string& destination);
