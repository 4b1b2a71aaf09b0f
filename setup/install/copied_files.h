// Which files a shell copy really put into its target directory: the stamps
// of the same-named files are taken before the copy and read back after it,
// and what the copy left there is added to the installation's record.
#pragma once

#include <string>
#include <vector>

#include "installation_record.h"

struct CopySurvey {
    std::string folder;           // "sounds" or "pictures", below the installed path
    std::string sourceDirectory;  // where the copy's pattern looks
    std::string targetDirectory;  // where the copy puts the files
    struct Entry {
        std::string name;
        FileStamp source;
        bool targetExisted;
        FileStamp target;         // before the copy
    };
    std::vector<Entry> entries;
};

// Notes the files that pattern (a copy's source, "...\sounds\*.wav") matches
// and the state of their namesakes in targetDirectory before the copy.
CopySurvey SurveyCopy(const char* pattern, const char* targetDirectory, const char* folder);

// After the copy: records in installedPath's record every surveyed file that
// the target directory now holds as the copy put it there, that is with the
// source's size and either the source's time or a state the copy changed.
// A file the user kept by refusing its replacement is not recorded.
void RecordCopiedFiles(const char* installedPath, const CopySurvey& survey);
