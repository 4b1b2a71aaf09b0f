// The installation run: the shell copies of sounds, pictures and saver, the
// uninstaller copy, the registrations and settings, the closing message.
#include <string>

#include "install_paths.h"
#include "installation_plan.h"
#include "marlo_view.h"
#include "saver_activation.h"
#include "settings_store.h"
#include "shell_copy.h"
#include "sound_scheme.h"
#include "uninstall_entry.h"
#include "uninstaller_copy.h"

namespace {

const char kProductTitle[] = "Economiseur d'\xE9" "cran VRX2";
const char kInstalledMessage[] = "Fichiers inst. correctement.";
const char kSoundsProgressTitle[] = "Inst. config. son";
const char kPicturesProgressTitle[] = "Inst. fichiers \xE9" "conom. \xE9" "cran";
const char kPathTooLong[] =
    "Chemin trop long (259 caract\xE8res au plus), rien n'a \xE9t\xE9 install\xE9 :\n";

}  // namespace

BOOL CMarloView::RunInstallation(const char* destination, const char* source)
{
    char windows[MAX_PATH];
    UINT windowsLength = ::GetWindowsDirectoryA(windows, MAX_PATH);
    if (windowsLength == 0 || windowsLength >= MAX_PATH)
        windows[0] = '\0';
    // The destination dialog has made the accepted directory current, so the
    // current directory is the full form of a relative destination.
    char current[MAX_PATH];
    DWORD currentLength = ::GetCurrentDirectoryA(MAX_PATH, current);
    if (currentLength == 0 || currentLength >= MAX_PATH)
        current[0] = '\0';

    InstallationPlan plan;
    std::string overlong;
    if (windows[0] == '\0' ||
        !BuildInstallationPlan(&plan, destination, source, windows, current, &overlong)) {
        // Nothing is written when a path cannot be built whole.
        std::string text = std::string(kPathTooLong) + overlong;
        MessageBox(text.c_str(), kProductTitle, MB_OK | MB_ICONEXCLAMATION);
        ::PostQuitMessage(0);
        return TRUE;
    }

    WriteInstallMarker(SETTING_SOUND_INSTALLED, "No");
    WriteInstallMarker(SETTING_SAVER_INSTALLED, "No");
    int result = 0;
    if (m_optionsDlg.installSound) {
        // Made beforehand: a pattern matching one file into a missing
        // directory would otherwise become a file of that name under Wine.
        EnsureDirectory(plan.soundDirectory);
        result |= CopyThroughShell(m_hWnd, plan.soundsFrom, plan.soundsTo, COPY_ASKING_FLAGS, kSoundsProgressTitle);
        RegisterSoundScheme(plan.soundDirectory);
        WriteInstallMarker(SETTING_SOUND_INSTALLED, "Yes");
    }
    if (m_optionsDlg.installSaver) {
        EnsureDirectory(plan.pictureDirectory);
        result |= CopyThroughShell(m_hWnd, plan.picturesFrom, plan.picturesTo, COPY_ASKING_FLAGS,
                                   kPicturesProgressTitle);
        result |= CopyThroughShell(m_hWnd, plan.saverFrom, plan.saverTo, COPY_REPLACING_FLAGS, "");
        ActivateScreenSaver(result == 0);
        WriteInstallMarker(SETTING_SAVER_INSTALLED, "Yes");
    }
    CopyUninstaller(plan.uninstallerFrom, plan.uninstallerTo);
    WriteSaverSettings(plan.installedPath, 0, 10);
    WriteUninstallEntry(plan.installedPath);
    if (result == 0)
        MessageBox(kInstalledMessage, kProductTitle, MB_OK | MB_ICONINFORMATION);
    ::PostQuitMessage(0);
    return TRUE;
}
