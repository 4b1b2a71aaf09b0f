// The installed state of the uninstaller's tests, built exactly as the setup
// program leaves it: settings texts without their NUL, every other text with
// one, and the record of the files copied.
#include "installed_state.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <sstream>

#include "recorded_files.h"
#include "test_support.h"

using namespace vrxtest;

namespace unintest {

const char kProductName[] = "Economiseur d'\xe9" "cran VRX2";
const char kUninstallEntry[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VRX2SS";
const char kSchemesKey[] = "AppEvents\\Schemes";
const char kSchemeNamesKey[] = "AppEvents\\Schemes\\Names\\VRX 2";

namespace {

const char kPendingKey[] = "System\\CurrentControlSet\\Control\\Session Manager";
const wchar_t kPendingValue[] = L"PendingFileRenameOperations";

std::string Dist() { return JoinPath(BuildDirectory(), "dist"); }

std::string Hex(const std::vector<BYTE>& bytes)
{
    std::string text;
    char pair[4];
    for (BYTE b : bytes) {
        snprintf(pair, sizeof pair, "%02x", b);
        text += pair;
    }
    return text;
}

std::string Narrow(const std::wstring& wide)
{
    std::string text;
    for (wchar_t c : wide)
        text.push_back(static_cast<char>(c));
    return text;
}

void DumpKey(HKEY root, const std::wstring& path, std::ostringstream& out)
{
    HKEY key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    out << "[" << Narrow(path) << "]\n";
    std::vector<std::string> values;
    for (DWORD i = 0;; ++i) {
        wchar_t name[512];
        DWORD nameLength = 512;
        BYTE data[4096];
        DWORD size = sizeof data;
        DWORD type = 0;
        if (RegEnumValueW(key, i, name, &nameLength, NULL, &type, data, &size) != ERROR_SUCCESS)
            break;
        values.push_back(Narrow(std::wstring(name, nameLength)) + " " + std::to_string(type) + " " +
                         Hex(std::vector<BYTE>(data, data + size)));
    }
    std::sort(values.begin(), values.end());
    for (const std::string& v : values)
        out << v << "\n";
    std::vector<std::wstring> subkeys;
    for (DWORD i = 0;; ++i) {
        wchar_t name[512];
        DWORD nameLength = 512;
        if (RegEnumKeyExW(key, i, name, &nameLength, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        subkeys.push_back(std::wstring(name, nameLength));
    }
    RegCloseKey(key);
    std::sort(subkeys.begin(), subkeys.end());
    for (const std::wstring& sub : subkeys)
        DumpKey(root, path + L"\\" + sub, out);
}

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

void DumpTree(const std::string& directory, std::ostringstream& out)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(JoinPath(directory, "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        out << directory << " <absent>\n";
        return;
    }
    std::vector<std::string> entries;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        entries.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(entries.begin(), entries.end());
    for (const std::string& name : entries) {
        std::string path = JoinPath(directory, name);
        if (DirectoryExists(path)) {
            out << path << "\\\n";
            DumpTree(path, out);
        } else {
            out << path << " " << ReadFileBytes(path).size() << "\n";
        }
    }
}

std::vector<std::wstring> PendingOperations()
{
    std::vector<std::wstring> entries;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPendingKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return entries;
    DWORD size = 0;
    DWORD type = 0;
    if (RegQueryValueExW(key, kPendingValue, NULL, &type, NULL, &size) == ERROR_SUCCESS && size) {
        std::vector<wchar_t> data(size / sizeof(wchar_t) + 2, 0);
        if (RegQueryValueExW(key, kPendingValue, NULL, &type, reinterpret_cast<BYTE*>(data.data()), &size) ==
            ERROR_SUCCESS) {
            // Pairs of source and target; an empty target means deletion.
            size_t count = size / sizeof(wchar_t);
            size_t start = 0;
            for (size_t i = 0; i < count; ++i) {
                if (data[i] == 0) {
                    entries.push_back(std::wstring(data.data() + start, i - start));
                    start = i + 1;
                }
            }
        }
    }
    RegCloseKey(key);
    return entries;
}

std::wstring NtPath(const std::string& path) { return L"\\??\\" + Widen(path); }

}  // namespace

std::string InstalledSaver() { return JoinPath(WindowsDirectory(), "VRXSaver.scr"); }
std::string InstalledUninstaller() { return JoinPath(WindowsDirectory(), "ssunins.exe"); }

std::vector<std::string> PictureNames() { return {"vrx01.bmp", "vrx02.bmp", "vrx03.bmp", "vrx04.bmp", "vrx05.bmp"}; }

void Install(const InstalledState& state)
{
    std::string sounds = JoinPath(state.installedPath, "sounds");
    std::string pictures = JoinPath(state.installedPath, "pictures");
    CreateDirectoryA(state.installedPath.c_str(), NULL);
    CopyFileTo(JoinPath(JoinPath(BuildDirectory(), "uninstaller"), "ssunins.exe"), InstalledUninstaller());
    WriteText(HKEY_LOCAL_MACHINE, kSettingsKey, "Sound Scheme Installed", state.sounds ? "Yes" : "No");
    WriteText(HKEY_LOCAL_MACHINE, kSettingsKey, "Screen Saver Installed", state.saver ? "Yes" : "No");
    if (state.sounds) {
        CreateDirectoryA(sounds.c_str(), NULL);
        for (const SchemeEvent& event : kSchemeEvents)
            CopyFileTo(JoinPath(JoinPath(Dist(), "sounds"), event.fileName), JoinPath(sounds, event.fileName));
        WriteText(HKEY_CURRENT_USER, kSchemeNamesKey, "", "Kestrova 2 Sound Scheme", true);
        WriteText(HKEY_CURRENT_USER, kSchemesKey, "", "VRX 2", true);
        for (const SchemeEvent& event : kSchemeEvents) {
            std::string path = JoinPath(sounds, event.fileName);
            WriteText(HKEY_CURRENT_USER, std::string(event.eventKey) + "VRX 2", "", path, true);
            WriteText(HKEY_CURRENT_USER, std::string(event.eventKey) + ".Current", "", path, true);
        }
    }
    if (state.saver) {
        CreateDirectoryA(pictures.c_str(), NULL);
        for (const std::string& name : PictureNames())
            CopyFileTo(JoinPath(JoinPath(Dist(), "pictures"), name), JoinPath(pictures, name));
        CopyFileTo(JoinPath(JoinPath(Dist(), "pictures"), "VRXSaver.scr"), InstalledSaver());
        if (!state.fileRecord) {
            std::string list;
            for (const std::string& name : PictureNames())
                list += name + '\0';
            list += '\0';
            WriteRaw(HKEY_LOCAL_MACHINE, kUninstallEntry, "Installed pictures", REG_MULTI_SZ, list.data(),
                     (DWORD)list.size());
        }
        WriteText(HKEY_LOCAL_MACHINE, kSettingsKey, "Previous Saver", state.previousSaver);
        SetActiveSaver(InstalledSaver().c_str());
    }
    WriteText(HKEY_LOCAL_MACHINE, kSettingsKey, "Installed path", state.installedPath);
    WriteNumber(HKEY_LOCAL_MACHINE, kSettingsKey, "Fullscreen", 0);
    WriteNumber(HKEY_LOCAL_MACHINE, kSettingsKey, "UpdateRate", 10);
    WriteText(HKEY_LOCAL_MACHINE, kUninstallEntry, "DisplayName", kProductName, true);
    WriteText(HKEY_LOCAL_MACHINE, kUninstallEntry, "UninstallString",
              InstalledUninstaller() + " " + state.installedPath, true);
    if (state.fileRecord)
        RecordFiles(state.installedPath, RecordedNames(state));
}

std::vector<std::string> RecordedNames(const InstalledState& state)
{
    std::vector<std::string> names;
    if (state.sounds)
        for (const SchemeEvent& event : kSchemeEvents)
            names.push_back(std::string("sounds\\") + event.fileName);
    if (state.saver)
        for (const std::string& name : PictureNames())
            names.push_back("pictures\\" + name);
    return names;
}

std::string Snapshot(const std::string& installedPath)
{
    std::ostringstream out;
    std::vector<BYTE> ini = ReadFileBytes(JoinPath(WindowsDirectory(), "system.ini"));
    out << "system.ini " << std::string(ini.begin(), ini.end()) << "\n";
    DumpTree(installedPath, out);
    for (const std::string& file : {InstalledSaver(), InstalledUninstaller()})
        out << file << (FileExists(file) ? " present" : " absent") << "\n";
    DumpKey(HKEY_LOCAL_MACHINE, Widen(kSettingsKey), out);
    DumpKey(HKEY_LOCAL_MACHINE, Widen(kUninstallEntry), out);
    DumpKey(HKEY_CURRENT_USER, L"AppEvents", out);
    return out.str();
}

std::string SnapshotAfterRemoval(const std::string& installedPath)
{
    std::string state = Snapshot(installedPath);
    std::string present = InstalledUninstaller() + " present";
    size_t at = state.find(present);
    if (at != std::string::npos && DeletionIsPending(InstalledUninstaller()))
        state.replace(at, present.size(), InstalledUninstaller() + " absent");
    return state;
}

void WriteUsersSoundScheme()
{
    WriteText(HKEY_CURRENT_USER, kSchemesKey, "", ".Default", true);
    WriteText(HKEY_CURRENT_USER, "AppEvents\\Schemes\\Names\\.Default", "", "Windows Default", true);
    for (const SchemeEvent& event : kSchemeEvents) {
        std::string sound = std::string("C:\\windows\\media\\chord-") + event.fileName;
        WriteText(HKEY_CURRENT_USER, std::string(event.eventKey) + ".Default", "", sound, true);
        WriteText(HKEY_CURRENT_USER, std::string(event.eventKey) + ".Current", "", sound, true);
    }
}

UninstallerRun RunUninstaller(const std::string& commandLine, int answer, bool closing)
{
    UninstallerRun run;
    ChildProcess child;
    if (!child.Start(InstalledUninstaller(), commandLine, WindowsDirectory(), true))
        return run;
    if (answer) {
        HWND box = WaitForMessageBox(child.Id());
        EXPECT_TRUE(box != NULL) << "the uninstaller showed no message";
        if (box) {
            run.question = MessageText(box);
            ClickButton(box, answer);
            PumpUntil([&] { return !IsWindow(box); }, 10000);
        }
        if (closing) {
            HWND report = WaitForMessageBox(child.Id());
            EXPECT_TRUE(report != NULL) << "no closing message";
            if (report) {
                run.closing = MessageText(report);
                ClickButton(report, IDOK);
            }
        }
    }
    if (!child.WaitPumping(30000)) {
        child.Kill();
        return run;
    }
    run.exitCode = child.ExitCode();
    return run;
}

std::string Tree(const std::string& directory)
{
    std::ostringstream out;
    DumpTree(directory, out);
    return out.str();
}

bool DeletionIsPending(const std::string& path)
{
    std::vector<std::wstring> entries = PendingOperations();
    std::wstring wanted = NtPath(path);
    for (size_t i = 0; i + 1 < entries.size(); i += 2)
        if (_wcsicmp(entries[i].c_str(), wanted.c_str()) == 0 && entries[i + 1].empty())
            return true;
    return false;
}

void CancelPendingDeletion(const std::string& path)
{
    std::vector<std::wstring> entries = PendingOperations();
    std::wstring wanted = NtPath(path);
    std::wstring kept;
    bool changed = false;
    for (size_t i = 0; i + 1 < entries.size(); i += 2) {
        if (_wcsicmp(entries[i].c_str(), wanted.c_str()) == 0 && entries[i + 1].empty()) {
            changed = true;
            continue;
        }
        kept += entries[i];
        kept.push_back(0);
        kept += entries[i + 1];
        kept.push_back(0);
    }
    if (!changed)
        return;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPendingKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    if (kept.empty()) {
        RegDeleteValueW(key, kPendingValue);
    } else {
        kept.push_back(0);
        RegSetValueExW(key, kPendingValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(kept.data()),
                       static_cast<DWORD>(kept.size() * sizeof(wchar_t)));
    }
    RegCloseKey(key);
}

// A message box is shown only once its initialisation has filled in its
// text; until then its window may already carry the caption.
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs)
{
    HWND box = NULL;
    PumpUntil(
        [&] {
            box = FindProcessWindow(processId, "#32770", kProductName);
            return box && IsWindowVisible(box);
        },
        timeoutMs);
    return box && IsWindowVisible(box) ? box : NULL;
}

std::string MessageText(HWND box) { return WindowText(GetDlgItem(box, 0xFFFF)); }

bool ClickButton(HWND box, int id)
{
    HWND button = GetDlgItem(box, id);
    if (!button)
        return false;
    DWORD_PTR result = 0;
    SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
    return true;
}

}  // namespace unintest
