// The "Installed pictures" value of the uninstall entry: the names of the
// pictures the setup program copied, which the uninstaller takes away again.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#define INSTALLED_PICTURES_VALUE "Installed pictures"

// Reads the REG_MULTI_SZ list of key into names. False, with names left as
// they were, when the value is missing or of another type.
bool ReadPictureList(HKEY key, std::vector<std::string>* names);
