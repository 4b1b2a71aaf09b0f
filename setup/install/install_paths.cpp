// Path building for the installation run and its registrations.
#include "install_paths.h"

#include <string.h>

BOOL TrimDirectory(char* buffer, const char* directory)
{
    size_t length = strlen(directory);
    if (length > 0 && directory[length - 1] == '\\')
        length--;
    if (length >= MAX_PATH) {
        buffer[0] = '\0';
        return FALSE;
    }
    memcpy(buffer, directory, length);
    buffer[length] = '\0';
    return TRUE;
}

BOOL JoinInstallPath(char* buffer, const char* directory, const char* tail)
{
    char trimmed[MAX_PATH];
    if (!TrimDirectory(trimmed, directory)) {
        buffer[0] = '\0';
        return FALSE;
    }
    size_t head = strlen(trimmed);
    size_t rest = strlen(tail);
    if (head + rest >= MAX_PATH) {
        buffer[0] = '\0';
        return FALSE;
    }
    memcpy(buffer, trimmed, head);
    memcpy(buffer + head, tail, rest + 1);
    return TRUE;
}

BOOL JoinShellList(char* buffer, const char* directory, const char* tail)
{
    if (!JoinInstallPath(buffer, directory, tail)) {
        buffer[1] = '\0';
        return FALSE;
    }
    buffer[strlen(buffer) + 1] = '\0';
    return TRUE;
}

BOOL IsAbsolutePath(const char* path)
{
    if (path[0] == '\\' && path[1] == '\\')
        return TRUE;
    return ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) && path[1] == ':' &&
           path[2] == '\\';
}

BOOL EnsureDirectory(const char* path, std::vector<std::string>* made)
{
    char level[MAX_PATH];
    size_t length = strlen(path);
    if (length == 0 || length >= MAX_PATH)
        return FALSE;
    memcpy(level, path, length + 1);
    // Each backslash after the root ends one level; "C:\" and "\\server\share" are not created.
    for (size_t i = 3; i < length; i++) {
        if (level[i] != '\\')
            continue;
        level[i] = '\0';
        if (::CreateDirectoryA(level, NULL) && made)
            made->push_back(level);
        level[i] = '\\';
    }
    if (::CreateDirectoryA(level, NULL) && made)
        made->push_back(level);
    DWORD attributes = ::GetFileAttributesA(level);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
