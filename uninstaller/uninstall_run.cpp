// The order of a removal: check the command line against the records, ask,
// give back the screen saver, remove the sound scheme, delete the recorded
// files and the folders left empty, and only when all of that succeeded
// delete the records and schedule the program's own removal.
#include "uninstall_run.h"

#include <windows.h>

#include "file_removal.h"
#include "installation_record.h"
#include "install_record.h"
#include "removal_report.h"
#include "res/resource.h"
#include "saver_restore.h"
#include "self_removal.h"
#include "sound_scheme_removal.h"
#include "user_settings_removal.h"

namespace {

int Refuse(const UninstallCommand& command, const std::string& text)
{
    if (!command.silent)
        ShowUninstallMessage(text, MB_OK | MB_ICONEXCLAMATION);
    return UNINSTALL_NOTHING_DONE;
}

// The directories for the question: "A", "A et B", "A, B et C".
std::string FolderList(const std::vector<InstalledDirectory>& directories)
{
    std::string text;
    for (size_t i = 0; i < directories.size(); ++i) {
        if (i > 0)
            text += i + 1 == directories.size() ? LoadText(IDS_AND) : std::string(", ");
        text += directories[i].path;
    }
    return text;
}

// What is taken back is decided from what is there: our saver where
// system.ini or the Windows directory still has it, the scheme where it is
// registered, and every directory of the product.
void RemoveEverything(const InstallRecord& record, const std::vector<InstalledDirectory>& directories,
                      RemovalReport& report)
{
    RestorePreviousSaver(record, report);
    RemoveInstalledSaver(report);
    std::vector<std::string> soundFolders;
    for (const InstalledDirectory& directory : directories)
        soundFolders.push_back(directory.path + "\\sounds");
    RemoveSoundScheme(soundFolders, report);
    for (const InstalledDirectory& directory : directories)
        RemoveInstalledDirectory(directory, report);
}

bool IsInstalledDirectory(const std::vector<InstalledDirectory>& directories, const std::string& path)
{
    for (const InstalledDirectory& directory : directories)
        if (SameDirectory(directory.path, path))
            return true;
    return false;
}

}  // namespace

int RunUninstall(const UninstallCommand& command)
{
    if (!command.unknownSwitch.empty())
        return Refuse(command, FillIn(LoadText(IDS_UNKNOWN_SWITCH), command.unknownSwitch));

    // Two removals at once would report each other's work as failures.
    HANDLE running = CreateMutexA(NULL, FALSE, "Quandrel.VRX2SS.Uninstall");
    if (running && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(running);
        return Refuse(command, LoadText(IDS_ALREADY_RUNNING));
    }

    int result = UNINSTALL_NOTHING_DONE;
    InstallRecord record = ReadInstallRecord();
    std::vector<InstalledDirectory> directories = InstalledDirectories(record);
    std::string named = WithoutTrailingBackslash(command.installedPath);
    if (!record.settingsKeyFound && !record.uninstallEntryFound) {
        Refuse(command, LoadText(IDS_NOT_INSTALLED));
    } else if (!named.empty() && !IsUsableInstalledPath(named)) {
        Refuse(command, FillIn(LoadText(IDS_BAD_PATH), named));
    } else if (!named.empty() && !IsInstalledDirectory(directories, named)) {
        Refuse(command, FillIn(LoadText(IDS_FOREIGN_PATH), named));
    } else if (!command.silent &&
               ShowUninstallMessage(directories.empty() ? LoadText(IDS_CONFIRM_NO_FOLDER)
                                                        : FillIn(LoadText(IDS_CONFIRM), FolderList(directories)),
                                    MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
        result = UNINSTALL_DECLINED;
    } else {
        RemovalReport report;
        RemoveEverything(record, directories, report);
        if (report.Succeeded())
            DeleteInstallRecord(report);
        if (report.Succeeded())
            RemoveUserSettings(report);
        if (report.Succeeded())
            ScheduleSelfRemoval(report);
        if (!command.silent)
            ShowUninstallMessage(ComposeReport(report),
                                 MB_OK | (report.Succeeded() ? MB_ICONINFORMATION : MB_ICONEXCLAMATION));
        result = report.Succeeded() ? UNINSTALL_DONE : UNINSTALL_INCOMPLETE;
    }
    if (running)
        CloseHandle(running);
    return result;
}
