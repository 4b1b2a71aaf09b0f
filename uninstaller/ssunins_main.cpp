// Entry of ssunins.exe, the product's uninstaller.
#include <windows.h>

#include "command_line.h"
#include "uninstall_run.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char module[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, module, MAX_PATH);
    if (length >= MAX_PATH)
        length = 0;
    module[length] = '\0';
    UninstallCommand command = ParseUninstallArguments(ArgumentsAfterProgramName(GetCommandLineA(), module));
    return RunUninstall(command);
}
