// The crossfade from one picture to the next on one monitor's drawing area:
// frames of the area's size, the blend drawn with AlphaBlend where the system
// has it, and the pace of its steps.
#pragma once

#include <windows.h>

#include "prepared_picture.h"

// How long a crossfade takes, and the scale of its fraction: 0 is the old
// picture, CROSSFADE_FULL the new one.
#define CROSSFADE_DURATION_MS 1000
#define CROSSFADE_FULL 255

// A whole drawing area as 32-bit top-down pixels (0x00RRGGBB): a DIB section
// selected into a memory DC of its own.
struct CrossfadeFrame {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previousBitmap;  // the memory DC's own, put back on release
    DWORD* pixels;           // width * height
    LONG width;
    LONG height;
};

// TRUE where msimg32.dll has AlphaBlend (Windows 98, 2000 and later). Where
// it does not (Windows 95, NT 4.0) the caller wipes instead.
BOOL CrossfadeAvailable();

// A black frame of width x height; FALSE (and an empty record) when memory
// or GDI objects are short.
BOOL CreateCrossfadeFrame(LONG width, LONG height, CrossfadeFrame* frame);

// Gives the frame's DC and section back and empties the record; an empty
// one is left alone.
void ReleaseCrossfadeFrame(CrossfadeFrame* frame);

// Makes the frame what the screen shows for a prepared picture: black, with
// the picture at its place (clipped to the frame). An empty picture leaves
// the frame black.
void PutPictureInFrame(const PreparedPicture* picture, CrossfadeFrame* frame);

// Draws the blend of from and to at fraction (0..CROSSFADE_FULL) with its
// top-left corner at x, y of target. The blend is made in work first and
// then copied in one blit, so the screen goes from one blend to the next
// with nothing in between. The three frames must have one size. FALSE,
// with nothing drawn, without AlphaBlend or when the sizes differ.
BOOL DrawCrossfade(HDC target, LONG x, LONG y, const CrossfadeFrame* from, const CrossfadeFrame* to,
                   CrossfadeFrame* work, LONG fraction);

// The fraction elapsed milliseconds into a crossfade: 0 at its start,
// rising evenly to CROSSFADE_FULL at CROSSFADE_DURATION_MS and after.
LONG CrossfadeFraction(DWORD elapsed);

// The interval of the window timer that drives the steps: one refresh of
// the display that dc draws on, held to 10..50 ms; 16 ms where the display
// does not say its refresh rate.
UINT CrossfadeStepInterval(HDC dc);
