// Building the paths of an installation run.
#include "installation_plan.h"

#include <string.h>

#include "install_paths.h"

namespace {

// Joins directory (one trailing backslash removed) and tail into buffer; on
// failure records the whole path that did not fit.
BOOL Join(char* buffer, const char* directory, const char* tail, std::string* overlong)
{
    if (JoinInstallPath(buffer, directory, tail))
        return TRUE;
    if (overlong) {
        std::string whole(directory);
        if (!whole.empty() && whole[whole.size() - 1] == '\\')
            whole.erase(whole.size() - 1);
        *overlong = whole + tail;
    }
    return FALSE;
}

BOOL JoinList(char* buffer, const char* directory, const char* tail, std::string* overlong)
{
    if (!Join(buffer, directory, tail, overlong)) {
        buffer[1] = '\0';
        return FALSE;
    }
    buffer[strlen(buffer) + 1] = '\0';
    return TRUE;
}

// buffer := text unchanged, when it fits.
BOOL Copy(char* buffer, const char* text, std::string* overlong)
{
    size_t length = strlen(text);
    if (length >= MAX_PATH) {
        if (overlong)
            *overlong = text;
        buffer[0] = '\0';
        return FALSE;
    }
    memcpy(buffer, text, length + 1);
    return TRUE;
}

}  // namespace

BOOL BuildInstallationPlan(InstallationPlan* plan, const char* destination, const char* source,
                           const char* windowsDirectory, const char* currentDirectory, std::string* overlong)
{
    ZeroMemory(plan, sizeof *plan);
    const char* target = IsAbsolutePath(destination) ? destination : currentDirectory;
    if (!Copy(plan->windowsDirectory, windowsDirectory, overlong) || !Join(plan->installedPath, target, "", overlong))
        return FALSE;
    // Names are appended to the destination as given, one trailing backslash
    // removed, like the installed path itself. The uninstaller goes beside the
    // Windows directory's name as returned; the saver's copy goes to that
    // directory trimmed, and system.ini will name it there, so that name must
    // fit as well.
    std::string uninstaller = std::string(windowsDirectory) + "\\ssunins.exe";
    char activeSaver[MAX_PATH];
    return Join(plan->soundDirectory, target, "\\sounds", overlong) &&
           Join(plan->pictureDirectory, target, "\\pictures", overlong) &&
           JoinList(plan->soundsFrom, source, "\\sounds\\*.wav", overlong) &&
           JoinList(plan->soundsTo, target, "\\sounds", overlong) &&
           JoinList(plan->picturesFrom, source, "\\pictures\\*.bmp", overlong) &&
           JoinList(plan->picturesTo, target, "\\pictures", overlong) &&
           JoinList(plan->saverFrom, source, "\\pictures\\VRXSaver.scr", overlong) &&
           JoinList(plan->saverTo, windowsDirectory, "", overlong) &&
           Join(activeSaver, windowsDirectory, "\\VRXSaver.scr", overlong) &&
           Join(plan->uninstallerFrom, source, "\\pictures\\ssunins.exe", overlong) &&
           Copy(plan->uninstallerTo, uninstaller.c_str(), overlong);
}
