// Driving MARLO.EXE from outside.
#include "setup_driver.h"

#include <utility>

using namespace vrxtest;

namespace e2e {

const char kProductTitle[] = "Economiseur d'\xE9" "cran VRX2";
const char kDestinationTitle[] = "Destination directory";
const char kExitTitle[] = "Sortir";
const char kInstalledMessage[] = "Fichiers inst. correctement.";

std::string DistDirectory() { return JoinPath(BuildDirectory(), "dist"); }
std::string MarloPath() { return JoinPath(DistDirectory(), "MARLO.EXE"); }

namespace {

struct WindowList {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM lParam)
{
    WindowList* list = reinterpret_cast<WindowList*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == list->processId && IsWindowVisible(window))
        list->windows.push_back(window);
    return TRUE;
}

std::vector<HWND> VisibleWindows(DWORD processId)
{
    WindowList list = {processId, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&list));
    return list.windows;
}

// A message box: a dialog with the static text 0xFFFF and no check box.
bool IsMessageBox(HWND dialog)
{
    return ClassName(dialog) == "#32770" && GetDlgItem(dialog, 0xFFFF) != NULL && GetDlgItem(dialog, 1000) == NULL &&
           GetDlgItem(dialog, 1002) == NULL;
}

BOOL CALLBACK CollectStatic(HWND child, LPARAM lParam)
{
    std::string* texts = reinterpret_cast<std::string*>(lParam);
    if (ClassName(child) == "Static" && !WindowText(child).empty()) {
        if (!texts->empty())
            *texts += " | ";
        *texts += WindowText(child);
    }
    return TRUE;
}

BOOL CALLBACK MatchText(HWND child, LPARAM lParam)
{
    std::pair<const char*, HWND>* wanted = reinterpret_cast<std::pair<const char*, HWND>*>(lParam);
    if (WindowText(child) == wanted->first) {
        wanted->second = child;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindChildByText(HWND dialog, const char* text)
{
    std::pair<const char*, HWND> wanted(text, NULL);
    EnumChildWindows(dialog, MatchText, reinterpret_cast<LPARAM>(&wanted));
    return wanted.second;
}

std::vector<std::string> ProcessWindows(DWORD processId)
{
    std::vector<std::string> names;
    for (HWND window : VisibleWindows(processId))
        names.push_back(ClassName(window) + " '" + WindowText(window) + "'");
    return names;
}

void Click(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

std::string ItemText(HWND dialog, int id)
{
    char text[1024] = "";
    LRESULT length = SendMessageA(GetDlgItem(dialog, id), WM_GETTEXT, sizeof text, (LPARAM)text);
    return std::string(text, length > 0 ? (size_t)length : 0);
}

std::string DialogTexts(HWND dialog)
{
    std::string texts;
    EnumChildWindows(dialog, CollectStatic, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

WatchedRun RunWatched(const std::string& program, const std::string& arguments, const std::string& directory,
                      DWORD timeoutMs, bool stopAtFirstWindow)
{
    WatchedRun run;
    ChildProcess child;
    if (!child.Start(program, arguments, directory))
        return run;
    DWORD start = GetTickCount();
    bool running = true;
    while (running && GetTickCount() - start < timeoutMs) {
        // Looked at once more after the end: a window of its last moments.
        running = child.Running();
        for (const std::string& name : ProcessWindows(child.Id()))
            run.windows.push_back(name);
        if (stopAtFirstWindow && !run.windows.empty())
            break;
        Sleep(1);
    }
    if (child.Running())
        child.Kill();
    else
        run.exitCode = child.ExitCode();
    return run;
}

SetupRun::~SetupRun()
{
    if (child_.Running())
        child_.Kill();
}

bool SetupRun::Start(const std::string& medium) { return child_.Start(MarloPath(), "", medium); }

HWND SetupRun::WaitDialog(const char* title, DWORD timeoutMs)
{
    HWND found = NULL;
    PumpUntil([&] {
        found = NULL;
        for (HWND window : VisibleWindows(child_.Id()))
            if (ClassName(window) == "#32770" && WindowText(window) == title && IsWindowEnabled(window))
                found = window;
        return found != NULL || !child_.Running();
    }, timeoutMs);
    return found;
}

HWND SetupRun::WaitOptions(DWORD timeoutMs)
{
    HWND found = NULL;
    PumpUntil([&] {
        found = NULL;
        for (HWND window : VisibleWindows(child_.Id()))
            if (ClassName(window) == "#32770" && GetDlgItem(window, 1000) && IsWindowEnabled(window))
                found = window;
        return found != NULL || !child_.Running();
    }, timeoutMs);
    return found;
}

bool SetupRun::ChooseAndConfirm(bool saver, bool sound)
{
    HWND options = WaitOptions();
    if (!options)
        return false;
    // Both boxes start ticked; a click clears one.
    if (!saver)
        SendMessageA(GetDlgItem(options, 1000), BM_CLICK, 0, 0);
    if (!sound)
        SendMessageA(GetDlgItem(options, 1001), BM_CLICK, 0, 0);
    Click(options, IDOK);
    return true;
}

bool SetupRun::AcceptDestination(const std::string& path)
{
    HWND destination = WaitDialog(kDestinationTitle);
    if (!destination)
        return false;
    SendMessageA(GetDlgItem(destination, 1002), WM_SETTEXT, 0, (LPARAM)path.c_str());
    Click(destination, IDOK);
    // A missing directory brings the create dialog, whose caption ends so.
    HWND create = NULL;
    PumpUntil([&] {
        create = NULL;
        for (HWND window : VisibleWindows(child_.Id())) {
            std::string title = WindowText(window);
            if (ClassName(window) == "#32770" && title.size() >= 14 &&
                title.compare(title.size() - 14, 14, "' n'existe pas") == 0 && IsWindowEnabled(window))
                create = window;
        }
        return create != NULL || !IsWindow(destination) || !IsWindowVisible(destination);
    }, 10000);
    if (create)
        Click(create, IDOK);
    return true;
}

DWORD SetupRun::Finish(DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    HWND standing = NULL;
    DWORD standingSince = 0;
    while (child_.Running()) {
        if (GetTickCount() - start > timeoutMs) {
            for (const std::string& name : ProcessWindows(child_.Id()))
                unexpected.push_back("at the timeout: " + name);
            child_.Kill();
            return kTimedOut;
        }
        HWND other = NULL;
        for (HWND window : VisibleWindows(child_.Id())) {
            if (ClassName(window) != "#32770" || !IsWindowEnabled(window))
                continue;
            if (IsMessageBox(window) && WindowText(window) == kProductTitle) {
                messages.push_back(WindowText(GetDlgItem(window, 0xFFFF)));
                SendMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
                PumpUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, 5000);
            } else if (overwriteAnswer && WindowText(window) == "Confirm file overwrite" &&
                       FindChildByText(window, overwriteAnswer)) {
                overwriteQuestions++;
                SendMessageA(FindChildByText(window, overwriteAnswer), BM_CLICK, 0, 0);
                PumpUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, 5000);
            } else {
                other = window;
            }
        }
        // The shell's progress windows come and go; a dialog that waits for
        // an answer stays.
        if (other && other == standing && GetTickCount() - standingSince > 4000) {
            unexpected.push_back(ClassName(other) + " '" + WindowText(other) + "': " + DialogTexts(other));
            PostMessageA(other, WM_COMMAND, IDCANCEL, 0);
            standing = NULL;
        } else if (other != standing) {
            standing = other;
            standingSince = GetTickCount();
        }
        PumpFor(20);
    }
    return child_.ExitCode();
}

}  // namespace e2e
