// Reading and writing the settings key, the machine's and a user's. Texts
// are stored without their terminating NUL; numbers as 4-byte REG_DWORD
// values. A value that cannot be read keeps its default; a write tells only
// whether the machine's key, the user's or neither took the settings.
#include "settings_store.h"

#include <string.h>

#include <string>

SettingsCreateKeyProc SettingsCreateKey = RegCreateKeyExA;

namespace {

HKEY OpenSettingsForWriting(HKEY hive)
{
    HKEY key = NULL;
    if (SettingsCreateKey(hive, SETTINGS_KEY_PATH, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL, &key,
                          NULL) != ERROR_SUCCESS)
        return NULL;
    return key;
}

// The registry of the NT family adds a terminating NUL to a text whose given
// length leaves it out, when the byte after the text is a NUL. The text is
// therefore written from a copy followed by a non-NUL byte, so that exactly
// its characters are stored.
bool SetText(HKEY key, const char* name, const char* text)
{
    size_t length = strlen(text);
    std::string copy(text, length);
    copy.push_back('\x01');
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(copy.data()),
                          static_cast<DWORD>(length)) == ERROR_SUCCESS;
}

bool SetNumber(HKEY key, const char* name, LONG number)
{
    DWORD value = static_cast<DWORD>(number);
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
           ERROR_SUCCESS;
}

// The machine's key takes the installed path and both numbers; a user's key
// (installedPath NULL) only the numbers: the installed path belongs to the
// setup program and is never kept per user.
bool WriteSettingsKey(HKEY hive, const char* installedPath, LONG fullscreen, LONG updateRate)
{
    HKEY key = OpenSettingsForWriting(hive);
    if (!key)
        return false;
    bool written = (!installedPath || SetText(key, SETTING_INSTALLED_PATH, installedPath)) &&
                   SetNumber(key, SETTING_FULLSCREEN, fullscreen) && SetNumber(key, SETTING_UPDATE_RATE, updateRate);
    RegFlushKey(key);
    RegCloseKey(key);
    return written;
}

void DropUserSettings()
{
    HKEY key = NULL;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, SETTING_FULLSCREEN);
    RegDeleteValueA(key, SETTING_UPDATE_RATE);
    RegCloseKey(key);
}

// The path is taken only when it fits the 260-byte buffer with its NUL; a
// longer one would be cut into a wrong path, so the old contents stay.
void QueryPath(HKEY key, char* destination)
{
    char text[MAX_PATH + 1];
    DWORD size = MAX_PATH;
    ZeroMemory(text, sizeof text);
    if (RegQueryValueExA(key, SETTING_INSTALLED_PATH, NULL, NULL, reinterpret_cast<BYTE*>(text),
                         &size) != ERROR_SUCCESS)
        return;
    if (size > MAX_PATH)
        return;
    size_t length = strnlen(text, size);
    if (length >= MAX_PATH)
        return;
    memcpy(destination, text, length);
    ZeroMemory(destination + length, MAX_PATH - length);
}

// A number is taken only as a 4-byte binary value; a text or a value of
// another size is not a number of the key and leaves the default in force.
void QueryNumber(HKEY key, const char* name, LONG* destination)
{
    DWORD type = REG_NONE;
    BYTE bytes[sizeof(LONG)];
    DWORD size = sizeof bytes;
    if (RegQueryValueExA(key, name, NULL, &type, bytes, &size) != ERROR_SUCCESS)
        return;
    if (size != sizeof bytes)
        return;
    if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ)
        return;
    memcpy(destination, bytes, sizeof bytes);
}

}  // namespace

int ReadSaverSettings(char* installedPath, LONG* fullscreen, LONG* updateRate)
{
    HKEY key = NULL;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        QueryPath(key, installedPath);
        QueryNumber(key, SETTING_FULLSCREEN, fullscreen);
        QueryNumber(key, SETTING_UPDATE_RATE, updateRate);
        RegCloseKey(key);
    }
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        QueryNumber(key, SETTING_FULLSCREEN, fullscreen);
        QueryNumber(key, SETTING_UPDATE_RATE, updateRate);
        RegCloseKey(key);
    }
    return 1;
}

int WriteSaverSettings(const char* installedPath, LONG fullscreen, LONG updateRate)
{
    if (WriteSettingsKey(HKEY_LOCAL_MACHINE, installedPath, fullscreen, updateRate)) {
        DropUserSettings();
        return SETTINGS_WRITTEN_FOR_MACHINE;
    }
    if (WriteSettingsKey(HKEY_CURRENT_USER, NULL, fullscreen, updateRate))
        return SETTINGS_WRITTEN_FOR_USER;
    return SETTINGS_WRITTEN_NOWHERE;
}

int WriteInstallMarker(const char* valueName, const char* text)
{
    HKEY key = OpenSettingsForWriting(HKEY_LOCAL_MACHINE);
    if (!key)
        return 1;
    SetText(key, valueName, text);
    RegFlushKey(key);
    RegCloseKey(key);
    return 1;
}
