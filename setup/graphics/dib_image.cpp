// CDibImage: loading a bitmap resource into a palette-indexed DIB section,
// the shared palette, the pixel remap and the copies onto a DC.
#include "dib_image.h"

#include <stdlib.h>
#include <string.h>

#include "dib_palette.h"

CDibPalette* g_pSharedPalette = NULL;

namespace {

const size_t kHeaderBlockSize = sizeof(BITMAPINFOHEADER) + CDibImage::kMaxColors * sizeof(RGBQUAD);
// Largest side accepted; keeps every size product far inside 32 bits.
const LONG kMaxSide = 16384;

// The second BITMAPINFO of a load: the header followed by 256 palette indices.
struct PaletteIndexInfo {
    BITMAPINFOHEADER bmiHeader;
    WORD indices[CDibImage::kMaxColors];
};

}  // namespace

CDibImage::CDibImage() : bitmap(NULL), header(NULL), pixels(NULL), rowWidth(0) {}

CDibImage::~CDibImage() { Free(); }

void CDibImage::Free()
{
    if (bitmap) {
        ::DeleteObject(bitmap);
        bitmap = NULL;
        pixels = NULL;
    }
    if (header) {
        free(header);
        header = NULL;
    }
}

BOOL CDibImage::LoadFromResource(CDC* pDC, UINT nResourceId, HINSTANCE hModule, BOOL bRemap)
{
    Free();
    HRSRC hResource = ::FindResourceA(hModule, MAKEINTRESOURCEA(LOWORD(nResourceId)), (LPCSTR)RT_BITMAP);
    if (!hResource)
        return FALSE;
    HGLOBAL hData = ::LoadResource(hModule, hResource);
    if (!hData)
        return FALSE;
    const BYTE* data = static_cast<const BYTE*>(::LockResource(hData));
    if (!data)
        return FALSE;
    DWORD resourceSize = ::SizeofResource(hModule, hResource);

    // Only what the tables below can hold is taken: an uncompressed 8-bit
    // picture of at most 256 colours whose parts all lie inside the resource.
    BITMAPINFOHEADER source;
    if (resourceSize < sizeof source)
        return FALSE;
    memcpy(&source, data, sizeof source);
    if (source.biSize < sizeof source || source.biSize > resourceSize)
        return FALSE;
    if (source.biBitCount != 8 || source.biCompression != BI_RGB || source.biPlanes != 1)
        return FALSE;
    if (source.biWidth <= 0 || source.biWidth > kMaxSide || source.biHeight == 0 ||
        source.biHeight > kMaxSide || source.biHeight < -kMaxSide)
        return FALSE;
    DWORD colorCount = source.biClrUsed ? source.biClrUsed : (DWORD)kMaxColors;
    if (colorCount > (DWORD)kMaxColors)
        return FALSE;

    header = static_cast<BITMAPINFO*>(calloc(1, kHeaderBlockSize));
    if (!header) {
        Free();
        return FALSE;
    }
    memcpy(&header->bmiHeader, &source, sizeof source);
    header->bmiHeader.biClrUsed = colorCount;
    rowWidth = (int)((source.biWidth + 3) & ~3);
    DWORD sectionSize = (DWORD)labs(source.biHeight) * (DWORD)rowWidth;
    // A size beyond the section's own is capped: the section has no more room.
    if (header->bmiHeader.biSizeImage == 0 || header->bmiHeader.biSizeImage > sectionSize)
        header->bmiHeader.biSizeImage = sectionSize;
    DWORD tableOffset = source.biSize;
    DWORD bitsOffset = tableOffset + colorCount * sizeof(RGBQUAD);
    if (bitsOffset > resourceSize || resourceSize - bitsOffset < header->bmiHeader.biSizeImage) {
        Free();
        return FALSE;
    }
    memcpy(header->bmiColors, data + tableOffset, colorCount * sizeof(RGBQUAD));

    if (!SelectAndRealizePalette(pDC))
        return FALSE;  // the header stays; there is no bitmap

    // The section's colours are the shared palette's entries, all of them:
    // once remapped, the pixels name entries of that palette, which can have
    // more entries than this picture has colours.
    PaletteIndexInfo indexInfo;
    indexInfo.bmiHeader = header->bmiHeader;
    int paletteEntries = g_pSharedPalette->GetEntryCount();
    if (paletteEntries > 0 && paletteEntries <= kMaxColors)
        indexInfo.bmiHeader.biClrUsed = (DWORD)paletteEntries;
    for (int i = 0; i < kMaxColors; i++)
        indexInfo.indices[i] = (WORD)i;
    void* bits = NULL;
    bitmap = ::CreateDIBSection(pDC ? pDC->GetSafeHdc() : NULL, reinterpret_cast<BITMAPINFO*>(&indexInfo),
                                DIB_PAL_COLORS, &bits, NULL, 0);
    pixels = static_cast<BYTE*>(bits);
    if (!bitmap || !pixels) {
        Free();
        return FALSE;
    }
    memcpy(pixels, data + bitsOffset, header->bmiHeader.biSizeImage);
    if (bRemap)
        RemapToPalette();
    return TRUE;
}

BOOL CDibImage::SelectAndRealizePalette(CDC* pDC)
{
    if (!header || !pDC)
        return FALSE;
    if (!g_pSharedPalette) {
        g_pSharedPalette = new CDibPalette(this);
        if ((pDC->GetDeviceCaps(RASTERCAPS) & RC_PALETTE) && !g_pSharedPalette->MakeIdentity())
            return FALSE;
    }
    if (!g_pSharedPalette || !g_pSharedPalette->GetSafeHandle())
        return FALSE;
    pDC->SelectPalette(g_pSharedPalette, FALSE);
    pDC->RealizePalette();
    return TRUE;
}

BOOL CDibImage::RemapToPalette()
{
    if (!g_pSharedPalette || !g_pSharedPalette->GetSafeHandle() || !header || !pixels)
        return FALSE;
    // Pixel values past the colour count have a zero-filled, that is black,
    // colour-table entry; they become the palette's nearest to black.
    BYTE map[kMaxColors];
    for (int i = 0; i < kMaxColors; i++) {
        const RGBQUAD& c = header->bmiColors[i];
        map[i] = (BYTE)g_pSharedPalette->GetNearestPaletteIndex(PALETTERGB(c.rgbRed, c.rgbGreen, c.rgbBlue));
    }
    DWORD size = header->bmiHeader.biSizeImage;
    for (DWORD i = 0; i < size; i++)
        pixels[i] = map[pixels[i]];
    return TRUE;
}

BOOL CDibImage::CopyColorTable(PALETTEENTRY* pEntries)
{
    int count = GetColorCount();
    if (count <= 0 || !pEntries)
        return FALSE;
    for (int i = 0; i < count && i < kMaxColors; i++) {
        pEntries[i].peRed = header->bmiColors[i].rgbRed;
        pEntries[i].peGreen = header->bmiColors[i].rgbGreen;
        pEntries[i].peBlue = header->bmiColors[i].rgbBlue;
        pEntries[i].peFlags = 0;
    }
    return TRUE;
}

void CDibImage::DrawCentered(CDC* pDC, BOOL bRealize)
{
    if (!header || !pDC)
        return;
    CWnd* pWnd = pDC->GetWindow();
    if (!pWnd)
        return;  // no window, no client area to centre in
    CRect client;
    pWnd->GetClientRect(&client);
    int x = (client.right - header->bmiHeader.biWidth) / 2;
    int y = (client.bottom - labs(header->bmiHeader.biHeight)) / 2;
    Draw(pDC, x, y, bRealize);
}

void CDibImage::Draw(CDC* pDC, int x, int y, BOOL bRealize)
{
    if (!header)
        return;
    DrawPart(pDC, x, y, CRect(0, 0, header->bmiHeader.biWidth, labs(header->bmiHeader.biHeight)), bRealize);
}

void CDibImage::DrawPart(CDC* pDC, int x, int y, CRect rcSource, BOOL bRealize)
{
    if (!bitmap || !header || !pDC)
        return;
    CDC memoryDC;
    if (!memoryDC.CreateCompatibleDC(pDC))
        return;
    if (bRealize)
        SelectAndRealizePalette(pDC);
    HGDIOBJ previous = memoryDC.SelectObject(bitmap);
    pDC->BitBlt(x, y, rcSource.Width(), rcSource.Height(), &memoryDC, rcSource.left, rcSource.top, SRCCOPY);
    memoryDC.SelectObject(previous);
    memoryDC.DeleteDC();
}

void CDibImage::DrawStretched(CDC* pDC, CRect rcDest, BOOL bRealize)
{
    if (!bitmap || !header || !pDC)
        return;
    CDC memoryDC;
    if (!memoryDC.CreateCompatibleDC(pDC))
        return;
    if (bRealize)
        SelectAndRealizePalette(pDC);
    HGDIOBJ previous = memoryDC.SelectObject(bitmap);
    pDC->StretchBlt(rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), &memoryDC, 0, 0,
                    header->bmiHeader.biWidth, labs(header->bmiHeader.biHeight), SRCCOPY);
    memoryDC.SelectObject(previous);
    memoryDC.DeleteDC();
}
