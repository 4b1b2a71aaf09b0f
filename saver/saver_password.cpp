// The platform's password components: PASSWORD.CPL verifies the screen-saver
// password, MPR.DLL changes it. Both are loaded by name and are optional.
#include "saver_procs.h"

#include "saver_modes.h"
#include "saver_runtime.h"

typedef DWORD(WINAPI* PwdChangePasswordProc)(LPCSTR provider, HWND parent, DWORD reserved1, DWORD reserved2);

SystemParametersInfoProc SaverSystemParametersInfo = SystemParametersInfoA;

BOOL SetSaverRunning(BOOL running)
{
    if (!SaverRuntime.IsWin95Family)
        return FALSE;
    UINT previous = 0;
    return SaverSystemParametersInfo(SPI_SETSCREENSAVERRUNNING, running, &previous, 0);
}

// A password is asked for only where "ScreenSaveUsePassword" says so and the
// verifier exists; from then until the unload Windows 95 knows a saver runs.
void LoadPasswordLibrary()
{
    if (!SaverRuntime.IsWin95Family)
        return;
    if (SaverRuntime.PasswordLibrary)
        UnloadPasswordLibrary();

    HKEY desktop;
    if (RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &desktop) != ERROR_SUCCESS)
        return;
    DWORD usePassword = 0;
    DWORD size = sizeof usePassword;
    if (RegQueryValueExA(desktop, "ScreenSaveUsePassword", NULL, NULL, reinterpret_cast<BYTE*>(&usePassword),
                         &size) == ERROR_SUCCESS &&
        usePassword) {
        SaverRuntime.PasswordLibrary = LoadLibraryA("PASSWORD.CPL");
        if (SaverRuntime.PasswordLibrary) {
            SaverRuntime.VerifyPassword = reinterpret_cast<VerifyScreenSavePwdProc>(
                reinterpret_cast<void*>(GetProcAddress(SaverRuntime.PasswordLibrary, "VerifyScreenSavePwd")));
            if (SaverRuntime.VerifyPassword)
                SetSaverRunning(TRUE);
            else
                UnloadPasswordLibrary();
        }
    }
    RegCloseKey(desktop);
}

void UnloadPasswordLibrary()
{
    if (!SaverRuntime.IsWin95Family || !SaverRuntime.PasswordLibrary)
        return;
    FreeLibrary(SaverRuntime.PasswordLibrary);
    SaverRuntime.PasswordLibrary = NULL;
    if (SaverRuntime.VerifyPassword) {
        SaverRuntime.VerifyPassword = NULL;
        SetSaverRunning(FALSE);
    }
}

int RunChangePassword(const char* text)
{
    HWND parent = ParseWindowHandle(text);
    if (!parent || !IsWindow(parent))
        parent = GetForegroundWindow();
    HMODULE mpr = LoadLibraryA("MPR.DLL");
    if (!mpr)
        return 0;
    PwdChangePasswordProc change = reinterpret_cast<PwdChangePasswordProc>(
        reinterpret_cast<void*>(GetProcAddress(mpr, "PwdChangePasswordA")));
    if (change)
        change("SCRSAVE", parent, 0, 0);
    FreeLibrary(mpr);
    return 0;
}
