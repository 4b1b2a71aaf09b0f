// The slideshow's window procedure: reads the settings when the window is
// created, lists the installed pictures in the file system's order and shows
// one on every paint and every tick of its timer.
#include "slideshow.h"

#include <string.h>

#include "photo_slideshow.h"
#include "picture_display.h"
#include "saver_procs.h"

struct SaverSettings SaverSettings = {{0}, DEFAULT_FULLSCREEN, DEFAULT_UPDATE_RATE};
WIN32_FIND_DATAA PictureFind;
HANDLE PictureSearch = INVALID_HANDLE_VALUE;
BOOL ShowingPhotos = FALSE;

BOOL JoinPicturePath(char* buffer, const char* installedPath, const char* name)
{
    size_t base = strlen(installedPath);
    size_t middle = strlen(PICTURES_SUBDIRECTORY);
    size_t tail = strlen(name);
    if (base + middle + tail >= MAX_PATH) {
        buffer[0] = '\0';
        return FALSE;
    }
    memcpy(buffer, installedPath, base);
    memcpy(buffer + base, PICTURES_SUBDIRECTORY, middle);
    memcpy(buffer + base + middle, name, tail + 1);
    return TRUE;
}

namespace {

// Starts the listing afresh. When it cannot start, the current picture's
// name is empty, so the next paint names the directory itself, finds no
// file there and ends the saver.
void StartPictureSearch()
{
    char pattern[MAX_PATH];
    ZeroMemory(&PictureFind, sizeof PictureFind);
    PictureSearch = INVALID_HANDLE_VALUE;
    if (JoinPicturePath(pattern, SaverSettings.installedPath, PICTURE_PATTERN))
        PictureSearch = FindFirstFileA(pattern, &PictureFind);
    if (PictureSearch == INVALID_HANDLE_VALUE)
        ZeroMemory(&PictureFind, sizeof PictureFind);
}

void ClosePictureSearch()
{
    if (PictureSearch != INVALID_HANDLE_VALUE)
        FindClose(PictureSearch);
    PictureSearch = INVALID_HANDLE_VALUE;
}

void ShowCurrentPicture(HWND window)
{
    char path[MAX_PATH];
    JoinPicturePath(path, SaverSettings.installedPath, PictureFind.cFileName);
    ShowPictureFile(path, window);
}

void OnSlideshowCreate(HWND window, const CREATESTRUCTA* creation)
{
    ReadSaverSettings(SaverSettings.installedPath, &SaverSettings.fullscreen, &SaverSettings.updateRate);
    DrawingArea.X = creation->x;
    DrawingArea.Y = creation->y;
    DrawingArea.Width = creation->cx;
    DrawingArea.Height = creation->cy;
    StartPictureSearch();
    InvalidateRect(window, NULL, FALSE);
    // A hand-edited rate may be any 32-bit number: the period is the product
    // taken modulo 2^32, as the timer's unsigned period holds it.
    if (PictureSearch != INVALID_HANDLE_VALUE)
        SetTimer(window, SLIDESHOW_TIMER_ID, static_cast<UINT>(SaverSettings.updateRate) * 1000u, NULL);
}

void OnSlideshowPaint(HWND window)
{
    ShowCurrentPicture(window);
    ValidateRect(window, NULL);
}

// The next picture is shown at once; at the end of the list the search
// starts again and the first picture comes back through a repaint.
void OnSlideshowTimer(HWND window)
{
    if (FindNextFileA(PictureSearch, &PictureFind)) {
        ShowCurrentPicture(window);
        return;
    }
    if (GetLastError() != ERROR_NO_MORE_FILES)
        return;
    ClosePictureSearch();
    StartPictureSearch();
    InvalidateRect(window, NULL, FALSE);
}

void OnSlideshowDestroy(HWND window)
{
    ClosePictureSearch();
    KillTimer(window, SLIDESHOW_TIMER_ID);
    PostQuitMessage(0);
}

}  // namespace

LRESULT CALLBACK SlideshowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Pictures settings of the user's own give the window to the photo
    // slideshow from its creation on; without them it shows the installed
    // bitmaps as below.
    if (message == WM_CREATE)
        ShowingPhotos = PhotoSlideshowWanted();
    if (ShowingPhotos)
        return PhotoSlideshowProc(window, message, wParam, lParam);
    switch (message) {
    case WM_CREATE:
        OnSlideshowCreate(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
        return 0;
    case WM_PAINT:
        OnSlideshowPaint(window);
        return 0;
    case WM_TIMER:
        if (wParam == SLIDESHOW_TIMER_ID)
            OnSlideshowTimer(window);
        return 0;
    case WM_DESTROY:
        OnSlideshowDestroy(window);
        return 0;
    }
    return DefaultSaverProc(window, message, wParam, lParam);
}
