// What the setup program recorded about an installation, and the removal of
// those records (the settings key and the uninstall entry).
#pragma once

#include <string>
#include <vector>

#include "removal_report.h"

#define UNINSTALL_ENTRY_PARENT "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
#define UNINSTALL_ENTRY_KEY UNINSTALL_ENTRY_PARENT "\\VRX2SS"
#define VENDOR_KEY "Software\\Quandrel"

struct InstallRecord {
    bool settingsKeyFound = false;
    bool uninstallEntryFound = false;
    std::string installedPath;     // "Installed path", empty when absent
    bool saverInstalled = false;   // "Screen Saver Installed" is "Yes"
    bool soundsInstalled = false;  // "Sound Scheme Installed" is "Yes"
    bool previousSaverKnown = false;
    std::string previousSaver;     // "Previous Saver" as stored
    // "Installed pictures" of the uninstall entry: the names the setup copied.
    // Without the list every "*.bmp" of the pictures folder is taken for ours.
    bool pictureListFound = false;
    std::vector<std::string> pictureNames;
};

// Reads the settings key and looks for the uninstall entry.
InstallRecord ReadInstallRecord();

// Deletes the settings key, then the uninstall entry, then the vendor's key
// when nothing else is left in it. Keys that do not exist are not failures.
void DeleteInstallRecord(RemovalReport& report);

// Deletes a key with its subkeys. True when the key is gone, also when it
// never existed.
bool DeleteRegistryTree(HKEY root, const char* path);
