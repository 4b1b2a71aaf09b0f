// Identity palette arithmetic.
#include "identity_palette.h"

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
