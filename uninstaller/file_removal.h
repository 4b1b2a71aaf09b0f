// Removal of the files the setup program copied, and of the folders it made
// when they are left empty.
#pragma once

#include <string>
#include <vector>

#include "removal_report.h"

// Deletes one file, read-only or not. A file that is not there is no failure.
void RemoveInstalledFile(const std::string& path, RemovalReport& report);

// Deletes the sixteen sound files of the scheme from the folder.
void RemoveSoundFiles(const std::string& soundsFolder, RemovalReport& report);

// Deletes every "*.bmp" file of the folder.
void RemovePictureFiles(const std::string& picturesFolder, RemovalReport& report);

// Deletes the named files of the folder. A name that is not a plain file
// name (a path, a drive, "." or "..") is passed over.
void RemoveListedPictures(const std::string& picturesFolder, const std::vector<std::string>& names,
                          RemovalReport& report);

// Removes a folder when it is empty. A folder that still holds other files is
// kept and named in the report's kept folders; a missing one is ignored.
void RemoveFolderIfEmpty(const std::string& folder, RemovalReport& report);
