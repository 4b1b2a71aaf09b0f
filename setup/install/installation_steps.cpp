// The installation run's copies and registrations.
#include "installation_steps.h"

#include "copied_files.h"
#include "install_paths.h"
#include "saver_activation.h"
#include "settings_store.h"
#include "shell_copy.h"
#include "sound_scheme.h"
#include "uninstall_entry.h"
#include "uninstaller_copy.h"

namespace {

const char kSoundsProgressTitle[] = "Inst. config. son";
const char kPicturesProgressTitle[] = "Inst. fichiers \xE9" "conom. \xE9" "cran";

}  // namespace

int InstallChosenParts(HWND owner, BOOL installSound, BOOL installSaver, const InstallationPlan& plan,
                       ShellCopyFunction copy)
{
    WriteInstallMarker(SETTING_SOUND_INSTALLED, "No");
    WriteInstallMarker(SETTING_SAVER_INSTALLED, "No");
    int result = 0;
    if (installSound) {
        // Made beforehand: a pattern matching one file into a missing
        // directory would otherwise become a file of that name under Wine.
        EnsureDirectory(plan.soundDirectory);
        CopySurvey sounds = SurveyCopy(plan.soundsFrom, plan.soundDirectory, "sounds");
        result |= copy(owner, plan.soundsFrom, plan.soundsTo, COPY_ASKING_FLAGS, kSoundsProgressTitle);
        RecordCopiedFiles(plan.installedPath, sounds);
        RegisterSoundScheme(plan.soundDirectory);
        WriteInstallMarker(SETTING_SOUND_INSTALLED, "Yes");
    }
    if (installSaver) {
        EnsureDirectory(plan.pictureDirectory);
        CopySurvey pictures = SurveyCopy(plan.picturesFrom, plan.pictureDirectory, "pictures");
        result |= copy(owner, plan.picturesFrom, plan.picturesTo, COPY_ASKING_FLAGS, kPicturesProgressTitle);
        RecordCopiedFiles(plan.installedPath, pictures);
        result |= copy(owner, plan.saverFrom, plan.saverTo, COPY_REPLACING_FLAGS, "");
        ActivateScreenSaver(result == 0);
        WriteInstallMarker(SETTING_SAVER_INSTALLED, "Yes");
    }
    CopyUninstaller(plan.uninstallerFrom, plan.uninstallerTo);
    WriteSaverSettings(plan.installedPath, 0, 10);
    WriteUninstallEntry(plan.installedPath);
    WriteUninstallDetails(plan);
    return result;
}
