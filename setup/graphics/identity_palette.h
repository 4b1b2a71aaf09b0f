// The arithmetic of an identity palette: which entries of a system palette
// are static colours and which are the program's own.
#pragma once

#include <windows.h>

// Largest palette the setup program's tables hold.
#define IDENTITY_PALETTE_MAX 256

// TRUE when a device's figures allow an identity palette: 0 to 256 static
// colours (NUMCOLORS) that fit in a palette of 1 to 256 entries (SIZEPALETTE).
BOOL IdentityFiguresUsable(int staticCount, int paletteSize);

// Marks the entries of a system palette table: the first and last
// staticCount / 2 get flags 0 (the static colours), every entry between gets
// PC_NOCOLLAPSE. FALSE, and the table untouched, when the figures are unusable.
BOOL MarkIdentityEntries(PALETTEENTRY* table, int staticCount, int paletteSize);
