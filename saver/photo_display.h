// Putting a prepared photo on the saver window: the same strip wipe as the
// bitmaps, then one blit of the picture's pixels, through a halftone palette
// on a palette screen.
#pragma once

#include <windows.h>

#include "prepared_picture.h"

// Wipes the drawing area to black (unless `wipe` is FALSE: the area is black
// already) and draws the picture at its place in it. Ends the saver (posts
// the quit message) when the window has no device context, as the bitmaps do.
void ShowPreparedPicture(HWND window, const PreparedPicture* picture, BOOL wipe);

// Draws the picture alone on a device context, at its place in the drawing
// area.
void DrawPreparedPicture(HDC dc, const PreparedPicture* picture);
