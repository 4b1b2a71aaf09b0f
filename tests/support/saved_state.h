// Saving and restoring what the programs under test touch: a registry tree,
// a file such as system.ini, and the active screen saver.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vrxtest {

std::string WindowsDirectory();
std::string SystemIniPath();

// [boot] SCRNSAVE.EXE as the profile functions see it; "<absent>" when missing.
std::string ActiveSaver();
// NULL removes the entry.
void SetActiveSaver(const char* path);

// A registry tree kept in memory and written back as it was (or removed,
// when it did not exist).
class SavedTree {
public:
    SavedTree(HKEY root, const std::string& path);
    void Restore() const;

private:
    struct Value {
        std::wstring name;
        DWORD type;
        std::vector<BYTE> bytes;
    };
    struct Key {
        std::wstring path;
        std::vector<Value> values;
    };
    HKEY root_;
    std::string path_;
    bool existed_ = false;
    std::vector<Key> keys_;
};

// system.ini's bytes, written back on Restore.
class SavedFile {
public:
    explicit SavedFile(const std::string& path);
    void Restore() const;

private:
    std::string path_;
    bool existed_;
    std::vector<BYTE> bytes_;
};

}  // namespace vrxtest
