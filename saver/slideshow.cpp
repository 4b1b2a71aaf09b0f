// The slideshow's window procedure.
#include "slideshow.h"

#include "saver_procs.h"

LRESULT CALLBACK SlideshowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefaultSaverProc(window, message, wParam, lParam);
}
