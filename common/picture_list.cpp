// Reading the "Installed pictures" list: one name a string, a second NUL at the end.
#include "picture_list.h"

bool ReadPictureList(HKEY key, std::vector<std::string>* names)
{
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExA(key, INSTALLED_PICTURES_VALUE, NULL, &type, NULL, &size) != ERROR_SUCCESS ||
        type != REG_MULTI_SZ)
        return false;
    // Two more NULs end the last string even when the stored data lacks them.
    std::vector<char> data(size + 2, '\0');
    if (RegQueryValueExA(key, INSTALLED_PICTURES_VALUE, NULL, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
            ERROR_SUCCESS ||
        type != REG_MULTI_SZ)
        return false;
    names->clear();
    for (size_t at = 0; at < size && data[at] != '\0';) {
        std::string name(&data[at]);
        at += name.size() + 1;
        names->push_back(name);
    }
    return true;
}
