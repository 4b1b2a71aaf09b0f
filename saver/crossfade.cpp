// The crossfade's frames, its blend through AlphaBlend of msimg32.dll (looked
// up at run time: Windows 95 and NT 4.0 lack it) and its pace.
#include "crossfade.h"

#include <string.h>

namespace {

typedef BOOL(WINAPI* AlphaBlendProc)(HDC target, int x, int y, int width, int height, HDC source, int sourceX,
                                     int sourceY, int sourceWidth, int sourceHeight, BLENDFUNCTION blend);

// Looked up once and kept for the process; msimg32.dll stays loaded.
AlphaBlendProc FindAlphaBlend()
{
    static bool lookedUp = false;
    static AlphaBlendProc alphaBlend = NULL;
    if (!lookedUp) {
        HMODULE library = LoadLibraryA("MSIMG32.DLL");
        if (library)
            alphaBlend = reinterpret_cast<AlphaBlendProc>(reinterpret_cast<void*>(GetProcAddress(library, "AlphaBlend")));
        lookedUp = true;
    }
    return alphaBlend;
}

bool SameSize(const CrossfadeFrame* a, const CrossfadeFrame* b)
{
    return a->pixels && b->pixels && a->width == b->width && a->height == b->height;
}

}  // namespace

BOOL CrossfadeAvailable()
{
    return FindAlphaBlend() != NULL;
}

BOOL CreateCrossfadeFrame(LONG width, LONG height, CrossfadeFrame* frame)
{
    ZeroMemory(frame, sizeof *frame);
    if (width <= 0 || height <= 0 || static_cast<ULONGLONG>(width) * static_cast<ULONGLONG>(height) > 0x1FFFFFFF)
        return FALSE;
    BITMAPINFO info;
    ZeroMemory(&info, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, as prepared pictures are
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    frame->dc = CreateCompatibleDC(NULL);
    if (frame->dc)
        frame->bitmap = CreateDIBSection(frame->dc, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    if (!frame->dc || !frame->bitmap || !bits) {
        ReleaseCrossfadeFrame(frame);
        return FALSE;
    }
    frame->previousBitmap = SelectObject(frame->dc, frame->bitmap);
    frame->pixels = static_cast<DWORD*>(bits);
    frame->width = width;
    frame->height = height;
    ZeroMemory(frame->pixels, static_cast<size_t>(width) * height * sizeof(DWORD));
    return TRUE;
}

void ReleaseCrossfadeFrame(CrossfadeFrame* frame)
{
    if (frame->dc && frame->previousBitmap)
        SelectObject(frame->dc, frame->previousBitmap);
    if (frame->bitmap)
        DeleteObject(frame->bitmap);
    if (frame->dc)
        DeleteDC(frame->dc);
    ZeroMemory(frame, sizeof *frame);
}

void PutPictureInFrame(const PreparedPicture* picture, CrossfadeFrame* frame)
{
    if (!frame->pixels)
        return;
    GdiFlush();
    ZeroMemory(frame->pixels, static_cast<size_t>(frame->width) * frame->height * sizeof(DWORD));
    if (!picture->pixels || picture->width <= 0 || picture->height <= 0)
        return;
    // The picture's part inside the frame, in case it was fitted to another area.
    LONG left = picture->x > 0 ? picture->x : 0;
    LONG top = picture->y > 0 ? picture->y : 0;
    LONG right = picture->x + picture->width;
    LONG bottom = picture->y + picture->height;
    if (right > frame->width)
        right = frame->width;
    if (bottom > frame->height)
        bottom = frame->height;
    if (left >= right || top >= bottom)
        return;
    size_t rowBytes = static_cast<size_t>(right - left) * sizeof(DWORD);
    for (LONG y = top; y < bottom; ++y) {
        const DWORD* source = picture->pixels + static_cast<size_t>(y - picture->y) * picture->width + (left - picture->x);
        memcpy(frame->pixels + static_cast<size_t>(y) * frame->width + left, source, rowBytes);
    }
}

BOOL DrawCrossfade(HDC target, LONG x, LONG y, const CrossfadeFrame* from, const CrossfadeFrame* to,
                   CrossfadeFrame* work, LONG fraction)
{
    AlphaBlendProc alphaBlend = FindAlphaBlend();
    if (!alphaBlend || !SameSize(from, to) || !SameSize(from, work))
        return FALSE;
    LONG w = from->width, h = from->height;
    if (fraction <= 0)
        return BitBlt(target, x, y, w, h, from->dc, 0, 0, SRCCOPY);
    if (fraction >= CROSSFADE_FULL)
        return BitBlt(target, x, y, w, h, to->dc, 0, 0, SRCCOPY);

    GdiFlush();
    memcpy(work->pixels, from->pixels, static_cast<size_t>(w) * h * sizeof(DWORD));
    BLENDFUNCTION blend;
    blend.BlendOp = AC_SRC_OVER;
    blend.BlendFlags = 0;
    blend.SourceConstantAlpha = static_cast<BYTE>(fraction);
    blend.AlphaFormat = 0;  // the pixels' fourth byte is not an alpha
    if (!alphaBlend(work->dc, 0, 0, w, h, to->dc, 0, 0, w, h, blend))
        return FALSE;
    return BitBlt(target, x, y, w, h, work->dc, 0, 0, SRCCOPY);
}

LONG CrossfadeFraction(DWORD elapsed)
{
    if (elapsed >= CROSSFADE_DURATION_MS)
        return CROSSFADE_FULL;
    return static_cast<LONG>(elapsed * CROSSFADE_FULL / CROSSFADE_DURATION_MS);
}

UINT CrossfadeStepInterval(HDC dc)
{
    int hertz = GetDeviceCaps(dc, VREFRESH);
    if (hertz <= 1)  // 0 or 1: the hardware's default, not a rate
        return 16;
    UINT interval = 1000u / static_cast<UINT>(hertz);
    if (interval < 10)
        return 10;
    if (interval > 50)
        return 50;
    return interval;
}
