// Restoring the screen saver that was active before the installation. The
// entry is compared by long and by short name: the display settings of the
// Windows 95 family write the saver's short name.
#include "saver_restore.h"

#include <windows.h>

#include "command_line.h"

namespace {

const char kIniFile[] = "system.ini";
const char kSection[] = "boot";
const char kEntry[] = "SCRNSAVE.EXE";

std::string WindowsDirectory()
{
    char buffer[MAX_PATH];
    UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    return WithoutTrailingBackslash(std::string(buffer, length));
}

std::string ShortName(const std::string& path)
{
    char buffer[MAX_PATH];
    DWORD length = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    return std::string(buffer, length);
}

bool SamePath(const std::string& a, const std::string& b)
{
    if (a.empty() || b.empty())
        return false;
    if (lstrcmpiA(a.c_str(), b.c_str()) == 0)
        return true;
    std::string shortA = ShortName(a);
    return !shortA.empty() && lstrcmpiA(shortA.c_str(), ShortName(b).c_str()) == 0;
}

std::string ActiveSaver()
{
    char buffer[MAX_PATH];
    DWORD length = GetPrivateProfileStringA(kSection, kEntry, "", buffer, MAX_PATH, kIniFile);
    return std::string(buffer, length);
}

}  // namespace

std::string InstalledSaverPath() { return WindowsDirectory() + "\\VRXSaver.scr"; }

void RestorePreviousSaver(const InstallRecord& record, RemovalReport& report)
{
    std::string ours = InstalledSaverPath();
    std::string active = ActiveSaver();
    if (!SamePath(active, ours))
        return;

    // "None" means there was no entry. A second installation records our own
    // saver as the previous one; naming it again would point at a deleted file.
    std::string previous = record.previousSaverKnown ? record.previousSaver : std::string("None");
    bool removeEntry = previous.empty() || previous == "None" || SamePath(previous, ours);
    const char* value = removeEntry ? NULL : previous.c_str();
    WritePrivateProfileStringA(kSection, kEntry, value, kIniFile);

    std::string now = ActiveSaver();
    bool restored = removeEntry ? now.empty() : now == previous;
    if (!restored)
        report.Fail(std::string(kIniFile) + " [" + kSection + "] " + kEntry);
}
