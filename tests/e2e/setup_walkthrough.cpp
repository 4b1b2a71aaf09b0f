// setup_walkthrough <destination> [extra pictures [saver]]: runs MARLO.EXE
// from build\dist (or, with extra pictures, from a larger medium made from
// it, so that the shell's progress stays up a while) and stops at each step
// for a screenshot: it prints "SHOT <name>" and waits two seconds. With
// "saver" it then starts the installed saver from the Windows directory.
// Not a test.
#include <stdio.h>

#include <string>

#include "setup_driver.h"
#include "test_support.h"

using namespace vrxtest;
using namespace e2e;

namespace {

void Shot(const char* name)
{
    printf("SHOT %s\n", name);
    fflush(stdout);
    PumpFor(2000);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: setup_walkthrough <destination> [extra pictures]\n");
        return 2;
    }
    std::string medium = DistDirectory();
    int extra = argc > 2 ? atoi(argv[2]) : 0;
    if (extra > 0) {
        medium = MakeScratchDirectory("walkthrough-medium");
        std::string pictures = JoinPath(medium, "pictures");
        std::string sounds = JoinPath(medium, "sounds");
        CreateDirectoryA(pictures.c_str(), NULL);
        CreateDirectoryA(sounds.c_str(), NULL);
        std::string from = JoinPath(DistDirectory(), "pictures");
        for (const char* name : {"VRXSaver.scr", "ssunins.exe"})
            CopyFileTo(JoinPath(from, name), JoinPath(pictures, name));
        WIN32_FIND_DATAA found;
        for (const char* pattern : {"*.bmp", "*.wav"}) {
            std::string source = pattern[2] == 'b' ? from : JoinPath(DistDirectory(), "sounds");
            HANDLE search = FindFirstFileA(JoinPath(source, pattern).c_str(), &found);
            do {
                CopyFileTo(JoinPath(source, found.cFileName),
                           JoinPath(pattern[2] == 'b' ? pictures : sounds, found.cFileName));
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        // Extra copies of one sample make the picture copy last.
        HANDLE search = FindFirstFileA(JoinPath(from, "*.bmp").c_str(), &found);
        FindClose(search);
        for (int i = 0; i < extra; ++i) {
            char name[32];
            snprintf(name, sizeof name, "extra%03d.bmp", i);
            CopyFileTo(JoinPath(from, found.cFileName), JoinPath(pictures, name));
        }
    }

    SetupRun run;
    if (!run.Start(medium))
        return 1;
    HWND options = run.WaitOptions();
    if (!options)
        return 1;
    Shot("options");
    Click(options, IDOK);
    HWND destination = run.WaitDialog(kDestinationTitle);
    if (!destination)
        return 1;
    SendMessageA(GetDlgItem(destination, 1002), WM_SETTEXT, 0, (LPARAM)argv[1]);
    Shot("destination");
    Click(destination, IDOK);

    // The create dialog, the shell's progress windows and the closing message, as they come.
    DWORD start = GetTickCount();
    int progressShots = 0;
    while (run.Id() && GetTickCount() - start < 120000) {
        DWORD code = 0;
        HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, run.Id());
        bool running = process && GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
        if (process)
            CloseHandle(process);
        if (!running)
            break;
        std::string seen;
        for (const std::string& name : ProcessWindows(run.Id()))
            seen += name + "; ";
        static std::string lastSeen;
        if (seen != lastSeen)
            printf("WINDOWS %s\n", seen.c_str());
        lastSeen = seen;
        HWND create = NULL, box = NULL, confirm = NULL, other = NULL;
        for (HWND window = GetTopWindow(NULL); window; window = GetWindow(window, GW_HWNDNEXT)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != run.Id() || !IsWindowVisible(window))
                continue;
            std::string title = WindowText(window);
            if (title.find("n'existe pas") != std::string::npos)
                create = window;
            else if (title == "Confirm file overwrite")
                confirm = window;
            else if (ClassName(window) == "#32770" && GetDlgItem(window, 0xFFFF) && title == kProductTitle)
                box = window;
            else if (title != kProductTitle && title != kDestinationTitle)
                other = window;
        }
        if (create) {
            Shot("create");
            Click(create, IDOK);
            PumpFor(300);
        } else if (confirm) {
            Shot("confirm");
            HWND yesToAll = FindChildByText(confirm, "Yes to &all");
            if (yesToAll)
                SendMessageA(yesToAll, BM_CLICK, 0, 0);
            else
                PostMessageA(confirm, WM_COMMAND, IDCANCEL, 0);
            PumpFor(300);
        } else if (box) {
            Shot("success");
            SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        } else if (other && progressShots < 2) {
            printf("SHOT progress%d\n", ++progressShots);
            fflush(stdout);
            PumpFor(700);
        }
        PumpFor(50);
    }
    if (argc > 3 && std::string(argv[3]) == "saver") {
        char windows[MAX_PATH];
        GetWindowsDirectoryA(windows, MAX_PATH);
        ChildProcess saver;
        if (saver.Start(JoinPath(windows, "VRXSaver.scr"), "/s", windows) &&
            WaitForProcessWindow(saver.Id(), "WindowsScreenSaverClass", "Screen Saver", 10000)) {
            // The first picture comes after the wipe to black.
            PumpFor(5000);
            Shot("saver");
        }
        saver.Kill();
    }
    printf("DONE\n");
    return 0;
}
