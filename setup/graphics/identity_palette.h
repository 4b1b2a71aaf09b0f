// Identity palettes: which entries of a system palette are static colours
// and which are the program's own, and the rebuild of a palette as an
// identity palette for a display with given figures.
#pragma once

#include <windows.h>

// Largest palette the setup program's tables hold.
#define IDENTITY_PALETTE_MAX 256

// What a display says of its palette through GetDeviceCaps.
struct PaletteDeviceFigures {
    int rasterCaps;   // RASTERCAPS: RC_PALETTE on a palette device
    int staticCount;  // NUMCOLORS: static colours of the system palette
    int paletteSize;  // SIZEPALETTE: entries of the system palette
};

PaletteDeviceFigures ReadPaletteDeviceFigures(HDC hDC);

// TRUE when a device's figures allow an identity palette: 0 to 256 static
// colours (NUMCOLORS) that fit in a palette of 1 to 256 entries (SIZEPALETTE).
BOOL IdentityFiguresUsable(int staticCount, int paletteSize);

// Marks the entries of a system palette table: the first and last
// staticCount / 2 get flags 0 (the static colours), every entry between gets
// PC_NOCOLLAPSE. FALSE, and the table untouched, when the figures are unusable.
BOOL MarkIdentityEntries(PALETTEENTRY* table, int staticCount, int paletteSize);

// Rebuilds hPalette as an identity palette of the system palette seen
// through hDC (a memory DC of the screen), for a device with those figures:
// the palette is realised, the system palette read back, its entries marked,
// and the palette resized to the system palette and given those entries.
// FALSE, with the palette and the system palette use untouched, when the
// device is no palette device or its figures are unusable.
BOOL RebuildIdentityPalette(HDC hDC, HPALETTE hPalette, const PaletteDeviceFigures& figures);
