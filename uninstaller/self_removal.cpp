// Deleting the uninstaller itself after the removal, at the next start of
// Windows. Windows NT does it for MoveFileExA with MOVEFILE_DELAY_UNTIL_REBOOT.
// The Windows 95 family does not carry that request out; its WININIT.EXE
// deletes, before Windows starts, each file named by a "NUL=" line of the
// [rename] section of WININIT.INI, by its short (MS-DOS) path.
#include "self_removal.h"

#include <windows.h>

#include <string>

#include "command_line.h"
#include "windows_family.h"

namespace {

typedef BOOL(WINAPI* MoveFileExProc)(LPCSTR, LPCSTR, DWORD);

// Looked up at run time: the program then loads where KERNEL32 lacks it.
bool DeleteAtNextStartNt(const std::string& path)
{
    MoveFileExProc moveFileEx = reinterpret_cast<MoveFileExProc>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("KERNEL32.DLL"), "MoveFileExA")));
    return moveFileEx && moveFileEx(path.c_str(), NULL, MOVEFILE_DELAY_UNTIL_REBOOT);
}

bool ReadWholeFile(const std::string& path, std::string& text)
{
    text.clear();
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    DWORD size = GetFileSize(file, NULL);
    bool ok = size != INVALID_FILE_SIZE;
    if (ok && size > 0) {
        text.resize(size);
        DWORD read = 0;
        ok = ReadFile(file, &text[0], size, &read, NULL) && read == size;
    }
    CloseHandle(file);
    return ok;
}

bool WriteWholeFile(const std::string& path, const std::string& text)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, NULL) &&
              written == text.size();
    return CloseHandle(file) && ok;
}

// The offset just past the end of the line that starts at `at`.
size_t EndOfLine(const std::string& text, size_t at)
{
    size_t newline = text.find('\n', at);
    return newline == std::string::npos ? text.size() : newline + 1;
}

std::string Trimmed(const std::string& line)
{
    size_t first = line.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::string();
    return line.substr(first, line.find_last_not_of(" \t\r\n") - first + 1);
}

// Adds the line to the [rename] section of the text, which may hold other
// programs' entries (several "NUL=" lines among them: the file is edited as
// text, since the profile functions would keep only one line per name). A
// line already there is not repeated.
std::string WithRenameLine(const std::string& text, const std::string& line)
{
    size_t at = 0;
    while (at < text.size()) {
        size_t next = EndOfLine(text, at);
        if (lstrcmpiA(Trimmed(text.substr(at, next - at)).c_str(), "[rename]") == 0) {
            for (size_t entry = next; entry < text.size(); entry = EndOfLine(text, entry)) {
                std::string current = Trimmed(text.substr(entry, EndOfLine(text, entry) - entry));
                if (!current.empty() && current[0] == '[')
                    break;
                if (lstrcmpiA(current.c_str(), line.c_str()) == 0)
                    return text;
            }
            std::string before = text.substr(0, next);
            if (!before.empty() && before[before.size() - 1] != '\n')
                before += "\r\n";
            return before + line + "\r\n" + text.substr(next);
        }
        at = next;
    }
    std::string result = text;
    if (!result.empty() && result[result.size() - 1] != '\n')
        result += "\r\n";
    return result + "[rename]\r\n" + line + "\r\n";
}

bool DeleteAtNextStart95(const std::string& path, const std::string& windowsDirectory)
{
    char shortPath[MAX_PATH];
    DWORD length = GetShortPathNameA(path.c_str(), shortPath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    std::string wininit = windowsDirectory + "\\WININIT.INI";
    std::string text;
    if (!ReadWholeFile(wininit, text))
        return false;
    std::string changed = WithRenameLine(text, "NUL=" + std::string(shortPath, length));
    return changed == text || WriteWholeFile(wininit, changed);
}

}  // namespace

void ScheduleSelfRemoval(RemovalReport& report)
{
    char module[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, module, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    std::string self(module, length);
    size_t slash = self.find_last_of('\\');
    if (slash == std::string::npos)
        return;

    char windows[MAX_PATH];
    UINT windowsLength = GetWindowsDirectoryA(windows, MAX_PATH);
    if (windowsLength == 0 || windowsLength >= MAX_PATH)
        return;
    std::string windowsDirectory = WithoutTrailingBackslash(std::string(windows, windowsLength));
    if (lstrcmpiA(self.substr(0, slash).c_str(), windowsDirectory.c_str()) != 0)
        return;

    report.selfPath = self;
    report.selfRemovalScheduled =
        IsWindows95Family() ? DeleteAtNextStart95(self, windowsDirectory) : DeleteAtNextStartNt(self);
}
