// The order of a removal: ask, give back the screen saver, remove the sound
// scheme, delete the files and the folders left empty, and only when all of
// that succeeded delete the records and schedule the program's own removal.
#include "uninstall_run.h"

#include <windows.h>

#include "file_removal.h"
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

void RemoveEverything(const InstallRecord& record, const std::string& installedPath, RemovalReport& report)
{
    if (record.saverInstalled) {
        RestorePreviousSaver(record, report);
        RemoveInstalledFile(InstalledSaverPath(), report);
    }
    if (record.soundsInstalled) {
        std::string sounds = installedPath + "\\sounds";
        RemoveSoundScheme(sounds, report);
        RemoveSoundFiles(sounds, report);
        RemoveFolderIfEmpty(sounds, report);
    }
    if (record.saverInstalled) {
        std::string pictures = installedPath + "\\pictures";
        if (record.pictureListFound)
            RemoveListedPictures(pictures, record.pictureNames, report);
        else
            RemovePictureFiles(pictures, report);
        RemoveFolderIfEmpty(pictures, report);
    }
    RemoveFolderIfEmpty(installedPath, report);
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
    std::string installedPath =
        WithoutTrailingBackslash(command.installedPath.empty() ? record.installedPath : command.installedPath);
    if (!record.settingsKeyFound && !record.uninstallEntryFound) {
        Refuse(command, LoadText(IDS_NOT_INSTALLED));
    } else if (!IsUsableInstalledPath(installedPath) && (record.saverInstalled || record.soundsInstalled)) {
        Refuse(command, FillIn(LoadText(IDS_BAD_PATH), installedPath));
    } else if (!command.silent &&
               ShowUninstallMessage(FillIn(LoadText(IDS_CONFIRM), installedPath),
                                    MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
        result = UNINSTALL_DECLINED;
    } else {
        RemovalReport report;
        if (IsUsableInstalledPath(installedPath))
            RemoveEverything(record, installedPath, report);
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
