// Giving the screen saver back: the [boot] SCRNSAVE.EXE entry of system.ini,
// and our saver's file in the Windows directory.
#pragma once

#include <string>

#include "install_record.h"
#include "removal_report.h"

// Our saver as the setup program names it: the Windows directory + "\VRXSaver.scr".
std::string InstalledSaverPath();

// True for a file that carries our saver's version block.
bool IsOurSaverFile(const std::string& path);

// Deletes our saver from the Windows directory; a file of that name that is
// not ours stays.
void RemoveInstalledSaver(RemovalReport& report);

// When system.ini still names our saver, names the previous one again when
// that file exists, or removes the entry: silently when there was none,
// otherwise telling the report that the earlier saver is lost. A saver
// chosen since the installation is left alone.
void RestorePreviousSaver(const InstallRecord& record, RemovalReport& report);
