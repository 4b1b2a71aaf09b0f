// The record of what the setup program really put into each installation
// directory: kept below the uninstall entry, read by the uninstaller, which
// takes away exactly those files and only while they are as installed.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// One subkey a directory ("1", "2"...), each with the directory's full path
// as "Directory" (REG_SZ with its NUL) and one REG_BINARY value a file.
#define INSTALLATIONS_KEY_PATH "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VRX2SS\\Installations"
#define INSTALLATION_DIRECTORY_VALUE "Directory"
// A file's value: its size (8 bytes, little-endian) then its last-write time
// (FILETIME, low then high part).
#define FILE_STAMP_BYTES 16

struct FileStamp {
    ULONGLONG size = 0;
    FILETIME lastWrite = {0, 0};
};

struct InstalledFile {
    std::string name;  // relative to the directory: "pictures\vrx01.bmp", "sounds\ast.wav"
    FileStamp stamp;   // as the copy left it
};

struct InstallationRecord {
    std::string directory;  // full path, without a trailing backslash
    std::vector<InstalledFile> files;
};

// The full form of a directory, without a trailing backslash but for a drive
// root ("C:\"). Empty when it cannot be made.
std::string FullDirectoryPath(const std::string& path);

// True for a path under which the uninstaller may remove files, and so for
// a directory the setup may install into unattended: a drive ("C:"), a path
// from a drive root ("C:\...") or a network share ("\\server\share...")
// without wildcards or characters that a file name cannot hold, short
// enough for the names below it.
bool IsUsableInstalledPath(const std::string& path);

// Two directories compared case-insensitively in their full forms.
bool SameDirectory(const std::string& a, const std::string& b);

// Size and last-write time of a plain file; false for a missing file or a directory.
bool ReadFileStamp(const std::string& path, FileStamp* stamp);
bool SameStamp(const FileStamp& a, const FileStamp& b);

// Every directory recorded, with its files. False when there is no record.
bool ReadInstallationRecords(std::vector<InstallationRecord>* records);

// Lists directory in the record, when it is not yet, and sets the stamps of
// files there (a file recorded by an earlier run keeps its value unless it
// is among them). False when the record cannot be written.
bool RecordInstalledFiles(const std::string& directory, const std::vector<InstalledFile>& files);
