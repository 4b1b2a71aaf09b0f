// The photo slideshow: the saver window's pictures when the user has
// pictures settings of their own (their folders, subfolders, shuffle,
// proportions). Each picture is prepared on a worker thread ahead of its
// turn; the tick wipes and draws it in one blit.
#pragma once

#include <windows.h>

#include "prepared_picture.h"

// Posted by the worker thread to the saver window when a picture is ready
// or the list turned out to hold nothing to show.
#define WM_PHOTO_PREPARED (WM_APP + 1)

// TRUE when the user's settings ask for more than the installed
// configuration, so that the photo slideshow takes the window.
BOOL PhotoSlideshowWanted();

// Handles creation, painting, the slideshow timer, the worker's message and
// destruction; passes everything else to DefaultSaverProc.
LRESULT CALLBACK PhotoSlideshowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The file of the saver window's picture on screen, for the tests.
const char* ShownPhotoPath();

// A paint of another monitor's window: redraws its picture when it shows
// one, and says whether it did (otherwise the window paints itself black).
BOOL RepaintPhotoScreen(HWND window);

// The screens showing photos (the saver window's first), the picture on
// each, and whether a crossfade is under way, for the tests.
int PhotoScreenCount();
const PreparedPicture* ShownPhotoOn(int screen);

// The saver window's picture on screen (pixels NULL before the first).
inline const PreparedPicture* ShownPhoto()
{
    return ShownPhotoOn(0);
}
BOOL CrossfadeUnderWay();

// At the end of the process: gives a worker thread still decoding a moment
// to finish, and ends the process at once with exitCode when it does not, so
// that a decoder holding a lock cannot stall the exit.
void EndPhotoSlideshowProcess(int exitCode);
