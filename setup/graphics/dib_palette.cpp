// CDibPalette.
#include "dib_palette.h"

#include <stdlib.h>

#include "dib_image.h"
#include "identity_palette.h"

CDibPalette::CDibPalette(CDibImage* pImage) { CreateFromImage(pImage); }

BOOL CDibPalette::CreateFromImage(CDibImage* pImage)
{
    int count = pImage ? pImage->GetColorCount() : 0;
    if (count <= 0 || count > CDibImage::kMaxColors)
        return FALSE;
    size_t size = sizeof(LOGPALETTE) + (size_t)(count - 1) * sizeof(PALETTEENTRY);
    LOGPALETTE* logPalette = static_cast<LOGPALETTE*>(calloc(1, size));
    if (!logPalette)
        return FALSE;
    logPalette->palVersion = 0x300;
    logPalette->palNumEntries = (WORD)count;
    pImage->CopyColorTable(logPalette->palPalEntry);
    BOOL ok = CreatePalette(logPalette);
    free(logPalette);
    return ok;
}

BOOL CDibPalette::MakeIdentity()
{
    HDC hDC = ::CreateCompatibleDC(NULL);
    if (!hDC)
        return FALSE;
    BOOL ok = FALSE;
    int staticCount = ::GetDeviceCaps(hDC, NUMCOLORS);
    int paletteSize = ::GetDeviceCaps(hDC, SIZEPALETTE);
    if ((::GetDeviceCaps(hDC, RASTERCAPS) & RC_PALETTE) && IdentityFiguresUsable(staticCount, paletteSize) &&
        m_hObject) {
        // Resetting the static use makes the system palette reload its
        // static colours before it is read.
        ::SetSystemPaletteUse(hDC, SYSPAL_NOSTATIC);
        ::SetSystemPaletteUse(hDC, SYSPAL_STATIC);
        HPALETTE previous = ::SelectPalette(hDC, (HPALETTE)m_hObject, FALSE);
        ::RealizePalette(hDC);
        ::SelectPalette(hDC, previous, FALSE);

        PALETTEENTRY table[IDENTITY_PALETTE_MAX] = {};
        ::GetSystemPaletteEntries(hDC, 0, (UINT)paletteSize, table);
        MarkIdentityEntries(table, staticCount, paletteSize);
        ResizePalette((UINT)paletteSize);
        SetPaletteEntries(0, (UINT)paletteSize, table);
        ok = TRUE;
    }
    ::DeleteDC(hDC);
    return ok;
}
