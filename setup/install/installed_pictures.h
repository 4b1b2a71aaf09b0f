// The names of the pictures an installation copied, kept in the uninstall
// entry so that the uninstaller takes those away and leaves a user's own.
#pragma once

// Adds the names of the files that pattern matches (the pictures copy's
// source, "...\pictures\*.bmp") to the REG_MULTI_SZ "Installed pictures" of
// the uninstall entry; names listed by an earlier run stay listed.
void RecordInstalledPictures(const char* pattern);
