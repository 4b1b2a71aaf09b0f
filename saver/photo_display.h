// Putting prepared photos on the screens: the same strip wipe as the
// bitmaps, then one blit of each picture's pixels, dithered to the halftone
// palette on a palette screen.
#pragma once

#include <windows.h>

#include "prepared_picture.h"

// Draws the picture on a device context at its place in the area whose
// top-left corner is at areaX, areaY.
void DrawPreparedPicture(HDC dc, LONG areaX, LONG areaY, const PreparedPicture* picture);

// Paints black the part of an area (width x height at areaX, areaY) that the
// picture leaves uncovered, in one operation.
void BlackenAroundPicture(HDC dc, LONG areaX, LONG areaY, LONG width, LONG height, const PreparedPicture* picture);

// The strip wipe of WipeToBlack over several areas at once, strip i of each
// in turn, so that every monitor changes together: one direction for all,
// taken as WipeToBlack takes it, and the same pauses.
void WipeAreasToBlack(const HDC* dcs, const SIZE* areas, int count);
