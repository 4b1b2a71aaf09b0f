// Helpers for tests that drive the real programs under Wine: the registry,
// files and directories, child processes, windows and their pixels.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace vrxtest {

// ---- Registry ----------------------------------------------------------
struct RegValue {
    bool present = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
    std::string Text() const { return std::string(bytes.begin(), bytes.end()); }
    DWORD Number() const;
};

// Reads a value exactly as stored (bytes and type); absent when the key or value is missing.
RegValue ReadValue(HKEY root, const std::string& key, const std::string& name);
bool KeyExists(HKEY root, const std::string& key);
void DeleteKeyTree(HKEY root, const std::string& key);
void WriteRaw(HKEY root, const std::string& key, const std::string& name, DWORD type, const void* data, DWORD size);
void WriteText(HKEY root, const std::string& key, const std::string& name, const std::string& text,
               bool withNul = false);
void WriteNumber(HKEY root, const std::string& key, const std::string& name, DWORD value);

// The saver's settings key under HKEY_LOCAL_MACHINE.
extern const char kSettingsKey[];

// ---- Files and paths ---------------------------------------------------
// Directory of the running test program, without a trailing backslash.
std::string ProgramDirectory();
// The build directory (two levels above tests\bin).
std::string BuildDirectory();
std::string JoinPath(const std::string& directory, const std::string& name);
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
std::vector<BYTE> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const void* data, size_t size);
void CopyFileTo(const std::string& from, const std::string& to);
// Names of the files (not directories) matching pattern in directory, in the
// file system's order.
std::vector<std::string> FilesIn(const std::string& directory, const char* pattern);
// Removes a directory and all it holds; quiet when it does not exist.
void RemoveTree(const std::string& path);
// A fresh, empty scratch directory below the Wine prefix's temporary directory.
std::string MakeScratchDirectory(const std::string& name);
// A scratch installed tree (scratch directory <name>) whose "pictures"
// directory holds one copy of a sample picture, named <picture>.
std::string MakeTreeWithOnePicture(const std::string& name, const std::string& sample, const std::string& picture);

// ---- Processes ---------------------------------------------------------
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts "program" arguments; the command line is "\"program\" arguments".
    // With rawCommandLine the command line is taken as given.
    bool Start(const std::string& program, const std::string& arguments, const std::string& directory = "",
               bool rawCommandLine = false);
    // Waits for the end; returns false on timeout.
    bool Wait(DWORD milliseconds);
    // Waits for the end while dispatching this thread's messages (needed when
    // the child talks to a window of this thread).
    bool WaitPumping(DWORD milliseconds);
    bool Running() const;
    DWORD ExitCode() const;
    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }
    void Kill();
    // Waits until the child is idle in its message loop (WaitForInputIdle).
    bool WaitIdle(DWORD milliseconds);

private:
    PROCESS_INFORMATION info_ = {};
};

// Runs a program to its end (or kills it at the timeout) and returns its exit code;
// 0xDEADBEEF after a timeout.
DWORD RunToEnd(const std::string& program, const std::string& arguments, DWORD timeoutMs = 10000,
               const std::string& directory = "");

// Sets a variable in this process's environment, which children inherit.
void SetEnv(const std::string& name, const std::string& value);
void UnsetEnv(const std::string& name);

// ---- Windows and messages ----------------------------------------------
// Pumps this thread's messages for the given time.
void PumpFor(DWORD milliseconds);
// Pumps messages until cond() is true or the time runs out; returns cond().
bool PumpUntil(const std::function<bool()>& cond, DWORD timeoutMs);
// Top-level window of a process with the given class and/or title (NULL = any).
HWND FindProcessWindow(DWORD processId, const char* className, const char* title);
// Waits for such a window while pumping.
HWND WaitForProcessWindow(DWORD processId, const char* className, const char* title, DWORD timeoutMs);
std::string WindowText(HWND window);
std::string ClassName(HWND window);

// ---- Pixels ------------------------------------------------------------
// Colour of a pixel of a window's client area, read through the window's DC.
COLORREF PixelOf(HWND window, int x, int y);
// Copies a window's client area, row by row from the top, as COLORREF values.
std::vector<COLORREF> CaptureClient(HWND window, int* width, int* height);
// True when two colours differ by at most tolerance in each channel (palette screens approximate).
bool Near(COLORREF a, COLORREF b, int tolerance);

// What a test counts to see that nothing is kept: Wine answers 0 to
// GetGuiResources and GetProcessHandleCount, so a kept kernel handle shows
// as the next handle value climbing and a kept GDI object as the next GDI
// slot climbing; kept memory as private bytes growing.
SIZE_T PrivateBytes();
ULONG_PTR NextHandleValue();
ULONG_PTR NextGdiSlot();
// Bits per pixel of the screen.
int ScreenDepth();

}  // namespace vrxtest
