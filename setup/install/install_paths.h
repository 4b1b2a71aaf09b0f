// Path building for the installation: directories lose one trailing
// backslash before a name is appended, and nothing is ever cut short.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Copies directory into buffer (MAX_PATH characters) without one trailing
// backslash. FALSE, with buffer emptied, when it does not fit.
BOOL TrimDirectory(char* buffer, const char* directory);

// buffer := directory (one trailing backslash removed) + tail. FALSE, with
// buffer emptied, when the result would not fit in MAX_PATH characters.
BOOL JoinInstallPath(char* buffer, const char* directory, const char* tail);

// The same into a buffer followed by a second NUL, the list form the shell's
// file operation takes; buffer holds MAX_PATH + 1 characters.
BOOL JoinShellList(char* buffer, const char* directory, const char* tail);

// TRUE for "X:\..." and "\\server\..." paths.
BOOL IsAbsolutePath(const char* path);

// Creates a directory and every missing level above it; TRUE when it exists
// afterwards. made, when given, receives the levels it created, outermost first.
BOOL EnsureDirectory(const char* path, std::vector<std::string>* made = NULL);
