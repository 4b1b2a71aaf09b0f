// A prepared photo drawn in one blit after the strip wipe; on a palette
// screen through the system's halftone palette, so that any photo is
// recognisable in 256 colours.
#include "photo_display.h"

#include "picture_display.h"

void DrawPreparedPicture(HDC dc, const PreparedPicture* picture)
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
    LONG x = DrawingArea.X + picture->x;
    LONG y = DrawingArea.Y + picture->y;
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

void ShowPreparedPicture(HWND window, const PreparedPicture* picture, BOOL wipe)
{
    HDC dc = GetDC(window);
    if (!dc) {
        PostQuitMessage(0);
        return;
    }
    if (wipe)
        WipeToBlack(dc);
    DrawPreparedPicture(dc, picture);
    ReleaseDC(window, dc);
}
