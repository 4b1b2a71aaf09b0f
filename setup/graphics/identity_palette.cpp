// Identity palette arithmetic and rebuild.
#include "identity_palette.h"

PaletteDeviceFigures ReadPaletteDeviceFigures(HDC hDC)
{
    PaletteDeviceFigures figures;
    figures.rasterCaps = ::GetDeviceCaps(hDC, RASTERCAPS);
    figures.staticCount = ::GetDeviceCaps(hDC, NUMCOLORS);
    figures.paletteSize = ::GetDeviceCaps(hDC, SIZEPALETTE);
    return figures;
}

BOOL IdentityFiguresUsable(int staticCount, int paletteSize)
{
    if (staticCount < 0 || staticCount > IDENTITY_PALETTE_MAX)
        return FALSE;
    if (paletteSize <= 0 || paletteSize > IDENTITY_PALETTE_MAX)
        return FALSE;
    return staticCount <= paletteSize;
}

BOOL MarkIdentityEntries(PALETTEENTRY* table, int staticCount, int paletteSize)
{
    if (!table || !IdentityFiguresUsable(staticCount, paletteSize))
        return FALSE;
    int half = staticCount / 2;
    for (int i = 0; i < half; i++) {
        table[i].peFlags = 0;
        table[paletteSize - 1 - i].peFlags = 0;
    }
    for (int i = half; i <= paletteSize - half - 1; i++)
        table[i].peFlags = PC_NOCOLLAPSE;
    return TRUE;
}

BOOL RebuildIdentityPalette(HDC hDC, HPALETTE hPalette, const PaletteDeviceFigures& figures)
{
    if (!hDC || !hPalette || !(figures.rasterCaps & RC_PALETTE))
        return FALSE;
    // Checked before anything is changed: the table below holds 256 entries.
    if (!IdentityFiguresUsable(figures.staticCount, figures.paletteSize))
        return FALSE;
    // Resetting the static use makes the system palette reload its static
    // colours before it is read.
    ::SetSystemPaletteUse(hDC, SYSPAL_NOSTATIC);
    ::SetSystemPaletteUse(hDC, SYSPAL_STATIC);
    HPALETTE previous = ::SelectPalette(hDC, hPalette, FALSE);
    ::RealizePalette(hDC);
    ::SelectPalette(hDC, previous, FALSE);

    PALETTEENTRY table[IDENTITY_PALETTE_MAX] = {};
    ::GetSystemPaletteEntries(hDC, 0, (UINT)figures.paletteSize, table);
    MarkIdentityEntries(table, figures.staticCount, figures.paletteSize);
    ::ResizePalette(hPalette, (UINT)figures.paletteSize);
    ::SetPaletteEntries(hPalette, 0, (UINT)figures.paletteSize, table);
    return TRUE;
}
