// In-process setup: an application object, the real document template with
// the setup's frame and view, and a recording installation run.
#pragma once

#include <windows.h>

#include <string>

#include "framework.h"
#include "marlo_view.h"

namespace setuptest {

// What the installation run was handed, recorded by the test's own run.
struct InstallationCall {
    int calls = 0;
    std::string destination;
    std::string source;
    int installSaver = -1;
    int installSound = -1;
};
extern InstallationCall g_installation;

// The test program's application object, attached to the test module on first use.
CWinApp& TestApp();

// Creates the setup's frame and view through the template, as the program's
// start-up does; the view's timer is running when it returns.
CMarloView* OpenSetupWindow();
// The same with the view's start timer stopped, so that no setup sequence
// runs: a frame that owns dialogs as the program's does. NULL when the
// template made no setup view.
HWND OpenIdleSetupFrame();
// Destroys the frame (and with it the view) if it is still there.
void CloseSetupWindow();
// Removes a posted quit message; TRUE when there was one, with its code.
BOOL TakeQuitMessage(int* exitCode = NULL);
// Dispatches this thread's messages until the quit message comes (which is
// taken, not dispatched) or the time runs out; TRUE when it came, with its code.
BOOL PumpUntilQuit(DWORD timeoutMs, int* exitCode = NULL);

}  // namespace setuptest
