// Writing and checking the record of installed files.
#include "recorded_files.h"

#include <windows.h>

#include <algorithm>

#include "test_support.h"

namespace vrxtest {

const char kInstallationsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VRX2SS\\Installations";

namespace {

std::vector<BYTE> Stamp(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return {};
    DWORD parts[4] = {data.nFileSizeLow, data.nFileSizeHigh, data.ftLastWriteTime.dwLowDateTime,
                      data.ftLastWriteTime.dwHighDateTime};
    const BYTE* bytes = reinterpret_cast<const BYTE*>(parts);
    return std::vector<BYTE>(bytes, bytes + sizeof parts);
}

std::vector<std::string> Subkeys(const std::string& path)
{
    std::vector<std::string> names;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return names;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, i, name, &length, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        names.push_back(std::string(name, length));
    }
    RegCloseKey(key);
    return names;
}

std::string DirectoryKey(const std::string& directory)
{
    for (const std::string& sub : Subkeys(kInstallationsKey)) {
        std::string key = std::string(kInstallationsKey) + "\\" + sub;
        if (ReadValue(HKEY_LOCAL_MACHINE, key, "Directory").Text() == directory + '\0')
            return key;
    }
    return std::string();
}

}  // namespace

void RecordFiles(const std::string& directory, const std::vector<std::string>& names)
{
    std::string key = DirectoryKey(directory);
    if (key.empty()) {
        key = std::string(kInstallationsKey) + "\\" + std::to_string(Subkeys(kInstallationsKey).size() + 1);
        WriteText(HKEY_LOCAL_MACHINE, key, "Directory", directory, true);
    }
    for (const std::string& name : names) {
        std::vector<BYTE> stamp = Stamp(JoinPath(directory, name));
        WriteRaw(HKEY_LOCAL_MACHINE, key, name, REG_BINARY, stamp.data(), static_cast<DWORD>(stamp.size()));
    }
}

std::string RecordMismatches(const std::string& directory, const std::vector<std::string>& names)
{
    std::string key = DirectoryKey(directory);
    if (key.empty())
        return "no record of " + directory;
    std::string differences;
    std::vector<std::string> expected = names;
    HKEY handle;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return "cannot open " + key;
    for (DWORD i = 0;; ++i) {
        char name[512];
        DWORD length = sizeof name;
        BYTE data[64];
        DWORD size = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(handle, i, name, &length, NULL, &type, data, &size) != ERROR_SUCCESS)
            break;
        std::string value(name, length);
        if (value == "Directory")
            continue;
        auto listed = std::find(expected.begin(), expected.end(), value);
        if (listed == expected.end()) {
            differences += "[" + value + " recorded, not expected] ";
            continue;
        }
        expected.erase(listed);
        if (type != REG_BINARY || std::vector<BYTE>(data, data + size) != Stamp(JoinPath(directory, value)))
            differences += "[" + value + ": type " + std::to_string(type) + ", " + std::to_string(size) +
                           " bytes, not the file's size and time] ";
    }
    RegCloseKey(handle);
    for (const std::string& missing : expected)
        differences += "[" + missing + " not recorded] ";
    return differences;
}

std::vector<std::string> RecordedDirectories()
{
    std::vector<std::string> directories;
    for (const std::string& sub : Subkeys(kInstallationsKey)) {
        std::string text = ReadValue(HKEY_LOCAL_MACHINE, std::string(kInstallationsKey) + "\\" + sub, "Directory").Text();
        if (!text.empty() && text.back() == '\0')
            text.pop_back();
        directories.push_back(text);
    }
    return directories;
}

}  // namespace vrxtest
