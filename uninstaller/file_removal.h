// Removal of the files the setup program recorded as copied, and of the
// folders it made when they are left empty.
#pragma once

#include <string>
#include <vector>

#include "install_record.h"
#include "removal_report.h"

// Deletes one file, read-only or not. A file that is not there is no failure.
void RemoveInstalledFile(const std::string& path, RemovalReport& report);

// Deletes the recorded files of the directory that are still as the setup
// left them; one changed since (replaced by the user) is kept and named in
// the report. The "sounds" and "pictures" folders go when left empty.
void RemoveRecordedFiles(const InstalledDirectory& directory, RemovalReport& report);

// Removes what the product put into one directory, then the directory when
// it is left empty. A directory without a record keeps every file.
void RemoveInstalledDirectory(const InstalledDirectory& directory, RemovalReport& report);

// Removes a folder when it is empty. A folder that still holds other files is
// kept and named in the report's kept folders; a missing one is ignored.
void RemoveFolderIfEmpty(const std::string& folder, RemovalReport& report);
