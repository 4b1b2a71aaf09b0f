// The slideshow: the saver's own window procedure, between the frame
// procedure and the default saver procedure, and the picture search it keeps.
#pragma once

#include <windows.h>

#include "settings_store.h"

#define SLIDESHOW_TIMER_ID 1

// The directory below the installed path that holds the pictures, and the
// files of it that are shown.
#define PICTURES_SUBDIRECTORY "\\pictures\\"
#define PICTURE_PATTERN "*.bmp"

// Process-wide state, filled when the saver window is created.
extern struct SaverSettings SaverSettings;
extern WIN32_FIND_DATAA PictureFind;  // cFileName names the current picture
extern HANDLE PictureSearch;          // INVALID_HANDLE_VALUE while no search is open
extern BOOL ShowingPhotos;            // the photo slideshow has the window

LRESULT CALLBACK SlideshowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Joins installed path + "\pictures\" + name into a MAX_PATH buffer. A path
// that would not fit names no file: the buffer is left empty and FALSE is
// returned.
BOOL JoinPicturePath(char* buffer, const char* installedPath, const char* name);
