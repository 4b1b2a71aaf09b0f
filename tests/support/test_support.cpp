// Helpers for tests that drive the real programs under Wine.
#include "test_support.h"

#include <psapi.h>

#include <stdio.h>

namespace vrxtest {

const char kSettingsKey[] = "Software\\Quandrel\\VRX2SS";

DWORD RegValue::Number() const
{
    DWORD value = 0;
    if (bytes.size() >= sizeof value)
        memcpy(&value, bytes.data(), sizeof value);
    return value;
}

// Read through the wide API: the ANSI one adds a NUL to texts stored
// without one, which would hide the very length under test. Texts come back
// converted to Windows-1252 with exactly the characters stored.
RegValue ReadValue(HKEY root, const std::string& key, const std::string& name)
{
    RegValue result;
    HKEY handle;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
        return result;
    std::wstring wideName(name.begin(), name.end());
    const wchar_t* valueName = name.empty() ? NULL : wideName.c_str();
    DWORD size = 0;
    if (RegQueryValueExW(handle, valueName, NULL, &result.type, NULL, &size) == ERROR_SUCCESS) {
        std::vector<BYTE> raw(size + 2);
        if (RegQueryValueExW(handle, valueName, NULL, &result.type, raw.data(), &size) == ERROR_SUCCESS) {
            raw.resize(size);
            result.present = true;
            bool text = result.type == REG_SZ || result.type == REG_EXPAND_SZ || result.type == REG_MULTI_SZ;
            if (text && size % 2 == 0) {
                int chars = static_cast<int>(size / 2);
                const wchar_t* wide = reinterpret_cast<const wchar_t*>(raw.data());
                int length = WideCharToMultiByte(1252, 0, wide, chars, NULL, 0, NULL, NULL);
                result.bytes.resize(length);
                if (length)
                    WideCharToMultiByte(1252, 0, wide, chars, reinterpret_cast<char*>(result.bytes.data()), length,
                                        NULL, NULL);
            } else {
                result.bytes = raw;
            }
        }
    }
    RegCloseKey(handle);
    return result;
}

bool KeyExists(HKEY root, const std::string& key)
{
    HKEY handle;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

void DeleteKeyTree(HKEY root, const std::string& key)
{
    HKEY handle;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, &handle) != ERROR_SUCCESS)
        return;
    char name[MAX_PATH];
    for (;;) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(handle, 0, name, &length, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        DeleteKeyTree(handle, name);
    }
    RegCloseKey(handle);
    RegDeleteKeyA(root, key.c_str());
}

static HKEY CreateKey(HKEY root, const std::string& key)
{
    HKEY handle = NULL;
    RegCreateKeyExA(root, key.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &handle, NULL);
    return handle;
}

void WriteRaw(HKEY root, const std::string& key, const std::string& name, DWORD type, const void* data, DWORD size)
{
    HKEY handle = CreateKey(root, key);
    if (!handle)
        return;
    RegSetValueExA(handle, name.empty() ? NULL : name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(handle);
}

void WriteText(HKEY root, const std::string& key, const std::string& name, const std::string& text, bool withNul)
{
    WriteRaw(root, key, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + (withNul ? 1 : 0)));
}

void WriteNumber(HKEY root, const std::string& key, const std::string& name, DWORD value)
{
    WriteRaw(root, key, name, REG_DWORD, &value, sizeof value);
}

std::string ProgramDirectory()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string result(path, length);
    size_t slash = result.find_last_of('\\');
    return slash == std::string::npos ? result : result.substr(0, slash);
}

std::string BuildDirectory()
{
    std::string dir = ProgramDirectory();  // <build>\tests\bin
    for (int i = 0; i < 2; ++i) {
        size_t slash = dir.find_last_of('\\');
        if (slash != std::string::npos)
            dir = dir.substr(0, slash);
    }
    return dir;
}

std::string JoinPath(const std::string& directory, const std::string& name)
{
    if (!directory.empty() && directory.back() == '\\')
        return directory + name;
    return directory + "\\" + name;
}

bool FileExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<BYTE> ReadFileBytes(const std::string& path)
{
    std::vector<BYTE> bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                              0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    DWORD size = GetFileSize(file, NULL);
    bytes.resize(size);
    DWORD read = 0;
    if (size)
        ReadFile(file, bytes.data(), size, &read, NULL);
    bytes.resize(read);
    CloseHandle(file);
    return bytes;
}

void WriteFileBytes(const std::string& path, const void* data, size_t size)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    if (size)
        WriteFile(file, data, static_cast<DWORD>(size), &written, NULL);
    CloseHandle(file);
}

void CopyFileTo(const std::string& from, const std::string& to)
{
    CopyFileA(from.c_str(), to.c_str(), FALSE);
}

std::vector<std::string> FilesIn(const std::string& directory, const char* pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(JoinPath(directory, pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA find;
    HANDLE search = FindFirstFileA(JoinPath(path, "*").c_str(), &find);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = find.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = JoinPath(path, name);
            if (find.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &find));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

std::string MakeScratchDirectory(const std::string& name)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string dir = JoinPath(temp, "vrxtest-" + name);
    RemoveTree(dir);
    CreateDirectoryA(dir.c_str(), NULL);
    return dir;
}

std::string MakeTreeWithOnePicture(const std::string& name, const std::string& sample, const std::string& picture)
{
    std::string tree = MakeScratchDirectory(name);
    std::string pictures = JoinPath(tree, "pictures");
    CreateDirectoryA(pictures.c_str(), NULL);
    CopyFileTo(JoinPath(JoinPath(BuildDirectory(), "samples"), sample), JoinPath(pictures, picture));
    return tree;
}

ChildProcess::~ChildProcess()
{
    if (info_.hProcess) {
        if (Running())
            Kill();
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
}

bool ChildProcess::Start(const std::string& program, const std::string& arguments, const std::string& directory,
                         bool rawCommandLine)
{
    std::string commandLine = rawCommandLine ? arguments : "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    return CreateProcessA(program.c_str(), buffer.data(), NULL, NULL, FALSE, 0, NULL,
                          directory.empty() ? NULL : directory.c_str(), &startup, &info_) != FALSE;
}

bool ChildProcess::Wait(DWORD milliseconds)
{
    return info_.hProcess && WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0;
}

bool ChildProcess::WaitPumping(DWORD milliseconds)
{
    HANDLE process = info_.hProcess;
    return process && PumpUntil([process] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, milliseconds);
}

bool ChildProcess::Running() const
{
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD ChildProcess::ExitCode() const
{
    DWORD code = 0xDEADBEEF;
    if (info_.hProcess)
        GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

void ChildProcess::Kill()
{
    if (info_.hProcess) {
        TerminateProcess(info_.hProcess, 0xDEAD);
        WaitForSingleObject(info_.hProcess, 5000);
    }
}

bool ChildProcess::WaitIdle(DWORD milliseconds)
{
    return info_.hProcess && WaitForInputIdle(info_.hProcess, milliseconds) == 0;
}

DWORD RunToEnd(const std::string& program, const std::string& arguments, DWORD timeoutMs,
               const std::string& directory)
{
    ChildProcess child;
    if (!child.Start(program, arguments, directory))
        return 0xDEADBEEF;
    if (!child.Wait(timeoutMs)) {
        child.Kill();
        return 0xDEADBEEF;
    }
    return child.ExitCode();
}

void SetEnv(const std::string& name, const std::string& value)
{
    SetEnvironmentVariableA(name.c_str(), value.c_str());
}

void UnsetEnv(const std::string& name)
{
    SetEnvironmentVariableA(name.c_str(), NULL);
}

void PumpFor(DWORD milliseconds)
{
    DWORD start = GetTickCount();
    MSG message;
    do {
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
}

bool PumpUntil(const std::function<bool()>& cond, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    MSG message;
    for (;;) {
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (cond())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return cond();
        MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_ALLINPUT);
    }
}

namespace {
struct FindRequest {
    DWORD processId;
    const char* className;
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam)
{
    FindRequest* request = reinterpret_cast<FindRequest*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (request->processId && owner != request->processId)
        return TRUE;
    if (request->className && ClassName(window) != request->className)
        return TRUE;
    if (request->title && WindowText(window) != request->title)
        return TRUE;
    request->found = window;
    return FALSE;
}
}  // namespace

HWND FindProcessWindow(DWORD processId, const char* className, const char* title)
{
    FindRequest request = {processId, className, title, NULL};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&request));
    return request.found;
}

HWND WaitForProcessWindow(DWORD processId, const char* className, const char* title, DWORD timeoutMs)
{
    HWND found = NULL;
    PumpUntil([&] { return (found = FindProcessWindow(processId, className, title)) != NULL; }, timeoutMs);
    return found;
}

std::string WindowText(HWND window)
{
    char text[1024];
    int length = GetWindowTextA(window, text, sizeof text);
    return std::string(text, length > 0 ? length : 0);
}

std::string ClassName(HWND window)
{
    char name[256];
    int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

COLORREF PixelOf(HWND window, int x, int y)
{
    HDC dc = GetDC(window);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

std::vector<COLORREF> CaptureClient(HWND window, int* width, int* height)
{
    RECT client;
    GetClientRect(window, &client);
    int w = client.right, h = client.bottom;
    std::vector<COLORREF> pixels(static_cast<size_t>(w) * h);
    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    BITMAPINFO info;
    ZeroMemory(&info, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = NULL;
    HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(memory, section);
    BitBlt(memory, 0, 0, w, h, dc, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD* source = static_cast<const DWORD*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i) {
        DWORD rgb = source[i];
        pixels[i] = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }
    SelectObject(memory, old);
    DeleteObject(section);
    DeleteDC(memory);
    ReleaseDC(window, dc);
    *width = w;
    *height = h;
    return pixels;
}

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return abs(GetRValue(a) - GetRValue(b)) <= tolerance && abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

int ScreenDepth()
{
    HDC dc = GetDC(NULL);
    int bits = GetDeviceCaps(dc, BITSPIXEL);
    ReleaseDC(NULL, dc);
    return bits;
}

SIZE_T PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters;
    ZeroMemory(&counters, sizeof counters);
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
    return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

ULONG_PTR NextHandleValue()
{
    HANDLE probe = CreateEventA(NULL, FALSE, FALSE, NULL);
    ULONG_PTR value = reinterpret_cast<ULONG_PTR>(probe);
    CloseHandle(probe);
    return value;
}

ULONG_PTR NextGdiSlot()
{
    HBITMAP probe = CreateBitmap(1, 1, 1, 1, NULL);
    ULONG_PTR slot = reinterpret_cast<ULONG_PTR>(probe) & 0xFFFF;
    DeleteObject(probe);
    return slot;
}

}  // namespace vrxtest
