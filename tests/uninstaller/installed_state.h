// An installation laid out as the setup program leaves it (files, registry
// values, system.ini, sound scheme), snapshots of that state, and helpers to
// answer the uninstaller's message boxes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "saved_state.h"
#include "scheme_events.h"

namespace unintest {

// Exit codes of ssunins.exe.
const DWORD kDone = 0;          // everything removed
const DWORD kIncomplete = 1;    // something is left
const DWORD kDeclined = 2;      // answered No
const DWORD kNothingDone = 3;   // nothing to remove, or nothing usable to go by

extern const char kProductName[];      // caption of every message of the uninstaller
extern const char kUninstallEntry[];   // HKLM key of the uninstall entry
extern const char kSchemesKey[];       // HKCU AppEvents\Schemes
extern const char kSchemeNamesKey[];   // HKCU AppEvents\Schemes\Names\VRX 2

std::string InstalledSaver();      // <Windows>\VRXSaver.scr
std::string InstalledUninstaller();  // <Windows>\ssunins.exe

struct InstalledState {
    std::string installedPath;  // holds blanks, no trailing backslash
    std::string previousSaver;  // "Previous Saver" as stored; "None" when there was none
    bool saver = true;          // "Screen Saver Installed" is "Yes"
    bool sounds = true;         // "Sound Scheme Installed" is "Yes"
    // The record of the files copied, as the setup writes it; without it, the
    // "Installed pictures" list that earlier versions wrote.
    bool fileRecord = true;
};

// Copies the files and writes the registry and system.ini as a full setup run does.
void Install(const InstalledState& state);

// Names of the installed picture files.
std::vector<std::string> PictureNames();
// The files an installation of state records, relative to its directory.
std::vector<std::string> RecordedNames(const InstalledState& state);

// Everything the uninstaller could touch, as text: system.ini, the installed
// tree, the two Windows-directory files, the settings key, the uninstall
// entry and HKCU AppEvents, values with their types and exact bytes.
std::string Snapshot(const std::string& installedPath);

// The same, with the uninstaller itself counted as gone when its removal at
// the next start is pending, as after a complete removal.
std::string SnapshotAfterRemoval(const std::string& installedPath);

// A user's sounds as Windows keeps them: the ".Default" scheme current, each
// event playing its sound of that scheme.
void WriteUsersSoundScheme();

// The files and folders below a directory, each file with its size.
std::string Tree(const std::string& directory);

// The pending deletions at the next start (PendingFileRenameOperations).
bool DeletionIsPending(const std::string& path);
// Withdraws a pending deletion that a test caused, leaving the others.
void CancelPendingDeletion(const std::string& path);

// One run of ssunins.exe with a full command line, from the Windows
// directory: its first message answered with answer (0: none is expected),
// then, when closing, its closing message with OK.
struct UninstallerRun {
    DWORD exitCode = 0xDEADBEEF;  // when it did not end
    std::string question;         // the first message's text
    std::string closing;          // the closing message's text
};
UninstallerRun RunUninstaller(const std::string& commandLine, int answer, bool closing);

// The uninstaller's message box of the given child process, its text, and
// a click on one of its buttons (IDYES, IDNO, IDOK).
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs = 15000);
std::string MessageText(HWND box);
bool ClickButton(HWND box, int id);

}  // namespace unintest
