// Giving the screen saver back: the [boot] SCRNSAVE.EXE entry of system.ini.
#pragma once

#include <string>

#include "install_record.h"
#include "removal_report.h"

// Our saver as the setup program names it: the Windows directory + "\VRXSaver.scr".
std::string InstalledSaverPath();

// When system.ini still names our saver, names the previous one again, or
// removes the entry when there was none (or it was our own saver). A saver
// chosen since the installation is left alone.
void RestorePreviousSaver(const InstallRecord& record, RemovalReport& report);
