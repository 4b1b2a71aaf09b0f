// The uninstall entry under HKEY_LOCAL_MACHINE; its texts are REG_SZ values
// stored with one terminating NUL.
#include "uninstall_entry.h"

#include <string.h>

#include <string>

namespace {

void SetTextWithNul(HKEY key, const char* name, const char* text)
{
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(strlen(text) + 1));
}

}  // namespace

BOOL WriteUninstallEntry(const char* installedPath)
{
    HKEY key = NULL;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY_PATH, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        NULL, &key, NULL) != ERROR_SUCCESS)
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
