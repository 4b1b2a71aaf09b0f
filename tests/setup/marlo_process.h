// Starting the real MARLO.EXE and finding its frame, view and dialogs from
// the test program.
#pragma once

#include <windows.h>

#include <string>

#include "test_support.h"

namespace marlotest {

// Texts of the setup program, in Windows-1252.
extern const char kFrameTitle[];      // "Economiseur d'écran VRX2"
extern const char kDestinationTitle[];
extern const char kExitTitle[];

std::string MarloPath();

class MarloProcess {
public:
    ~MarloProcess();
    // Starts MARLO.EXE with the distribution medium as current directory.
    bool Start(const std::string& arguments = "");
    vrxtest::ChildProcess& Child() { return child_; }

    // The dialog of that title (class #32770), waiting up to timeoutMs.
    HWND WaitDialog(const char* title, DWORD timeoutMs = 15000);
    // The frame: the top-level window with the frame title that is no dialog.
    HWND Frame();
    HWND View();
    // Waits for the end; the exit code, or 0xDEADBEEF after the timeout.
    DWORD WaitExit(DWORD timeoutMs = 15000);

private:
    vrxtest::ChildProcess child_;
};

// Clicks a control of a dialog of another process.
void Click(HWND dialog, int id);
std::string ItemText(HWND dialog, int id);
// A pixel of another process's window, read from the screen (24-bit screen only).
COLORREF ScreenPixelOf(HWND window, int x, int y);
// Waits until a window is gone (closed or its process ended).
bool WaitGone(HWND window, DWORD timeoutMs = 10000);

}  // namespace marlotest
