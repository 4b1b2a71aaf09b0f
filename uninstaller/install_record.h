// What the setup program recorded about an installation, and the removal of
// those records (the settings key and the uninstall entry).
#pragma once

#include <string>
#include <vector>

#include "installation_record.h"
#include "removal_report.h"

#define UNINSTALL_ENTRY_PARENT "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
#define UNINSTALL_ENTRY_KEY UNINSTALL_ENTRY_PARENT "\\VRX2SS"
#define VENDOR_KEY "Software\\Quandrel"

struct InstallRecord {
    bool settingsKeyFound = false;
    bool uninstallEntryFound = false;
    std::string installedPath;     // "Installed path", empty when absent
    bool previousSaverKnown = false;
    std::string previousSaver;     // "Previous Saver" as stored
    // The directories the setup recorded with the files it put there; an
    // earlier version recorded none.
    std::vector<InstallationRecord> installations;
};

// One directory to remove. Without a record of its files (an installation of
// an earlier version), no picture or sound in it is taken for ours.
struct InstalledDirectory {
    std::string path;  // full path, without a trailing backslash
    bool filesRecorded = false;
    std::vector<InstalledFile> files;
};

// Reads the settings key and looks for the uninstall entry and its record.
InstallRecord ReadInstallRecord();

// Every directory of the product: each recorded one, and "Installed path"
// when no record names it. Paths that are not full paths of a drive or
// share are passed over. Deeper directories come first.
std::vector<InstalledDirectory> InstalledDirectories(const InstallRecord& record);

// Deletes the settings key, then the uninstall entry, then the vendor's key
// when nothing else is left in it. Keys that do not exist are not failures.
void DeleteInstallRecord(RemovalReport& report);

// Deletes a key with its subkeys. True when the key is gone, also when it
// never existed.
bool DeleteRegistryTree(HKEY root, const char* path);
