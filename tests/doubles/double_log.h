/* Shared by the test doubles: a call log and the test's answers in files
 * that the test names through environment variables. */
#pragma once

#include <windows.h>
#include <stdarg.h>
#include <stdio.h>

/* Appends one formatted line to the file named by VRX_DOUBLE_LOG. */
static void __attribute__((unused)) AppendLog(const char* format, ...)
{
    char path[MAX_PATH], line[512];
    va_list args;
    DWORD written;
    HANDLE file;
    if (!GetEnvironmentVariableA("VRX_DOUBLE_LOG", path, sizeof path))
        return;
    va_start(args, format);
    _vsnprintf(line, sizeof line - 2, format, args);
    va_end(args);
    line[sizeof line - 3] = '\0';
    lstrcatA(line, "\r\n");
    file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    WriteFile(file, line, (DWORD)lstrlenA(line), &written, NULL);
    CloseHandle(file);
}

/* Reads the file named by the environment variable into text; 0 when either is missing. */
static int __attribute__((unused)) ReadEnvFile(const char* variable, char* text, DWORD size)
{
    char path[MAX_PATH];
    DWORD read = 0;
    HANDLE file;
    if (!GetEnvironmentVariableA(variable, path, sizeof path))
        return 0;
    file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    ReadFile(file, text, size - 1, &read, NULL);
    text[read] = '\0';
    CloseHandle(file);
    return 1;
}
