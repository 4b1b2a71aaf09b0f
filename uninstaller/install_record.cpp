// The settings key (HKLM Software\Quandrel\VRX2SS) and the uninstall entry:
// read first to know what to remove, deleted last so that a removal that
// failed part-way can be run again.
#include "install_record.h"

#include <windows.h>

#include <string.h>

#include <algorithm>

#include "command_line.h"
#include "settings_store.h"

namespace {

// Texts of the settings key are stored without their NUL; the buffer is
// zero-filled and one byte longer than the capacity given to the query.
bool QueryText(HKEY key, const char* name, std::string* text)
{
    char buffer[MAX_PATH + 1];
    ZeroMemory(buffer, sizeof buffer);
    DWORD size = MAX_PATH;
    DWORD type = REG_NONE;
    if (RegQueryValueExA(key, name, NULL, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return false;
    *text = std::string(buffer, strnlen(buffer, size));
    return true;
}

bool KeyIsEmpty(HKEY root, const char* path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    DWORD subkeys = 0;
    DWORD values = 0;
    LONG status = RegQueryInfoKeyA(key, NULL, NULL, NULL, &subkeys, NULL, NULL, &values, NULL, NULL, NULL, NULL);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && subkeys == 0 && values == 0;
}

}  // namespace

InstallRecord ReadInstallRecord()
{
    InstallRecord record;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        record.settingsKeyFound = true;
        QueryText(key, SETTING_INSTALLED_PATH, &record.installedPath);
        record.previousSaverKnown = QueryText(key, SETTING_PREVIOUS_SAVER, &record.previousSaver);
        RegCloseKey(key);
    }
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_KEY, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        record.uninstallEntryFound = true;
        RegCloseKey(key);
        ReadInstallationRecords(&record.installations);
    }
    return record;
}

std::vector<InstalledDirectory> InstalledDirectories(const InstallRecord& record)
{
    std::vector<InstalledDirectory> directories;
    auto add = [&](const std::string& path, bool recorded, const std::vector<InstalledFile>& files) {
        if (!IsUsableInstalledPath(WithoutTrailingBackslash(path)))
            return;
        std::string full = FullDirectoryPath(path);
        if (full.empty() || !IsUsableInstalledPath(full))
            return;
        for (InstalledDirectory& known : directories) {
            if (lstrcmpiA(known.path.c_str(), full.c_str()) == 0) {
                known.filesRecorded = known.filesRecorded || recorded;
                known.files.insert(known.files.end(), files.begin(), files.end());
                return;
            }
        }
        InstalledDirectory directory;
        directory.path = full;
        directory.filesRecorded = recorded;
        directory.files = files;
        directories.push_back(directory);
    };
    for (const InstallationRecord& installation : record.installations)
        add(installation.directory, true, installation.files);
    if (!record.installedPath.empty())
        add(record.installedPath, false, std::vector<InstalledFile>());
    // A directory inside another is emptied before its parent is looked at.
    std::stable_sort(directories.begin(), directories.end(),
                     [](const InstalledDirectory& a, const InstalledDirectory& b) { return a.path.size() > b.path.size(); });
    return directories;
}

bool DeleteRegistryTree(HKEY root, const char* path)
{
    HKEY key;
    LONG status = RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &key);
    if (status == ERROR_FILE_NOT_FOUND)
        return true;
    if (status != ERROR_SUCCESS)
        return false;
    char name[256];
    for (;;) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, 0, name, &length, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        if (!DeleteRegistryTree(key, name))
            break;
    }
    RegCloseKey(key);
    status = RegDeleteKeyA(root, path);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

void DeleteInstallRecord(RemovalReport& report)
{
    if (!DeleteRegistryTree(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH))
        report.Fail("HKEY_LOCAL_MACHINE\\" SETTINGS_KEY_PATH);
    if (!DeleteRegistryTree(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_KEY))
        report.Fail("HKEY_LOCAL_MACHINE\\" UNINSTALL_ENTRY_KEY);
    if (KeyIsEmpty(HKEY_LOCAL_MACHINE, VENDOR_KEY))
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, VENDOR_KEY);
}
