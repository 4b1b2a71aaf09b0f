// Reading and writing the record of installed files under the uninstall entry.
#include "installation_record.h"

#include <ctype.h>
#include <stdlib.h>
#include <string.h>

namespace {

// A file's value: its size (8 bytes) then its last-write time, low part first.
void EncodeStamp(const FileStamp& stamp, BYTE data[FILE_STAMP_BYTES])
{
    memcpy(data, &stamp.size, 8);
    memcpy(data + 8, &stamp.lastWrite.dwLowDateTime, 4);
    memcpy(data + 12, &stamp.lastWrite.dwHighDateTime, 4);
}

void DecodeStamp(const BYTE data[FILE_STAMP_BYTES], FileStamp* stamp)
{
    memcpy(&stamp->size, data, 8);
    memcpy(&stamp->lastWrite.dwLowDateTime, data + 8, 4);
    memcpy(&stamp->lastWrite.dwHighDateTime, data + 12, 4);
}

std::string QueryDirectory(HKEY key)
{
    char buffer[MAX_PATH + 1];
    ZeroMemory(buffer, sizeof buffer);
    DWORD size = MAX_PATH;
    DWORD type = REG_NONE;
    if (RegQueryValueExA(key, INSTALLATION_DIRECTORY_VALUE, NULL, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return std::string();
    return std::string(buffer, strnlen(buffer, size));
}

void ReadFiles(HKEY key, std::vector<InstalledFile>* files)
{
    for (DWORD i = 0;; ++i) {
        char name[MAX_PATH + 1];
        DWORD nameLength = sizeof name;
        BYTE data[FILE_STAMP_BYTES + 1];
        DWORD size = sizeof data;
        DWORD type = REG_NONE;
        LONG status = RegEnumValueA(key, i, name, &nameLength, NULL, &type, data, &size);
        if (status == ERROR_MORE_DATA)
            continue;  // a name or value of no file of ours
        if (status != ERROR_SUCCESS)
            break;
        if (type != REG_BINARY || size != FILE_STAMP_BYTES)
            continue;
        InstalledFile file;
        file.name.assign(name, nameLength);
        DecodeStamp(data, &file.stamp);
        files->push_back(file);
    }
}

// The subkey that records directory, created under the next free number
// when there is none yet.
HKEY OpenDirectoryRecord(HKEY installations, const std::string& directory)
{
    unsigned long highest = 0;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD length = sizeof name;
        if (RegEnumKeyExA(installations, i, name, &length, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        unsigned long number = strtoul(name, NULL, 10);
        if (number > highest)
            highest = number;
        HKEY key;
        if (RegOpenKeyExA(installations, name, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            continue;
        if (SameDirectory(QueryDirectory(key), directory))
            return key;
        RegCloseKey(key);
    }
    HKEY key = NULL;
    std::string name = std::to_string(highest + 1);
    if (RegCreateKeyExA(installations, name.c_str(), 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL, &key,
                        NULL) != ERROR_SUCCESS)
        return NULL;
    RegSetValueExA(key, INSTALLATION_DIRECTORY_VALUE, 0, REG_SZ, reinterpret_cast<const BYTE*>(directory.c_str()),
                   static_cast<DWORD>(directory.size() + 1));
    return key;
}

}  // namespace

std::string FullDirectoryPath(const std::string& path)
{
    if (path.empty())
        return std::string();
    char buffer[MAX_PATH];
    DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, buffer, NULL);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    std::string full(buffer, length);
    if (full.size() > 3 && full.back() == '\\')
        full.pop_back();
    return full;
}

bool IsUsableInstalledPath(const std::string& path)
{
    if (path.empty() || path.size() >= MAX_PATH - 20)
        return false;
    if (path.find_first_of("*?\"<>|/") != std::string::npos)
        return false;
    for (unsigned char c : path)
        if (c < 32)
            return false;
    if (isalpha(static_cast<unsigned char>(path[0])) && path.size() >= 2 && path[1] == ':') {
        if (path.size() == 2)
            return true;
        if (path[2] != '\\')
            return false;
        return path.find(':', 2) == std::string::npos && path.find("\\\\", 2) == std::string::npos;
    }
    if (path.compare(0, 2, "\\\\") == 0) {
        size_t share = path.find('\\', 2);
        return share != std::string::npos && share > 2 && share + 1 < path.size() &&
               path.find(':') == std::string::npos;
    }
    return false;
}

bool SameDirectory(const std::string& a, const std::string& b)
{
    std::string fullA = FullDirectoryPath(a);
    return !fullA.empty() && lstrcmpiA(fullA.c_str(), FullDirectoryPath(b).c_str()) == 0;
}

// Through FindFirstFileA, which Windows 95 has (GetFileAttributesExA came
// with Windows 98 and NT 4.0); a name with wildcards names no one file.
bool ReadFileStamp(const std::string& path, FileStamp* stamp)
{
    if (path.find_first_of("*?") != std::string::npos)
        return false;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(path.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return false;
    stamp->size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp->lastWrite = data.ftLastWriteTime;
    return true;
}

bool SameStamp(const FileStamp& a, const FileStamp& b)
{
    return a.size == b.size && CompareFileTime(&a.lastWrite, &b.lastWrite) == 0;
}

bool ReadInstallationRecords(std::vector<InstallationRecord>* records)
{
    HKEY installations;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, INSTALLATIONS_KEY_PATH, 0, KEY_READ, &installations) != ERROR_SUCCESS)
        return false;
    records->clear();
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD length = sizeof name;
        if (RegEnumKeyExA(installations, i, name, &length, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        HKEY key;
        if (RegOpenKeyExA(installations, name, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
            continue;
        InstallationRecord record;
        record.directory = QueryDirectory(key);
        ReadFiles(key, &record.files);
        RegCloseKey(key);
        if (!record.directory.empty())
            records->push_back(record);
    }
    RegCloseKey(installations);
    return true;
}

bool RecordInstalledFiles(const std::string& directory, const std::vector<InstalledFile>& files)
{
    std::string full = FullDirectoryPath(directory);
    if (full.empty())
        return false;
    HKEY installations = NULL;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, INSTALLATIONS_KEY_PATH, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        NULL, &installations, NULL) != ERROR_SUCCESS)
        return false;
    HKEY key = OpenDirectoryRecord(installations, full);
    RegCloseKey(installations);
    if (!key)
        return false;
    bool written = true;
    for (const InstalledFile& file : files) {
        BYTE data[FILE_STAMP_BYTES];
        EncodeStamp(file.stamp, data);
        if (RegSetValueExA(key, file.name.c_str(), 0, REG_BINARY, data, sizeof data) != ERROR_SUCCESS)
            written = false;
    }
    RegFlushKey(key);
    RegCloseKey(key);
    return written;
}
