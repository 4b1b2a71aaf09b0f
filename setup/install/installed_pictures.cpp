// The "Installed pictures" list of the uninstall entry: one name a string,
// a second NUL at the end.
#include "installed_pictures.h"

#include <windows.h>

#include <string>
#include <vector>

#include "uninstall_entry.h"

namespace {

bool Listed(const std::vector<std::string>& names, const char* name)
{
    for (const std::string& listed : names)
        if (lstrcmpiA(listed.c_str(), name) == 0)
            return true;
    return false;
}

// The names an earlier run left; nothing when the value is missing or not a list.
std::vector<std::string> ReadListedNames(HKEY key)
{
    std::vector<std::string> names;
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExA(key, INSTALLED_PICTURES_VALUE, NULL, &type, NULL, &size) != ERROR_SUCCESS ||
        type != REG_MULTI_SZ || size == 0)
        return names;
    std::vector<char> data(size + 2, '\0');
    if (RegQueryValueExA(key, INSTALLED_PICTURES_VALUE, NULL, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
            ERROR_SUCCESS ||
        type != REG_MULTI_SZ)
        return names;
    // The two NULs past the data end the last string even when the stored one lacks them.
    for (size_t at = 0; at < size && data[at] != '\0';) {
        std::string name(&data[at]);
        at += name.size() + 1;
        names.push_back(name);
    }
    return names;
}

}  // namespace

void RecordInstalledPictures(const char* pattern)
{
    HKEY key = NULL;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY_PATH, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        NULL, &key, NULL) != ERROR_SUCCESS)
        return;
    std::vector<std::string> names = ReadListedNames(key);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !Listed(names, found.cFileName))
                names.push_back(found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    std::string list;
    for (const std::string& name : names) {
        list += name;
        list += '\0';
    }
    list += '\0';
    RegSetValueExA(key, INSTALLED_PICTURES_VALUE, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(list.data()),
                   static_cast<DWORD>(list.size()));
    RegCloseKey(key);
}
