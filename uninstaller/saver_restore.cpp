// Restoring the screen saver that was active before the installation. The
// entry is compared by long and by short name: the display settings of the
// Windows 95 family write the saver's short name.
#include "saver_restore.h"

#include <windows.h>

#include "command_line.h"
#include "file_removal.h"

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

// A saver named without a directory is looked for where Windows finds it.
bool SaverFileExists(const std::string& name)
{
    std::string path = name;
    if (name.find('\\') == std::string::npos) {
        char found[MAX_PATH];
        DWORD length = SearchPathA(NULL, name.c_str(), NULL, MAX_PATH, found, NULL);
        if (length == 0 || length >= MAX_PATH)
            return false;
        path.assign(found, length);
    }
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::string InstalledSaverPath() { return WindowsDirectory() + "\\VRXSaver.scr"; }

bool IsOurSaverFile(const std::string& path)
{
    HMODULE file = LoadLibraryExA(path.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (!file)
        return false;
    bool ours = false;
    HRSRC found = FindResourceA(file, MAKEINTRESOURCEA(VS_VERSION_INFO), MAKEINTRESOURCEA(16));
    HGLOBAL loaded = found ? LoadResource(file, found) : NULL;
    const BYTE* block = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : NULL;
    if (block) {
        // The version block's texts are UTF-16; our saver carries the product's name.
        static const char kProduct[] = "Quandrel VRX 2 Screen Saver";
        std::string wide;
        for (const char* c = kProduct; *c; ++c) {
            wide.push_back(*c);
            wide.push_back('\0');
        }
        std::string bytes(reinterpret_cast<const char*>(block), SizeofResource(file, found));
        ours = bytes.find(wide) != std::string::npos;
    }
    FreeLibrary(file);
    return ours;
}

void RemoveInstalledSaver(RemovalReport& report)
{
    std::string saver = InstalledSaverPath();
    if (IsOurSaverFile(saver))
        RemoveInstalledFile(saver, report);
}

void RestorePreviousSaver(const InstallRecord& record, RemovalReport& report)
{
    std::string ours = InstalledSaverPath();
    std::string active = ActiveSaver();
    if (!SamePath(active, ours))
        return;

    // "None" means there was no entry. A saver that is not there any more, a
    // name cut short when it was stored, or our own saver (a second
    // installation records it) cannot be named again: the entry is removed
    // and the user told.
    bool none = record.previousSaverKnown && (record.previousSaver == "None" || record.previousSaver.empty());
    bool restore = record.previousSaverKnown && !none && !SamePath(record.previousSaver, ours) &&
                   SaverFileExists(record.previousSaver);
    if (!none && !restore)
        report.previousSaverLost = true;
    const char* value = restore ? record.previousSaver.c_str() : NULL;
    WritePrivateProfileStringA(kSection, kEntry, value, kIniFile);

    std::string now = ActiveSaver();
    bool written = restore ? now == record.previousSaver : now.empty();
    if (!written)
        report.Fail(std::string(kIniFile) + " [" + kSection + "] " + kEntry);
}
