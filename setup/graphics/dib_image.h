// CDibImage: an 8-bit bitmap resource turned into a DIB section whose
// indices are those of the process's shared palette, and its drawing.
#pragma once

#include "framework.h"

class CDibPalette;

class CDibImage : public CObject {
public:
    // Room of the header block's colour table, and so of every colour count.
    static const int kMaxColors = 256;

    CDibImage();
    ~CDibImage() override;

    void Free();
    BOOL LoadFromResource(CDC* pDC, UINT nResourceId, HINSTANCE hModule, BOOL bRemap);
    BOOL SelectAndRealizePalette(CDC* pDC);
    BOOL RemapToPalette();
    BOOL CopyColorTable(PALETTEENTRY* pEntries);

    void DrawCentered(CDC* pDC, BOOL bRealize);
    void Draw(CDC* pDC, int x, int y, BOOL bRealize);
    void DrawPart(CDC* pDC, int x, int y, CRect rcSource, BOOL bRealize);
    void DrawStretched(CDC* pDC, CRect rcDest, BOOL bRealize);

    HBITMAP GetBitmap() const { return bitmap; }
    const BITMAPINFO* GetHeader() const { return header; }
    const BYTE* GetPixels() const { return pixels; }
    int GetRowWidth() const { return rowWidth; }
    int GetColorCount() const { return header ? (int)header->bmiHeader.biClrUsed : 0; }

private:
    HBITMAP bitmap;
    BITMAPINFO* header;  // header + room for 256 colours, allocated at full size
    BYTE* pixels;        // the section's memory
    int rowWidth;
};

// The palette every picture of the process is shown through; created by the
// first SelectAndRealizePalette, kept until the process ends.
extern CDibPalette* g_pSharedPalette;
