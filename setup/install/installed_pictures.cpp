// The "Installed pictures" list of the uninstall entry: one name a string,
// a second NUL at the end.
#include "installed_pictures.h"

#include <string>
#include <vector>

#include "picture_list.h"
#include "uninstall_entry.h"

namespace {

bool Listed(const std::vector<std::string>& names, const char* name)
{
    for (const std::string& listed : names)
        if (lstrcmpiA(listed.c_str(), name) == 0)
            return true;
    return false;
}

}  // namespace

void RecordInstalledPictures(const char* pattern)
{
    HKEY key = NULL;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY_PATH, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        NULL, &key, NULL) != ERROR_SUCCESS)
        return;
    // The names an earlier run left stay; a value that is no list is replaced.
    std::vector<std::string> names;
    ReadPictureList(key, &names);
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
