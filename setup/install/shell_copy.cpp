// Copies through SHFileOperationA.
#include "shell_copy.h"

#include <string.h>

BOOL SourceDirectoryExists(const char* path)
{
    const char* slash = strrchr(path, '\\');
    if (!slash)
        return TRUE;  // relative to the current directory, which exists
    char directory[MAX_PATH];
    size_t length = (size_t)(slash - path);
    if (length >= MAX_PATH)
        return FALSE;
    memcpy(directory, path, length);
    directory[length] = '\0';
    // "C:" names the drive's current directory; its root is meant.
    if (length == 2 && directory[1] == ':') {
        directory[2] = '\\';
        directory[3] = '\0';
    }
    DWORD attributes = ::GetFileAttributesA(directory);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int CopyThroughShell(HWND owner, const char* from, const char* to, FILEOP_FLAGS flags, const char* progressTitle)
{
    SHFILEOPSTRUCTA operation;
    ZeroMemory(&operation, sizeof operation);
    operation.hwnd = owner;
    operation.wFunc = FO_COPY;
    operation.pFrom = from;
    operation.pTo = to;
    operation.fFlags = flags;
    operation.fAnyOperationsAborted = FALSE;
    operation.hNameMappings = NULL;
    operation.lpszProgressTitle = progressTitle;
    int result = ::SHFileOperationA(&operation);
    // Wine answers 0 for a pattern in a missing directory, where Windows
    // fails and says so in its own dialog.
    if (result == 0 && !SourceDirectoryExists(from))
        result = ERROR_PATH_NOT_FOUND;
    return result;
}
