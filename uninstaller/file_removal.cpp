// Deleting installed files one by one. Nothing is removed recursively: a
// folder goes only once it is empty, so the user's own files stay.
#include "file_removal.h"

#include <windows.h>

#include "sound_events.h"

namespace {

bool IsAbsence(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

}  // namespace

void RemoveInstalledFile(const std::string& path, RemovalReport& report)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (!IsAbsence(GetLastError()))
            report.Fail(path);
        return;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        report.Fail(path);
        return;
    }
    // Files copied from a CD keep their read-only attribute.
    if (attributes & FILE_ATTRIBUTE_READONLY)
        SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (!DeleteFileA(path.c_str()) && !IsAbsence(GetLastError())) {
        if (attributes & FILE_ATTRIBUTE_READONLY)
            SetFileAttributesA(path.c_str(), attributes);
        report.Fail(path);
    }
}

void RemoveSoundFiles(const std::string& soundsFolder, RemovalReport& report)
{
    for (const SoundEvent& event : g_soundEvents)
        RemoveInstalledFile(soundsFolder + event.suffix, report);
}

void RemovePictureFiles(const std::string& picturesFolder, RemovalReport& report)
{
    // The names are collected first: deleting while the search runs may make
    // it skip entries.
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((picturesFolder + "\\*.bmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        // "*.bmp" also matches "x.bmpold" through its short name; only a
        // name that truly ends in ".bmp" is a picture.
        std::string name = found.cFileName;
        if (name.size() < 4 || lstrcmpiA(name.c_str() + name.size() - 4, ".bmp") != 0)
            continue;
        names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    for (const std::string& name : names)
        RemoveInstalledFile(picturesFolder + "\\" + name, report);
}

void RemoveListedPictures(const std::string& picturesFolder, const std::vector<std::string>& names,
                          RemovalReport& report)
{
    for (const std::string& name : names) {
        if (name.empty() || name == "." || name == ".." || name.find_first_of("\\/:") != std::string::npos)
            continue;
        RemoveInstalledFile(picturesFolder + "\\" + name, report);
    }
}

void RemoveFolderIfEmpty(const std::string& folder, RemovalReport& report)
{
    // A drive or share root is never removed.
    if (folder.size() <= 3 && folder.size() >= 2 && folder[1] == ':')
        return;
    DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    if (RemoveDirectoryA(folder.c_str()))
        return;
    DWORD error = GetLastError();
    if (IsAbsence(error))
        return;
    if (error == ERROR_DIR_NOT_EMPTY) {
        // A folder kept only because a kept subfolder is in it is not named again.
        for (const std::string& kept : report.keptFolders)
            if (kept.size() > folder.size() && kept.compare(0, folder.size() + 1, folder + "\\") == 0)
                return;
        report.keptFolders.push_back(folder);
    }
    else
        report.Fail(folder);
}
