// Stand-ins for the settings store's key creation that refuse a hive as
// Windows refuses HKEY_LOCAL_MACHINE to a program without elevation.
#pragma once

#include <windows.h>

#include "settings_store.h"

namespace refused {

inline LONG WINAPI MachineHive(HKEY hive, LPCSTR path, DWORD reserved, LPSTR keyClass, DWORD options, REGSAM access,
                               LPSECURITY_ATTRIBUTES security, PHKEY key, LPDWORD disposition)
{
    if (hive == HKEY_LOCAL_MACHINE)
        return ERROR_ACCESS_DENIED;
    return RegCreateKeyExA(hive, path, reserved, keyClass, options, access, security, key, disposition);
}

inline LONG WINAPI EveryHive(HKEY, LPCSTR, DWORD, LPSTR, DWORD, REGSAM, LPSECURITY_ATTRIBUTES, PHKEY, LPDWORD)
{
    return ERROR_ACCESS_DENIED;
}

}  // namespace refused
