// The unattended installation: checks that change nothing come first (the
// command line, the medium, the destination), then the interactive run's
// work with copies that show nothing, then what that work left is read back.
#include "silent_installation.h"

#include <windows.h>

#include <string.h>

#include <vector>

#include "install_paths.h"
#include "installation_plan.h"
#include "installation_record.h"
#include "installation_steps.h"
#include "product_version.h"
#include "saver_activation.h"
#include "settings_store.h"
#include "setup_log.h"
#include "shell_copy.h"
#include "sound_events.h"
#include "uninstall_entry.h"

namespace {

SetupLog* g_log = NULL;

void Log(const std::string& text)
{
    if (g_log)
        g_log->Line(text);
}

int Finish(int code, const char* outcome)
{
    Log(std::string(outcome) + "; exit code " + std::to_string(code));
    return code;
}

bool IsFile(const std::string& path)
{
    FileStamp stamp;
    return ReadFileStamp(path, &stamp);
}

bool IsDirectory(const std::string& path)
{
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Names of the plain files that pattern ("...\pictures\*.bmp") matches.
std::vector<std::string> FilesMatching(const char* pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return names;
}

std::string Below(const char* directory, const std::string& tail)
{
    char path[MAX_PATH];
    return JoinInstallPath(path, directory, tail.c_str()) ? std::string(path) : std::string(directory) + tail;
}

std::string QueryText(HKEY root, const char* keyPath, const char* name)
{
    HKEY key;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::string();
    char text[MAX_PATH + 1] = "";
    DWORD size = MAX_PATH;
    DWORD type = REG_NONE;
    LONG status = RegQueryValueExA(key, name, NULL, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return std::string();
    return std::string(text, strnlen(text, size));
}

void ExpectCopy(const std::string& from, const std::string& to, std::vector<std::string>* shortfalls)
{
    FileStamp source, copy;
    if (!ReadFileStamp(from, &source) || !ReadFileStamp(to, &copy) || source.size != copy.size)
        shortfalls->push_back("Not copied: " + from + " to " + to);
}

// The shell's copy without its progress, questions or error messages. Each
// file the source names is then looked for in the target directory: a shell
// that reports success for a file it could not replace still counts as
// failed, so that the saver is not made active without all of its pictures.
int CopySilently(HWND owner, const char* from, const char* to, FILEOP_FLAGS, const char*)
{
    int result = CopyThroughShell(owner, from, to, COPY_SILENT_FLAGS, "");
    if (result != 0) {
        Log("Copy failed with error " + std::to_string(result) + ": " + from + " to " + to);
        return result;
    }
    std::string pattern(from);
    std::string directory = pattern.substr(0, pattern.find_last_of('\\'));
    std::vector<std::string> shortfalls;
    for (const std::string& name : FilesMatching(from))
        ExpectCopy(directory + "\\" + name, std::string(to) + "\\" + name, &shortfalls);
    for (const std::string& shortfall : shortfalls)
        Log(shortfall);
    if (!shortfalls.empty())
        return ERROR_PARTIAL_COPY;
    Log(std::string("Copied ") + from + " to " + to);
    return 0;
}

// What the chosen parts need on the medium that it lacks.
std::vector<std::string> MissingFromMedium(const SilentCommand& command, const std::string& medium)
{
    std::vector<std::string> missing;
    auto need = [&](const std::string& path) {
        if (!IsFile(path))
            missing.push_back(path);
    };
    std::string sounds = Below(medium.c_str(), "\\sounds");
    std::string pictures = Below(medium.c_str(), "\\pictures");
    if (command.installSound)
        for (const SoundEvent& event : g_soundEvents)
            need(sounds + event.suffix);
    if (command.installSaver) {
        if (FilesMatching((pictures + "\\*.bmp").c_str()).empty())
            missing.push_back(pictures + "\\*.bmp");
        need(pictures + "\\" SAVER_FILE_NAME);
    }
    need(pictures + "\\" UNINSTALLER_FILE_NAME);
    return missing;
}

// Why the destination cannot take the chosen parts, or empty: neither it nor
// the directories the copies fill may be files, which a copy that replaces
// without asking would overwrite.
std::string DestinationConflict(const SilentCommand& command, const InstallationPlan& plan)
{
    std::vector<std::string> directories = {plan.installedPath};
    if (command.installSound)
        directories.push_back(plan.soundDirectory);
    if (command.installSaver)
        directories.push_back(plan.pictureDirectory);
    for (const std::string& directory : directories)
        if (Exists(directory) && !IsDirectory(directory))
            return "Not a directory but a file: " + directory;
    return std::string();
}

// Makes the destination with the levels above it; when it cannot, takes the
// levels it made away again.
bool CreateDestination(const char* path)
{
    std::vector<std::string> made;
    BOOL created = EnsureDirectory(path, &made);
    for (const std::string& level : made)
        Log("Created " + level);
    if (created)
        return true;
    Log("Cannot create the destination " + std::string(path));
    for (auto level = made.rbegin(); level != made.rend(); ++level)
        ::RemoveDirectoryA(level->c_str());
    return false;
}

// Reads back what the run wrote besides the shell's copies (which
// CopySilently checks) and names what is not as it should be.
std::vector<std::string> Shortfalls(const SilentCommand& command, const InstallationPlan& plan)
{
    std::vector<std::string> shortfalls;
    if (command.installSound) {
        if (QueryText(HKEY_CURRENT_USER, SOUND_SCHEMES_KEY, "") != SOUND_SCHEME_KEY_NAME)
            shortfalls.push_back("The sound scheme \"" SOUND_SCHEME_KEY_NAME "\" is not the current one");
    }
    if (command.installSaver) {
        std::string saver = Below(plan.windowsDirectory, "\\" SAVER_FILE_NAME);
        char active[MAX_PATH] = "";
        ::GetPrivateProfileStringA("boot", "SCRNSAVE.EXE", "", active, sizeof active, "system.ini");
        if (lstrcmpiA(active, saver.c_str()) != 0)
            shortfalls.push_back("system.ini does not name " + saver + " as the screen saver");
    }
    ExpectCopy(plan.uninstallerFrom, plan.uninstallerTo, &shortfalls);
    char installed[MAX_PATH];
    ZeroMemory(installed, sizeof installed);
    LONG fullscreen = 0, updateRate = 0;
    ReadSaverSettings(installed, &fullscreen, &updateRate);
    if (strcmp(installed, plan.installedPath) != 0)
        shortfalls.push_back("The settings key does not hold \"" SETTING_INSTALLED_PATH "\" = " +
                             std::string(plan.installedPath));
    if (QueryText(HKEY_LOCAL_MACHINE, UNINSTALL_KEY_PATH, "InstallLocation") != plan.installedPath ||
        QueryText(HKEY_LOCAL_MACHINE, UNINSTALL_KEY_PATH, "UninstallString").empty())
        shortfalls.push_back("The uninstall entry HKEY_LOCAL_MACHINE\\" UNINSTALL_KEY_PATH " is incomplete");
    return shortfalls;
}

std::string PartsText(const SilentCommand& command)
{
    if (command.installSaver && command.installSound)
        return "the screen saver with its pictures, and the sound scheme";
    return command.installSaver ? "the screen saver with its pictures" : "the sound scheme";
}

int Install(const SilentCommand& command, const std::string& medium)
{
    Log("Medium: " + medium);
    Log("Destination: " + command.destination);
    Log("Installing " + PartsText(command));

    char windows[MAX_PATH];
    UINT windowsLength = ::GetWindowsDirectoryA(windows, MAX_PATH);
    if (windowsLength == 0 || windowsLength >= MAX_PATH)
        return Finish(SILENT_EXIT_FAILED, "The Windows directory cannot be read; nothing was installed");
    InstallationPlan plan;
    std::string overlong;
    if (!BuildInstallationPlan(&plan, command.destination.c_str(), medium.c_str(), windows,
                               command.destination.c_str(), &overlong)) {
        Log("Path too long (259 characters at most): " + overlong);
        return Finish(SILENT_EXIT_FAILED, "Nothing was installed");
    }
    std::vector<std::string> missing = MissingFromMedium(command, medium);
    for (const std::string& path : missing)
        Log("Missing on the medium: " + path);
    if (!missing.empty())
        return Finish(SILENT_EXIT_FAILED, "Nothing was installed");
    std::string conflict = DestinationConflict(command, plan);
    if (!conflict.empty()) {
        Log(conflict);
        return Finish(SILENT_EXIT_FAILED, "Nothing was installed");
    }
    if (!CreateDestination(plan.installedPath))
        return Finish(SILENT_EXIT_FAILED, "Nothing was installed");

    int copies = InstallChosenParts(NULL, command.installSound, command.installSaver, plan, CopySilently);
    std::vector<std::string> shortfalls = Shortfalls(command, plan);
    for (const std::string& shortfall : shortfalls)
        Log(shortfall);
    if (copies != 0 || !shortfalls.empty())
        return Finish(SILENT_EXIT_FAILED,
                      "The installation is incomplete; the uninstall entry's command removes what was installed");
    if (command.installSaver)
        Log("Active screen saver: " + Below(windows, "\\" SAVER_FILE_NAME));
    if (command.installSound)
        Log("Current sound scheme: " SOUND_SCHEME_KEY_NAME);
    Log(std::string("Uninstaller: ") + plan.uninstallerTo);
    Log("Uninstall entry: HKEY_LOCAL_MACHINE\\" UNINSTALL_KEY_PATH);
    return Finish(SILENT_EXIT_INSTALLED, "Installed");
}

}  // namespace

std::string ProgramDirectory()
{
    char path[MAX_PATH];
    DWORD length = ::GetModuleFileNameA(NULL, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    std::string directory(path, length);
    size_t slash = directory.find_last_of('\\');
    if (slash == std::string::npos)
        return std::string();
    // A drive's root keeps its backslash ("D:\"), as the medium's root on a CD.
    return directory.substr(0, slash == 2 ? slash + 1 : slash);
}

int RunSilentInstallation(const SilentCommand& command, const std::string& medium)
{
    SetupLog log;
    if (!command.logFile.empty() && !log.Open(command.logFile))
        return SILENT_EXIT_NOT_UNDERSTOOD;
    g_log = &log;
    Log("VRX2 Screen Saver setup " PRODUCT_VERSION_TEXT ", unattended");
    int code;
    if (!command.error.empty()) {
        Log("Command line not understood: " + command.error);
        code = Finish(SILENT_EXIT_NOT_UNDERSTOOD, "Nothing was installed");
    } else if (medium.empty()) {
        code = Finish(SILENT_EXIT_FAILED, "The program's own directory cannot be read; nothing was installed");
    } else {
        code = Install(command, medium);
    }
    g_log = NULL;
    return code;
}
