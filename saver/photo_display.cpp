// Prepared photos drawn in one blit after the strip wipe; on a palette
// screen through the system's halftone palette, so that any photo is
// recognisable in 256 colours.
#include "photo_display.h"

#include "picture_display.h"

void DrawPreparedPicture(HDC dc, LONG areaX, LONG areaY, const PreparedPicture* picture)
{
    if (!picture->pixels || picture->width <= 0 || picture->height <= 0)
        return;
    BITMAPINFO info;
    ZeroMemory(&info, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture->width;
    info.bmiHeader.biHeight = -picture->height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    LONG x = areaX + picture->x;
    LONG y = areaY + picture->y;
    if (!(GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE)) {
        SetDIBitsToDevice(dc, x, y, picture->width, picture->height, 0, 0, 0, picture->height, picture->pixels,
                          &info, DIB_RGB_COLORS);
        return;
    }
    HPALETTE halftone = CreateHalftonePalette(dc);
    HPALETTE previous = halftone ? SelectPalette(dc, halftone, FALSE) : NULL;
    if (halftone)
        RealizePalette(dc);
    int previousMode = SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, NULL);
    StretchDIBits(dc, x, y, picture->width, picture->height, 0, 0, picture->width, picture->height, picture->pixels,
                  &info, DIB_RGB_COLORS, SRCCOPY);
    SetStretchBltMode(dc, previousMode);
    if (halftone) {
        SelectPalette(dc, previous, FALSE);
        DeleteObject(halftone);
    }
}

void BlackenAroundPicture(HDC dc, LONG areaX, LONG areaY, LONG width, LONG height, const PreparedPicture* picture)
{
    int saved = SaveDC(dc);
    if (picture->pixels)
        ExcludeClipRect(dc, areaX + picture->x, areaY + picture->y, areaX + picture->x + picture->width,
                        areaY + picture->y + picture->height);
    PatBlt(dc, areaX, areaY, width, height, BLACKNESS);
    RestoreDC(dc, saved);
}

void ShowPreparedPicture(HWND window, const PreparedPicture* picture, BOOL wipe)
{
    HDC dc = GetDC(window);
    if (!dc) {
        PostQuitMessage(0);
        return;
    }
    if (wipe)
        WipeToBlack(dc);
    DrawPreparedPicture(dc, DrawingArea.X, DrawingArea.Y, picture);
    ReleaseDC(window, dc);
}

void WipeAreasToBlack(const HDC* dcs, const SIZE* areas, int count)
{
    WipeStyle = (WipeStyle + 1) % 4;
    LONG strips = 0;
    for (int n = 0; n < count; ++n) {
        LONG own = (WipeStyle == WIPE_TOP_TO_BOTTOM || WipeStyle == WIPE_BOTTOM_TO_TOP) ? areas[n].cy : areas[n].cx;
        if (own > strips)
            strips = own;
    }
    for (LONG i = 0; i < strips; ++i) {
        for (int n = 0; n < count; ++n) {
            LONG w = areas[n].cx, h = areas[n].cy;
            switch (WipeStyle) {
            case WIPE_TOP_TO_BOTTOM:
                if (i < h)
                    BitBlt(dcs[n], 0, i, w, 1, dcs[n], 0, 0, BLACKNESS);
                break;
            case WIPE_LEFT_TO_RIGHT:
                if (i < w)
                    BitBlt(dcs[n], i, 0, 1, h, dcs[n], 0, 0, BLACKNESS);
                break;
            case WIPE_BOTTOM_TO_TOP:
                if (i < h)
                    BitBlt(dcs[n], 0, h - 1 - i, w, 1, dcs[n], 0, 0, BLACKNESS);
                break;
            default:
                if (i < w)
                    BitBlt(dcs[n], w - 1 - i, 0, 1, h, dcs[n], 0, 0, BLACKNESS);
                break;
            }
        }
        if (i % 32 == 0)
            WipeSleep(1);
    }
}
