// Deleting installed files one by one. Nothing is removed recursively: a
// folder goes only once it is empty, so the user's own files stay.
#include "file_removal.h"

#include <windows.h>

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

namespace {

// A recorded name is "sounds\<file>" or "pictures\<file>"; anything else,
// which only a damaged or forged record holds, is passed over.
bool IsRecordedFileName(const std::string& name, std::string* folder)
{
    size_t slash = name.find('\\');
    if (slash == std::string::npos)
        return false;
    std::string head = name.substr(0, slash);
    std::string file = name.substr(slash + 1);
    if (lstrcmpiA(head.c_str(), "sounds") != 0 && lstrcmpiA(head.c_str(), "pictures") != 0)
        return false;
    if (file.empty() || file == "." || file == ".." || file.find_first_of("\\/:*?") != std::string::npos)
        return false;
    *folder = head;
    return true;
}

}  // namespace

void RemoveRecordedFiles(const InstalledDirectory& directory, RemovalReport& report)
{
    std::vector<std::string> folders;
    for (const InstalledFile& file : directory.files) {
        std::string folder;
        if (!IsRecordedFileName(file.name, &folder))
            continue;
        bool known = false;
        for (const std::string& listed : folders)
            known = known || lstrcmpiA(listed.c_str(), folder.c_str()) == 0;
        if (!known)
            folders.push_back(folder);
        std::string path = directory.path + "\\" + file.name;
        FileStamp now;
        if (!ReadFileStamp(path, &now)) {
            // Gone already, or no plain file any more: nothing of ours is there.
            if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
                report.keptFiles.push_back(path);
            continue;
        }
        if (!SameStamp(now, file.stamp)) {
            report.keptFiles.push_back(path);
            continue;
        }
        RemoveInstalledFile(path, report);
    }
    for (const std::string& folder : folders)
        RemoveFolderIfEmpty(directory.path + "\\" + folder, report);
}

void RemoveInstalledDirectory(const InstalledDirectory& directory, RemovalReport& report)
{
    if (directory.filesRecorded) {
        RemoveRecordedFiles(directory, report);
        RemoveFolderIfEmpty(directory.path, report);
        return;
    }
    // Nothing says which of its files are ours: they all stay, and so does
    // the directory unless it is empty already.
    if (!RemoveDirectoryA(directory.path.c_str()) && GetFileAttributesA(directory.path.c_str()) != INVALID_FILE_ATTRIBUTES)
        report.unrecordedFolders.push_back(directory.path);
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
