// Deleting the uninstaller itself after the removal: MoveFileExA with
// MOVEFILE_DELAY_UNTIL_REBOOT, which needs no helper process.
#include "self_removal.h"

#include <windows.h>

#include <string>

#include "command_line.h"

void ScheduleSelfRemoval(RemovalReport& report)
{
    char module[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, module, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    std::string self(module, length);
    size_t slash = self.find_last_of('\\');
    if (slash == std::string::npos)
        return;

    char windows[MAX_PATH];
    UINT windowsLength = GetWindowsDirectoryA(windows, MAX_PATH);
    if (windowsLength == 0 || windowsLength >= MAX_PATH)
        return;
    std::string windowsDirectory = WithoutTrailingBackslash(std::string(windows, windowsLength));
    if (lstrcmpiA(self.substr(0, slash).c_str(), windowsDirectory.c_str()) != 0)
        return;

    report.selfPath = self;
    report.selfRemovalScheduled = MoveFileExA(self.c_str(), NULL, MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE;
}
