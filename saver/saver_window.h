// The saver window in its two forms: full screen, or a preview inside a
// window of the display settings.
#pragma once

#include <windows.h>

// Registers the window class and creates the saver window as a preview
// child of parent, or full screen without one, then in full screen the
// blanking windows of the other monitors. NULL when either step fails.
HWND CreateSaverWindow(HWND parent);

// The ordinary message loop; returns the quit message's wParam.
int RunSaverMessageLoop();
