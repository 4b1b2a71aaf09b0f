// The saver activation: system.ini [boot] SCRNSAVE.EXE through the profile
// functions, and the previous saver in the settings key.
#include "saver_activation.h"

#include "install_paths.h"
#include "settings_store.h"

void ActivateScreenSaver(BOOL copiesSucceeded)
{
    char previous[PREVIOUS_SAVER_CHARS];
    ::GetPrivateProfileStringA("boot", "SCRNSAVE.EXE", "None", previous, sizeof previous, "system.ini");
    // Stored like the other texts of the settings key, without its NUL.
    WriteInstallMarker(SETTING_PREVIOUS_SAVER, previous);

    char windows[MAX_PATH];
    UINT length = ::GetWindowsDirectoryA(windows, MAX_PATH);
    char saverPath[MAX_PATH];
    // A saver path that cannot be built whole is not written at all.
    if (length == 0 || length >= MAX_PATH || !JoinInstallPath(saverPath, windows, "\\" SAVER_FILE_NAME))
        return;
    if (copiesSucceeded)
        ::WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", saverPath, "system.ini");
}
