// Which family of 32-bit Windows the program runs on.
#include "windows_family.h"

BOOL IsWindows95Family()
{
    OSVERSIONINFOA version;
    ZeroMemory(&version, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;  // 148 bytes
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}
