/* Stand-in for the platform's MPR.DLL, for tests only: records the saver's
 * request to change the screen-saver password (VRX_DOUBLE_LOG). */
#include <windows.h>

#include "double_log.h"

__declspec(dllexport) DWORD WINAPI PwdChangePasswordA(LPCSTR provider, HWND parent, DWORD reserved1, DWORD reserved2)
{
    AppendLog("PwdChangePasswordA %s %lu %lu %lu", provider ? provider : "(null)", (unsigned long)(ULONG_PTR)parent,
              (unsigned long)reserved1, (unsigned long)reserved2);
    return 0;
}
