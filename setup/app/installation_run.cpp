// The installation run: builds every path, copies and registers the chosen
// parts, reports success and ends the setup.
#include <string>

#include "installation_plan.h"
#include "installation_steps.h"
#include "marlo_view.h"
#include "shell_copy.h"

namespace {

const char kProductTitle[] = "Economiseur d'\xE9" "cran VRX2";
const char kInstalledMessage[] = "Fichiers inst. correctement.";
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

    int result = InstallChosenParts(m_hWnd, m_optionsDlg.installSound, m_optionsDlg.installSaver, plan,
                                    CopyThroughShell);
    if (result == 0)
        MessageBox(kInstalledMessage, kProductTitle, MB_OK | MB_ICONINFORMATION);
    ::PostQuitMessage(0);
    return TRUE;
}
