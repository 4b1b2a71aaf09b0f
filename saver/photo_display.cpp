// Prepared photos drawn in one blit after the strip wipe; on a palette
// screen dithered to the system's halftone palette, so that any photo is
// recognisable in 256 colours.
#include "photo_display.h"

#include "picture_display.h"

namespace {

// A top-down BI_RGB header of width x height at bitCount bits a pixel.
void FillTopDownHeader(BITMAPINFOHEADER* header, LONG width, LONG height, WORD bitCount)
{
    ZeroMemory(header, sizeof *header);
    header->biSize = sizeof *header;
    header->biWidth = width;
    header->biHeight = -height;
    header->biPlanes = 1;
    header->biBitCount = bitCount;
    header->biCompression = BI_RGB;
}

// Thresholds of a 4 x 4 ordered dither, in sixteenths.
const BYTE kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

// One channel (0..255) dithered to the six levels of the halftone cube.
inline int CubeLevel(int value, int threshold)
{
    int scaled = value * 5 * 16 / 255;  // 0..80 sixteenths of a level
    int level = scaled / 16;
    return level + ((scaled % 16) > threshold ? 1 : 0);
}

// Draws the picture on a palette screen through the realised halftone
// palette with an ordered dither to its colour cube, as 8-bit rows of its
// indices. HALFTONE stretching would do this on Windows NT, but the Windows
// 95 family has no such mode and maps every pixel to its nearest colour.
void DrawDitheredPicture(HDC dc, LONG x, LONG y, const PreparedPicture* picture, HPALETTE halftone)
{
    struct PaletteInfo {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info;
    PALETTEENTRY entries[256];
    ZeroMemory(&info, sizeof info);
    UINT count = GetPaletteEntries(halftone, 0, 256, entries);
    for (UINT i = 0; i < count; ++i) {
        info.colours[i].rgbRed = entries[i].peRed;
        info.colours[i].rgbGreen = entries[i].peGreen;
        info.colours[i].rgbBlue = entries[i].peBlue;
    }
    BYTE cube[6][6][6];
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                cube[r][g][b] = static_cast<BYTE>(GetNearestPaletteIndex(halftone, RGB(r * 51, g * 51, b * 51)));
    LONG stride = (picture->width + 3) & ~3;
    BYTE* rows = static_cast<BYTE*>(HeapAlloc(GetProcessHeap(), 0, static_cast<SIZE_T>(stride) * picture->height));
    if (!rows)
        return;
    for (LONG row = 0; row < picture->height; ++row) {
        const DWORD* source = picture->pixels + static_cast<SIZE_T>(row) * picture->width;
        BYTE* target = rows + static_cast<SIZE_T>(row) * stride;
        for (LONG column = 0; column < picture->width; ++column) {
            int threshold = kBayer[(y + row) & 3][(x + column) & 3];
            DWORD pixel = source[column];
            target[column] = cube[CubeLevel((pixel >> 16) & 0xFF, threshold)][CubeLevel((pixel >> 8) & 0xFF, threshold)]
                                 [CubeLevel(pixel & 0xFF, threshold)];
        }
    }
    FillTopDownHeader(&info.header, picture->width, picture->height, 8);
    info.header.biClrUsed = count;
    SetDIBitsToDevice(dc, x, y, picture->width, picture->height, 0, 0, 0, picture->height, rows,
                      reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    HeapFree(GetProcessHeap(), 0, rows);
}

}  // namespace

void DrawPreparedPicture(HDC dc, LONG areaX, LONG areaY, const PreparedPicture* picture)
{
    if (!picture->pixels || picture->width <= 0 || picture->height <= 0)
        return;
    BITMAPINFO info;
    ZeroMemory(&info, sizeof info);
    FillTopDownHeader(&info.bmiHeader, picture->width, picture->height, 32);
    LONG x = areaX + picture->x;
    LONG y = areaY + picture->y;
    if (!(GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE)) {
        SetDIBitsToDevice(dc, x, y, picture->width, picture->height, 0, 0, 0, picture->height, picture->pixels,
                          &info, DIB_RGB_COLORS);
        return;
    }
    HPALETTE halftone = CreateHalftonePalette(dc);
    if (!halftone)
        return;
    HPALETTE previous = SelectPalette(dc, halftone, FALSE);
    RealizePalette(dc);
    DrawDitheredPicture(dc, x, y, picture, halftone);
    SelectPalette(dc, previous, FALSE);
    DeleteObject(halftone);
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
