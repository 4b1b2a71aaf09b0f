// One picture on the saver window: wipe, map the file, build the 8-bit
// palette and the DIB section, draw, and release everything in reverse.
#include "picture_display.h"

#include <string.h>

#include "bitmap_layout.h"
#include "slideshow.h"

DrawingAreaRecord DrawingArea = {0, 0, 0, 0};
LONG WipeStyle = WIPE_STYLE_AT_START;
LocalAllocProc PictureLocalAlloc = LocalAlloc;
GlobalAllocProc PictureGlobalAlloc = GlobalAlloc;
SleepProc WipeSleep = Sleep;
PicturePhaseProc PicturePhaseDone = NULL;

namespace {

// Palette slots 0-9 and 236-255 keep the system's static colours; the
// picture's own colours fill the rest.
const int kFirstFreeEntry = 10;
const int kLastFreeEntry = 235;
const int kPaletteEntries = 256;
const SIZE_T kLogPaletteBytes = sizeof(LOGPALETTE) + kPaletteEntries * sizeof(PALETTEENTRY);  // 1032, one spare
const SIZE_T kSystemEntriesBytes = kPaletteEntries * sizeof(PALETTEENTRY);                         // 1024

// Set while the out-of-memory message is up: the message box's own loop
// delivers paints and ticks to the saver window, which must not stack a
// second picture (and a second box) on top of the first.
BOOL ReportingOutOfMemory = FALSE;

inline void EndPhase(PicturePhase phase)
{
    if (PicturePhaseDone)
        PicturePhaseDone(phase);
}

struct MappedPicture {
    HANDLE file;
    HANDLE mapping;
    const unsigned char* view;
    size_t size;
};

BOOL MapPicture(const char* path, MappedPicture* picture)
{
    picture->file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_READONLY,
                                NULL);
    if (picture->file == INVALID_HANDLE_VALUE)
        return FALSE;
    picture->mapping = CreateFileMappingA(picture->file, NULL, PAGE_READONLY, 0, 0, NULL);
    if (!picture->mapping)
        return FALSE;
    picture->view = static_cast<const unsigned char*>(MapViewOfFile(picture->mapping, FILE_MAP_READ, 0, 0, 0));
    if (!picture->view)
        return FALSE;
    // The file is shared for reading only, so its size stays what it was
    // when the view was made.
    DWORD sizeHigh = 0;
    DWORD size = GetFileSize(picture->file, &sizeHigh);
    if ((size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) || sizeHigh != 0)
        return FALSE;
    picture->size = size;
    return TRUE;
}

void UnmapPicture(MappedPicture* picture)
{
    if (picture->view)
        UnmapViewOfFile(picture->view);
    if (picture->mapping)
        CloseHandle(picture->mapping);
    if (picture->file != INVALID_HANDLE_VALUE)
        CloseHandle(picture->file);
}

// What an 8-bit picture took for its palette, given back by ReleasePicturePalette.
struct PicturePalette {
    HGLOBAL block;
    HPALETTE palette;
    HPALETTE previous;
};

// Builds the picture's logical palette and realises it in the window DC:
// the static colours at both ends, the entries 10-235 of the colour table
// between them. When a block cannot be had, the picture is drawn without a
// palette of its own.
void SelectPicturePalette(HDC windowDC, const unsigned char* table, BOOL background, PicturePalette* taken)
{
    taken->block = PictureGlobalAlloc(GMEM_ZEROINIT, kLogPaletteBytes);
    if (!taken->block)
        return;
    HLOCAL systemBlock = PictureLocalAlloc(LMEM_ZEROINIT, kSystemEntriesBytes);
    if (!systemBlock)
        return;
    LOGPALETTE* logical = static_cast<LOGPALETTE*>(GlobalLock(taken->block));
    PALETTEENTRY* system = static_cast<PALETTEENTRY*>(LocalLock(systemBlock));
    logical->palVersion = 0x300;
    logical->palNumEntries = kPaletteEntries;
    GetSystemPaletteEntries(windowDC, 0, kPaletteEntries, system);
    for (int n = 0; n < kPaletteEntries; ++n) {
        PALETTEENTRY& entry = logical->palPalEntry[n];
        if (n >= kFirstFreeEntry && n <= kLastFreeEntry) {
            entry.peBlue = table[4 * n];
            entry.peGreen = table[4 * n + 1];
            entry.peRed = table[4 * n + 2];
            entry.peFlags = PC_NOCOLLAPSE;
        } else {
            entry.peRed = system[n].peRed;
            entry.peGreen = system[n].peGreen;
            entry.peBlue = system[n].peBlue;
            entry.peFlags = 0;
        }
    }
    taken->palette = CreatePalette(logical);
    GlobalUnlock(taken->block);
    if (taken->palette) {
        taken->previous = SelectPalette(windowDC, taken->palette, background);
        RealizePalette(windowDC);
    }
    LocalUnlock(systemBlock);
    LocalFree(systemBlock);
}

void ReleasePicturePalette(HDC windowDC, PicturePalette* taken)
{
    if (taken->palette) {
        if (taken->previous)
            SelectPalette(windowDC, taken->previous, FALSE);
        DeleteObject(taken->palette);
    }
    if (taken->block)
        GlobalFree(taken->block);
}

size_t SectionBytes(HBITMAP section)
{
    DIBSECTION description;
    if (GetObjectA(section, sizeof description, &description) != sizeof description)
        return 0;
    LONG height = description.dsBm.bmHeight < 0 ? -description.dsBm.bmHeight : description.dsBm.bmHeight;
    return static_cast<size_t>(description.dsBm.bmWidthBytes) * static_cast<size_t>(height);
}

// A picture larger than the drawing area in either direction is always
// stretched; one that fits is stretched only with the Fullscreen setting.
void DrawPicture(HDC windowDC, HDC memoryDC, LONG width, LONG height)
{
    const DrawingAreaRecord& area = DrawingArea;
    if (width > area.Width || height > area.Height)
        StretchBlt(windowDC, area.X, area.Y, area.Width - area.X, area.Height - area.Y, memoryDC, 0, 0, width,
                   height, SRCCOPY);
    else if (SaverSettings.fullscreen)
        StretchBlt(windowDC, 0, 0, area.Width, area.Height, memoryDC, 0, 0, width, height, SRCCOPY);
    else
        BitBlt(windowDC, (area.Width - width) / 2, (area.Height - height) / 2, width, height, memoryDC, 0, 0,
               SRCCOPY);
}

void ReportOutOfMemory(HWND window)
{
    HWND previousFocus = SetFocus(window);
    ReportingOutOfMemory = TRUE;
    MessageBoxA(previousFocus, OUT_OF_MEMORY_TEXT, OUT_OF_MEMORY_CAPTION, MB_OK);
    ReportingOutOfMemory = FALSE;
}

// Palette, DIB section, pixel copy and drawing of a mapped picture whose
// header is in info; returns the DIB section for the caller to delete after
// the memory DC. A file the saver cannot draw safely is left undrawn.
HBITMAP DrawMappedPicture(HDC windowDC, HDC memoryDC, const MappedPicture& picture, const PictureLayout& layout,
                          const unsigned char* info)
{
    if (layout.verdict != PICTURE_DRAWABLE)
        return NULL;
    LONG width = layout.width;
    LONG height = static_cast<LONG>(layout.rows);

    PicturePalette palette = {NULL, NULL, NULL};
    if (layout.bitCount == 8) {
        BOOL background = width > DrawingArea.Width || height > DrawingArea.Height;
        SelectPicturePalette(windowDC, info + layout.tableOffset, background, &palette);
    }
    EndPhase(PICTURE_PHASE_PALETTE);

    void* bits = NULL;
    HBITMAP section =
        CreateDIBSection(windowDC, reinterpret_cast<const BITMAPINFO*>(info), DIB_RGB_COLORS, &bits, NULL, 0);
    EndPhase(PICTURE_PHASE_SECTION);
    if (section && bits && PixelCopyFits(layout, SectionBytes(section))) {
        memcpy(bits, picture.view + layout.pixelOffset, layout.pixelBytes);
        EndPhase(PICTURE_PHASE_COPY);
        SelectObject(memoryDC, section);
        DrawPicture(windowDC, memoryDC, width, height);
        EndPhase(PICTURE_PHASE_DRAW);
    }

    ReleasePicturePalette(windowDC, &palette);
    return section;
}

}  // namespace

void ShowPictureFile(const char* path, HWND window)
{
    if (ReportingOutOfMemory)
        return;
    HDC windowDC = GetDC(window);
    if (!windowDC) {
        PostQuitMessage(0);
        return;
    }
    HDC memoryDC = CreateCompatibleDC(windowDC);
    WipeToBlack(windowDC);
    EndPhase(PICTURE_PHASE_WIPE);

    MappedPicture picture = {INVALID_HANDLE_VALUE, NULL, NULL, 0};
    if (!MapPicture(path, &picture)) {
        if (memoryDC)
            DeleteDC(memoryDC);
        ReleaseDC(window, windowDC);
        UnmapPicture(&picture);
        PostQuitMessage(0);
        return;
    }

    PictureLayout layout = PlanPictureCopy(picture.view, picture.size);
    HLOCAL infoBlock = PictureLocalAlloc(LMEM_ZEROINIT, layout.infoBytes);
    HBITMAP section = NULL;
    if (!infoBlock) {
        ReportOutOfMemory(window);
    } else {
        unsigned char* info = static_cast<unsigned char*>(LocalLock(infoBlock));
        CopyBitmapInfoBlock(picture.view, picture.size, layout, info);
        EndPhase(PICTURE_PHASE_MAP);
        if (memoryDC)
            section = DrawMappedPicture(windowDC, memoryDC, picture, layout, info);
        LocalUnlock(infoBlock);
    }

    // Reverse order of taking; the section goes once no DC holds it.
    if (memoryDC)
        DeleteDC(memoryDC);
    if (section)
        DeleteObject(section);
    ReleaseDC(window, windowDC);
    if (infoBlock)
        LocalFree(infoBlock);
    UnmapPicture(&picture);
    EndPhase(PICTURE_PHASE_RELEASE);
}

void WipeToBlack(HDC dc)
{
    WipeStyle = (WipeStyle + 1) & 3;
    LONG width = DrawingArea.Width;
    LONG height = DrawingArea.Height;
    LONG strips = (WipeStyle == WIPE_TOP_TO_BOTTOM || WipeStyle == WIPE_BOTTOM_TO_TOP) ? height : width;
    for (LONG i = 0; i < strips; ++i) {
        switch (WipeStyle) {
        case WIPE_TOP_TO_BOTTOM:
            BitBlt(dc, 0, i, width, 1, dc, 0, 0, BLACKNESS);
            break;
        case WIPE_LEFT_TO_RIGHT:
            BitBlt(dc, i, 0, 1, height, dc, 0, 0, BLACKNESS);
            break;
        case WIPE_BOTTOM_TO_TOP:
            BitBlt(dc, 0, height - 1 - i, width, 1, dc, 0, 0, BLACKNESS);
            break;
        case WIPE_RIGHT_TO_LEFT:
            BitBlt(dc, width - 1 - i, 0, 1, height, dc, 0, 0, BLACKNESS);
            break;
        }
        if (i % 32 == 0)
            WipeSleep(1);
    }
}
