// Removal of the per-user settings key (HKCU Software\Quandrel\VRX2SS).
#include "user_settings_removal.h"

#include <windows.h>

#include "install_record.h"
#include "settings_store.h"

void RemoveUserSettings(RemovalReport& report)
{
    if (!DeleteRegistryTree(HKEY_CURRENT_USER, SETTINGS_KEY_PATH)) {
        report.Fail("HKEY_CURRENT_USER\\" SETTINGS_KEY_PATH);
        return;
    }
    HKEY vendor;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, VENDOR_KEY, 0, KEY_QUERY_VALUE, &vendor) != ERROR_SUCCESS)
        return;
    DWORD subkeys = 1, values = 1;
    RegQueryInfoKeyA(vendor, NULL, NULL, NULL, &subkeys, NULL, NULL, &values, NULL, NULL, NULL, NULL);
    RegCloseKey(vendor);
    if (subkeys == 0 && values == 0)
        RegDeleteKeyA(HKEY_CURRENT_USER, VENDOR_KEY);
}
