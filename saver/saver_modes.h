// Start-up of the saver: the command line, the platform check and the modes.
#pragma once

#include <windows.h>

// Exit code of a mode that was not run: unknown switch, dead preview window,
// change-password mode outside the Windows 95 family, no saver window.
#define SAVER_EXIT_REFUSED (-1)

// Window class and titles that Windows and the display settings know.
#define SAVER_CLASS_NAME "WindowsScreenSaverClass"
#define SAVER_FULLSCREEN_TITLE "Screen Saver"
#define SAVER_PREVIEW_TITLE "Preview"

extern "C" __declspec(noreturn) void WINAPI SaverEntry();

// Everything after the program name of a raw command line, blanks skipped.
const char* SkipProgramName(const char* commandLine);

int SaverMain(HINSTANCE instance, const char* arguments);
int DispatchSaverMode(const char* arguments);
int RunSaverWindow(HWND parent);
int RunPreview(const char* text);
HWND ParseWindowHandle(const char* text);
int RunConfiguration(HWND parent);
int RegisterSaverDialogClasses(HINSTANCE instance);

// Runs fn(argument) so that a fatal fault is reported to the platform, the
// screen-saver-running flag is cleared and the process ends with the fault's
// code instead of crashing in the middle of a mode.
int RunWithFaultGuard(int (*fn)(const char*), const char* argument);
