// The uninstaller's copy into the Windows directory: a plain whole-file copy.
#pragma once

#include <windows.h>

// Copies source to destination (created, or truncated when it exists).
// A source that cannot be opened, allocated or read whole leaves the
// destination as it was; a destination that cannot be written whole is
// removed rather than left half written. TRUE when the copy is complete.
BOOL CopyUninstaller(const char* source, const char* destination);
