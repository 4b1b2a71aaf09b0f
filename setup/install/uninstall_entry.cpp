// The uninstall entry under HKEY_LOCAL_MACHINE; its texts are REG_SZ values
// stored with one terminating NUL.
#include "uninstall_entry.h"

#include <string.h>

#include <string>
#include <vector>

#include "install_paths.h"
#include "installation_record.h"
#include "product_version.h"
#include "saver_activation.h"

namespace {

void SetTextWithNul(HKEY key, const char* name, const char* text)
{
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(strlen(text) + 1));
}

void SetNumber(HKEY key, const char* name, DWORD number)
{
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
}

HKEY CreateEntryKey()
{
    HKEY key = NULL;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY_PATH, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        NULL, &key, NULL) != ERROR_SUCCESS)
        return NULL;
    return key;
}

ULONGLONG FileSize(const std::string& path)
{
    FileStamp stamp;
    return ReadFileStamp(path, &stamp) ? stamp.size : 0;
}

}  // namespace

BOOL WriteUninstallEntry(const char* installedPath)
{
    HKEY key = CreateEntryKey();
    if (!key)
        return TRUE;
    SetTextWithNul(key, "DisplayName", UNINSTALL_DISPLAY_NAME);

    char windows[MAX_PATH];
    UINT length = ::GetWindowsDirectoryA(windows, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        // A command line, not a path: it may exceed MAX_PATH and is never cut.
        std::string command(windows);
        command += "\\" UNINSTALLER_FILE_NAME " ";
        command += installedPath;
        SetTextWithNul(key, "UninstallString", command.c_str());
    }
    RegFlushKey(key);
    RegCloseKey(key);
    return TRUE;
}

void WriteUninstallDetails(const InstallationPlan& plan)
{
    HKEY key = CreateEntryKey();
    if (!key)
        return;
    SetTextWithNul(key, "DisplayIcon", (std::string(plan.uninstallerTo) + ",0").c_str());
    SetTextWithNul(key, "DisplayVersion", PRODUCT_VERSION_TEXT);
    SetTextWithNul(key, "Publisher", UNINSTALL_PUBLISHER);
    SetTextWithNul(key, "InstallLocation", plan.installedPath);
    SetNumber(key, "EstimatedSize", InstalledKilobytes(plan.windowsDirectory));
    SetNumber(key, "NoModify", 1);
    SetNumber(key, "NoRepair", 1);
    RegFlushKey(key);
    RegCloseKey(key);
}

DWORD InstalledKilobytes(const char* windowsDirectory)
{
    ULONGLONG bytes = 0;
    std::vector<InstallationRecord> records;
    if (ReadInstallationRecords(&records))
        for (const InstallationRecord& record : records)
            for (const InstalledFile& file : record.files)
                bytes += file.stamp.size;
    char program[MAX_PATH];
    if (JoinInstallPath(program, windowsDirectory, "\\" SAVER_FILE_NAME))
        bytes += FileSize(program);
    if (JoinInstallPath(program, windowsDirectory, "\\" UNINSTALLER_FILE_NAME))
        bytes += FileSize(program);
    ULONGLONG kilobytes = (bytes + 1023) / 1024;
    return kilobytes > 0xFFFFFFFFull ? 0xFFFFFFFFul : static_cast<DWORD>(kilobytes);
}
