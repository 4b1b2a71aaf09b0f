// The saver window's procedures and the password handling around them.
#pragma once

#include <windows.h>

// Private message that asks the saver window for the password verdict.
#define WM_SAVER_VERIFY_PASSWORD WM_APP

LRESULT CALLBACK SaverFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK DefaultSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL VerifyBeforeClose(HWND window);

void LoadPasswordLibrary();
void UnloadPasswordLibrary();
BOOL SetSaverRunning(BOOL running);
int RunChangePassword(const char* text);

// SystemParametersInfoA as the saver calls it; the unit tests put a recorder
// here, since the platform keeps no trace of SPI_SETSCREENSAVERRUNNING.
typedef BOOL(WINAPI* SystemParametersInfoProc)(UINT action, UINT uiParam, PVOID pvParam, UINT winIni);
extern SystemParametersInfoProc SaverSystemParametersInfo;
