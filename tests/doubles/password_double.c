/* Stand-in for the platform's PASSWORD.CPL, for tests only: answers the
 * saver's password question as the test says and records every call.
 *   VRX_DOUBLE_LOG     file that each call appends one line to
 *   VRX_PWD_ANSWER     file holding "<answer> [<delay ms>]"; answer 1 accepts,
 *                      0 refuses; without the file every question is accepted */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

#include "double_log.h"

__declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND window)
{
    int answer = 1, delay = 0;
    char text[64] = "";
    if (ReadEnvFile("VRX_PWD_ANSWER", text, sizeof text))
        sscanf(text, "%d %d", &answer, &delay);
    if (delay > 0)
        Sleep(delay);
    AppendLog("VerifyScreenSavePwd %lu %d %lu", (unsigned long)(ULONG_PTR)window, answer, GetTickCount());
    return answer;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)instance;
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH)
        AppendLog("load PASSWORD.CPL");
    if (reason == DLL_PROCESS_DETACH)
        AppendLog("unload PASSWORD.CPL");
    return TRUE;
}
