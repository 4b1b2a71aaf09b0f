// The user's own picture settings under HKEY_CURRENT_USER: the folders as
// "Folder1"... texts without their NUL, and REG_DWORD switches and choices. Values
// that an administrator or a hand edit put there are read with tolerance.
#include "photo_settings.h"

#include <string.h>

#include "settings_store.h"

namespace {

void FolderValueName(LONG number, char* name)
{
    wsprintfA(name, "%s%d", SETTING_FOLDER_PREFIX, number);
}

// A folder is taken when it is a text (REG_EXPAND_SZ included: its variables
// are expanded) that fits MAX_PATH with its NUL. A stored NUL ends the text,
// whether it is the last byte or not.
bool QueryFolder(HKEY key, const char* name, char* destination)
{
    DWORD type = REG_NONE;
    char text[MAX_PATH + 1];
    DWORD size = MAX_PATH;
    ZeroMemory(text, sizeof text);
    if (RegQueryValueExA(key, name, NULL, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS)
        return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return false;
    size_t length = strnlen(text, size);
    if (length == 0 || length >= MAX_PATH)
        return false;
    if (type == REG_EXPAND_SZ) {
        char expanded[MAX_PATH];
        DWORD needed = ExpandEnvironmentStringsA(text, expanded, sizeof expanded);
        if (needed == 0 || needed > sizeof expanded || expanded[0] == '\0')
            return false;
        lstrcpynA(destination, expanded, MAX_PATH);
        return true;
    }
    memcpy(destination, text, length);
    destination[length] = '\0';
    return true;
}

// A switch counts only as a 4-byte REG_DWORD; anything else leaves it 0.
LONG QuerySwitch(HKEY key, const char* name)
{
    DWORD type = REG_NONE;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key, name, NULL, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
        return 0;
    if (type != REG_DWORD || size != sizeof value)
        return 0;
    return value ? 1 : 0;
}

// A choice is read as a 4-byte REG_DWORD too; a number it does not know
// (a later version's transition, say) is the default.
LONG QueryTransition(HKEY key)
{
    DWORD type = REG_NONE;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key, SETTING_TRANSITION, NULL, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return TRANSITION_WIPE;
    return value == TRANSITION_CROSSFADE ? TRANSITION_CROSSFADE : TRANSITION_WIPE;
}

// Written from a copy followed by a non-NUL byte, so that the NT registry
// does not add the NUL that follows the text (as the machine's texts are).
bool SetFolder(HKEY key, const char* name, const char* folder)
{
    char copy[MAX_PATH + 1];
    size_t length = strnlen(folder, MAX_PATH - 1);
    memcpy(copy, folder, length);
    copy[length] = '\x01';
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(copy), static_cast<DWORD>(length)) ==
           ERROR_SUCCESS;
}

bool SetSwitch(HKEY key, const char* name, LONG on)
{
    DWORD value = on ? 1 : 0;
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
           ERROR_SUCCESS;
}

// The number of a "FolderN" value name (any case of the prefix), or 0 when
// the name is something else. A number too long to matter counts as larger
// than any list.
LONG FolderNumberOf(const char* name)
{
    const int prefix = sizeof SETTING_FOLDER_PREFIX - 1;
    if (lstrlenA(name) <= prefix ||
        CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, name, prefix, SETTING_FOLDER_PREFIX, prefix) !=
            CSTR_EQUAL)
        return 0;
    LONG number = 0;
    for (const char* c = name + prefix; *c; ++c) {
        if (*c < '0' || *c > '9')
            return 0;
        if (number < 0x10000)
            number = number * 10 + (*c - '0');
    }
    return number;
}

// Folders numbered past the ones just written, left by a longer list or a
// hand edit after a gap, would come back once the gap closed; every
// "FolderN" above the last one written goes. The enumeration starts again
// after each deletion, since deleting renumbers the values after it.
void DeleteFoldersAbove(HKEY key, LONG last)
{
    char name[MAX_PATH];
    DWORD index = 0;
    for (;;) {
        DWORD length = sizeof name;
        if (RegEnumValueA(key, index, name, &length, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            return;
        if (FolderNumberOf(name) > last && RegDeleteValueA(key, name) == ERROR_SUCCESS)
            index = 0;
        else
            ++index;
    }
}

}  // namespace

int ReadPhotoSettings(PhotoSettings* settings)
{
    ZeroMemory(settings, sizeof *settings);
    HKEY key = NULL;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return 1;
    char name[32];
    while (settings->folderCount < MAX_PICTURE_FOLDERS) {
        FolderValueName(settings->folderCount + 1, name);
        if (!QueryFolder(key, name, settings->folders[settings->folderCount]))
            break;
        ++settings->folderCount;
    }
    settings->subfolders = QuerySwitch(key, SETTING_SUBFOLDERS);
    settings->shuffle = QuerySwitch(key, SETTING_SHUFFLE);
    settings->keepProportions = QuerySwitch(key, SETTING_KEEP_PROPORTIONS);
    settings->allMonitors = QuerySwitch(key, SETTING_ALL_MONITORS);
    settings->transition = QueryTransition(key);
    RegCloseKey(key);
    return 1;
}

int WritePhotoSettings(const PhotoSettings* settings)
{
    HKEY key = NULL;
    if (SettingsCreateKey(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                          NULL, &key, NULL) != ERROR_SUCCESS)
        return 0;
    LONG count = settings->folderCount;
    if (count < 0)
        count = 0;
    if (count > MAX_PICTURE_FOLDERS)
        count = MAX_PICTURE_FOLDERS;
    // An empty entry is left out: it would end the list on reading.
    bool written = true;
    char name[32];
    LONG stored = 0;
    for (LONG i = 0; i < count; ++i) {
        if (settings->folders[i][0] == '\0')
            continue;
        FolderValueName(++stored, name);
        written = SetFolder(key, name, settings->folders[i]) && written;
    }
    DeleteFoldersAbove(key, stored);
    written = SetSwitch(key, SETTING_SUBFOLDERS, settings->subfolders) && written;
    written = SetSwitch(key, SETTING_SHUFFLE, settings->shuffle) && written;
    written = SetSwitch(key, SETTING_KEEP_PROPORTIONS, settings->keepProportions) && written;
    written = SetSwitch(key, SETTING_ALL_MONITORS, settings->allMonitors) && written;
    written = SetSwitch(key, SETTING_TRANSITION, settings->transition == TRANSITION_CROSSFADE) && written;
    RegFlushKey(key);
    RegCloseKey(key);
    return written ? 1 : 0;
}

BOOL PhotoSettingsInUse(const PhotoSettings* settings)
{
    return settings->folderCount > 0 || settings->subfolders || settings->shuffle || settings->keepProportions ||
           settings->allMonitors || settings->transition == TRANSITION_CROSSFADE;
}
