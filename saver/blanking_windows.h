// Black windows over the monitors that the full-screen saver window leaves
// uncovered: it covers the primary screen only.
#pragma once

#include <windows.h>

#define BLANKING_CLASS_NAME "VRXSaverBlankingClass"

// Covers each monitor other than the primary one with a black, topmost
// window owned by the saver window, which takes them down with it. The saver
// window keeps the activation.
void CoverOtherMonitors(HWND saverWindow);

// After a change of the monitors' layout (one added, removed, moved or
// resized): the saver window over the primary monitor as it is now, and
// blanking windows over the others as they are now, the old ones gone.
void CoverMonitorsAgain(HWND saverWindow);

// Puts the blanking windows of the saver window into windows (at most
// `max`) and returns how many there are.
int FindBlankingWindows(HWND saverWindow, HWND* windows, int max);

// Procedure of the blanking windows: keys, buttons, mouse moves and cursor
// requests go on to the saver window, which ends the saver by its own rules.
LRESULT CALLBACK BlankingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
