// The slideshow: the saver's own window procedure, between the frame
// procedure and the default saver procedure.
#pragma once

#include <windows.h>

LRESULT CALLBACK SlideshowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
