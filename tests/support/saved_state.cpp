// Saving and restoring registry trees and files around a test.
#include "saved_state.h"

#include "test_support.h"

namespace vrxtest {

std::string WindowsDirectory()
{
    char buffer[MAX_PATH];
    UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
    return std::string(buffer, length);
}

std::string SystemIniPath() { return JoinPath(WindowsDirectory(), "system.ini"); }

std::string ActiveSaver()
{
    char buffer[512];
    DWORD length = GetPrivateProfileStringA("boot", "SCRNSAVE.EXE", "<absent>", buffer, sizeof buffer, "system.ini");
    return std::string(buffer, length);
}

void SetActiveSaver(const char* path) { WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", path, "system.ini"); }

SavedTree::SavedTree(HKEY root, const std::string& path) : root_(root), path_(path)
{
    std::vector<std::wstring> pending = {std::wstring(path.begin(), path.end())};
    while (!pending.empty()) {
        std::wstring current = pending.back();
        pending.pop_back();
        HKEY key;
        if (RegOpenKeyExW(root, current.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            continue;
        existed_ = true;
        Key saved;
        saved.path = current;
        for (DWORD i = 0;; ++i) {
            wchar_t name[512];
            DWORD nameLength = 512;
            BYTE data[8192];
            DWORD size = sizeof data;
            DWORD type = 0;
            if (RegEnumValueW(key, i, name, &nameLength, NULL, &type, data, &size) != ERROR_SUCCESS)
                break;
            saved.values.push_back({std::wstring(name, nameLength), type, std::vector<BYTE>(data, data + size)});
        }
        for (DWORD i = 0;; ++i) {
            wchar_t name[512];
            DWORD nameLength = 512;
            if (RegEnumKeyExW(key, i, name, &nameLength, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
                break;
            pending.push_back(current + L"\\" + std::wstring(name, nameLength));
        }
        RegCloseKey(key);
        keys_.push_back(saved);
    }
}

void SavedTree::Restore() const
{
    DeleteKeyTree(root_, path_);
    if (!existed_)
        return;
    for (const Key& saved : keys_) {
        HKEY key;
        if (RegCreateKeyExW(root_, saved.path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) !=
            ERROR_SUCCESS)
            continue;
        for (const Value& value : saved.values)
            RegSetValueExW(key, value.name.empty() ? NULL : value.name.c_str(), 0, value.type, value.bytes.data(),
                           static_cast<DWORD>(value.bytes.size()));
        RegCloseKey(key);
    }
}

SavedFile::SavedFile(const std::string& path) : path_(path), existed_(FileExists(path))
{
    if (existed_)
        bytes_ = ReadFileBytes(path);
}

void SavedFile::Restore() const
{
    if (existed_)
        WriteFileBytes(path_, bytes_.data(), bytes_.size());
    else
        DeleteFileA(path_.c_str());
}

}  // namespace vrxtest
