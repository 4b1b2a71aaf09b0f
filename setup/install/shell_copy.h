// One copy of files through the shell's file operation, with the shell's own
// progress, confirmation and error dialogs.
#pragma once

#include <windows.h>
#include <shellapi.h>

// Copies of sounds and pictures: missing directories are made without a
// question, an existing file is replaced only after the shell has asked.
#define COPY_ASKING_FLAGS (FOF_FILESONLY | FOF_SIMPLEPROGRESS | FOF_NOCONFIRMMKDIR)
// The saver's copy into the Windows directory replaces it without a question.
#define COPY_REPLACING_FLAGS (FOF_FILESONLY | FOF_SIMPLEPROGRESS | FOF_NOCONFIRMATION)
// Every copy of the unattended installation: no window at all, files of the
// same name replaced, missing directories made, errors only returned.
#define COPY_SILENT_FLAGS \
    (FOF_FILESONLY | FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_NOCONFIRMMKDIR)

// Runs FO_COPY of the one-entry lists from and to (each double-NUL
// terminated), modal to owner, and returns the shell's result: 0 on success.
// A source whose directory does not exist counts as failed even where the
// shell reports success for a pattern that matched nothing.
int CopyThroughShell(HWND owner, const char* from, const char* to, FILEOP_FLAGS flags, const char* progressTitle);

// TRUE when the directory part of path (everything before its last
// backslash) is an existing directory.
BOOL SourceDirectoryExists(const char* path);
