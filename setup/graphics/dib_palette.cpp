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
    BOOL ok = RebuildIdentityPalette(hDC, (HPALETTE)m_hObject, ReadPaletteDeviceFigures(hDC));
    ::DeleteDC(hDC);
    return ok;
}
