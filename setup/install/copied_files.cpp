// Reading back what a shell copy put where, for the uninstaller's record.
#include "copied_files.h"

#include <windows.h>

namespace {

std::string DirectoryOf(const std::string& path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string Join(const std::string& directory, const std::string& name)
{
    return directory.empty() ? name : directory + "\\" + name;
}

}  // namespace

CopySurvey SurveyCopy(const char* pattern, const char* targetDirectory, const char* folder)
{
    CopySurvey survey;
    survey.folder = folder;
    survey.sourceDirectory = DirectoryOf(pattern);
    survey.targetDirectory = targetDirectory;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return survey;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        CopySurvey::Entry entry;
        entry.name = found.cFileName;
        if (!ReadFileStamp(Join(survey.sourceDirectory, entry.name), &entry.source))
            continue;
        entry.targetExisted = ReadFileStamp(Join(survey.targetDirectory, entry.name), &entry.target);
        survey.entries.push_back(entry);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return survey;
}

void RecordCopiedFiles(const char* installedPath, const CopySurvey& survey)
{
    std::vector<InstalledFile> copied;
    for (const CopySurvey::Entry& entry : survey.entries) {
        FileStamp now;
        if (!ReadFileStamp(Join(survey.targetDirectory, entry.name), &now) || now.size != entry.source.size)
            continue;
        bool sourceTime = CompareFileTime(&now.lastWrite, &entry.source.lastWrite) == 0;
        bool changed = !entry.targetExisted || !SameStamp(now, entry.target);
        if (!sourceTime && !changed)
            continue;
        InstalledFile file;
        file.name = survey.folder + "\\" + entry.name;
        file.stamp = now;
        copied.push_back(file);
    }
    RecordInstalledFiles(installedPath, copied);
}
