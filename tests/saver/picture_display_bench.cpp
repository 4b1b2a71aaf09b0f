// Benchmark of the picture display, run by `make bench` (not a test): each
// step of ShowPictureFile timed directly through PicturePhaseDone, beside
// two references drawn the same way on the same pictures in the same runs:
//   floor  map the file, CreateDIBSection, one memcpy of the pixel array,
//          the saver's BitBlt or StretchBlt, release;
//   naive  LoadImageA(LR_LOADFROMFILE | LR_CREATEDIBSECTION), the same blit.
// On a palette screen it shows the 8-bit picture, elsewhere the true-colour
// ones and the working set while the largest is on screen. The last line
// is the worst ratio of load+draw (all of ShowPictureFile but the wipe) to
// the floor. Prints figures; asserts nothing.
#include <windows.h>

#include <psapi.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "bitmap_layout.h"
#include "picture_display.h"
#include "picture_test_support.h"
#include "saver_runtime.h"
#include "saver_window.h"
#include "slideshow.h"
#include "test_support.h"

using namespace vrxtest;

using benchclock::Median;
using benchclock::Now;

namespace {

// True on a palette screen; there the references realise the picture's
// palette unless WithPalette is cleared.
bool Palettised = false;
bool WithPalette = true;

// ---- The seam: when each step of ShowPictureFile ended ---------------------
double PhaseEnd[PICTURE_PHASE_COUNT];
bool PhaseSeen[PICTURE_PHASE_COUNT];
SIZE_T PeakWorkingSetInCall;

SIZE_T WorkingSet()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.WorkingSetSize;
}

void RecordPhase(PicturePhase finished)
{
    PhaseEnd[finished] = Now();
    PhaseSeen[finished] = true;
}

void RecordPhaseAndMemory(PicturePhase finished)
{
    RecordPhase(finished);
    // Sampled with everything still held: after the draw the file view,
    // the section and the screen's copy all hold the picture.
    if (finished == PICTURE_PHASE_DRAW)
        PeakWorkingSetInCall = std::max(PeakWorkingSetInCall, WorkingSet());
}

// The blit has reached the window once GDI's batch is flushed and a pixel of
// it is read back; every way of drawing ends with this.
void SettleOnScreen(HWND window)
{
    GdiFlush();
    HDC dc = GetDC(window);
    GetPixel(dc, DrawingArea.Width / 2, DrawingArea.Height / 2);
    ReleaseDC(window, dc);
}

// The saver's own choice of blit for a picture of w x h.
void BlitAsTheSaver(HDC windowDC, HDC memoryDC, LONG w, LONG h)
{
    LONG W = DrawingArea.Width, H = DrawingArea.Height;
    if (w > W || h > H)
        StretchBlt(windowDC, 0, 0, W, H, memoryDC, 0, 0, w, h, SRCCOPY);
    else
        BitBlt(windowDC, (W - w) / 2, (H - h) / 2, w, h, memoryDC, 0, 0, SRCCOPY);
}

// On a palette screen an 8-bit picture shows its own colours only through
// a realised palette of them, so both references realise the one the saver
// makes (the static colours at both ends, the picture's between), as the
// saver does: in the foreground for a picture that fits.
HPALETTE RealisePictureColours(HDC windowDC, const unsigned char* header, LONG w, LONG h)
{
    if (!Palettised || !WithPalette || ReadLittle16(header + 14) != 8)
        return NULL;
    struct {
        LOGPALETTE head;
        PALETTEENTRY more[255];
    } logical;
    logical.head.palVersion = 0x300;
    logical.head.palNumEntries = 256;
    PALETTEENTRY* entries = logical.head.palPalEntry;
    GetSystemPaletteEntries(windowDC, 0, 256, entries);
    const unsigned char* table = header + BMP_INFO_HEADER_BYTES;
    for (int n = 0; n < 256; ++n) {
        bool own = n >= 10 && n <= 235;
        if (own) {
            entries[n].peRed = table[4 * n + 2];
            entries[n].peGreen = table[4 * n + 1];
            entries[n].peBlue = table[4 * n];
        }
        entries[n].peFlags = own ? PC_NOCOLLAPSE : 0;
    }
    HPALETTE palette = CreatePalette(&logical.head);
    SelectPalette(windowDC, palette, w > DrawingArea.Width || h > DrawingArea.Height);
    RealizePalette(windowDC);
    return palette;
}

void ReleasePictureColours(HDC windowDC, HPALETTE palette)
{
    if (!palette)
        return;
    SelectPalette(windowDC, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
    DeleteObject(palette);
}

// The fresh floor: what no way of showing a mapped file can do without.
bool ShowFloor(const std::string& path, HWND window)
{
    HDC windowDC = GetDC(window);
    HDC memoryDC = CreateCompatibleDC(windowDC);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    HANDLE mapping = CreateFileMappingA(file, NULL, PAGE_READONLY, 0, 0, NULL);
    const unsigned char* view = static_cast<const unsigned char*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
    bool drawn = false;
    if (view) {
        const unsigned char* header = view + BMP_OFFSET_INFO;
        LONG w = static_cast<LONG>(ReadLittle32(header + 4));
        LONG h = static_cast<LONG>(ReadLittle32(header + 8));
        DWORD rowBytes = ((static_cast<DWORD>(w) * ReadLittle16(header + 14) + 31) / 32) * 4;
        HPALETTE palette = RealisePictureColours(windowDC, header, w, h);
        void* bits = NULL;
        HBITMAP section = CreateDIBSection(windowDC, reinterpret_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS,
                                           &bits, NULL, 0);
        if (section && bits) {
            memcpy(bits, view + ReadLittle32(view + BMP_OFFSET_PIXEL_START), static_cast<size_t>(rowBytes) * h);
            HGDIOBJ previous = SelectObject(memoryDC, section);
            BlitAsTheSaver(windowDC, memoryDC, w, h);
            SelectObject(memoryDC, previous);
            drawn = true;
        }
        ReleasePictureColours(windowDC, palette);
        if (section)
            DeleteObject(section);
        UnmapViewOfFile(view);
    }
    if (mapping)
        CloseHandle(mapping);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    DeleteDC(memoryDC);
    ReleaseDC(window, windowDC);
    return drawn;
}

// The naive way: the system loads the file, then the same blit.
bool ShowNaive(const std::string& path, HWND window)
{
    HDC windowDC = GetDC(window);
    HDC memoryDC = CreateCompatibleDC(windowDC);
    HBITMAP loaded = static_cast<HBITMAP>(
        LoadImageA(NULL, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (loaded) {
        DIBSECTION description;
        GetObjectA(loaded, sizeof description, &description);
        LONG w = description.dsBm.bmWidth, h = description.dsBm.bmHeight;
        HPALETTE palette = NULL;
        if (description.dsBmih.biBitCount == 8) {
            // The colours as loaded, in the file's header layout.
            unsigned char header[BMP_INFO_BLOCK_BYTES] = {};
            memcpy(header, &description.dsBmih, BMP_INFO_HEADER_BYTES);
            HGDIOBJ selected = SelectObject(memoryDC, loaded);
            GetDIBColorTable(memoryDC, 0, 256, reinterpret_cast<RGBQUAD*>(header + BMP_INFO_HEADER_BYTES));
            SelectObject(memoryDC, selected);
            palette = RealisePictureColours(windowDC, header, w, h);
        }
        HGDIOBJ previous = SelectObject(memoryDC, loaded);
        BlitAsTheSaver(windowDC, memoryDC, w, h);
        SelectObject(memoryDC, previous);
        ReleasePictureColours(windowDC, palette);
        DeleteObject(loaded);
    }
    DeleteDC(memoryDC);
    ReleaseDC(window, windowDC);
    return loaded != NULL;
}

// ---- Pictures -------------------------------------------------------------
// A photo-sized 24-bit picture, larger than any screen the bench runs on,
// written once into the build directory (72 MB: never a sample).
std::string PhotoPicture(LONG width, LONG height)
{
    std::string directory = JoinPath(BuildDirectory(), "bench");
    CreateDirectoryA(directory.c_str(), NULL);
    char name[64];
    sprintf(name, "photo_%ldx%ld_24.bmp", width, height);
    std::string path = JoinPath(directory, name);
    DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    DWORD fileBytes = 54 + rowBytes * static_cast<DWORD>(height);
    WIN32_FILE_ATTRIBUTE_DATA present;
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &present) && present.nFileSizeHigh == 0 &&
        present.nFileSizeLow == fileBytes)
        return path;

    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return "";
    BITMAPFILEHEADER fileHeader = {};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfSize = fileBytes;
    fileHeader.bfOffBits = 54;
    BITMAPINFOHEADER infoHeader = {};
    infoHeader.biSize = sizeof infoHeader;
    infoHeader.biWidth = width;
    infoHeader.biHeight = height;
    infoHeader.biPlanes = 1;
    infoHeader.biBitCount = 24;
    infoHeader.biCompression = BI_RGB;
    infoHeader.biSizeImage = rowBytes * static_cast<DWORD>(height);
    DWORD written = 0;
    bool ok = WriteFile(file, &fileHeader, sizeof fileHeader, &written, NULL) &&
              WriteFile(file, &infoHeader, sizeof infoHeader, &written, NULL);
    // Smooth gradients with fine detail, a few rows at a time.
    const LONG rowsPerWrite = 64;
    std::vector<BYTE> rows(static_cast<size_t>(rowBytes) * rowsPerWrite);
    for (LONG y = 0; ok && y < height; y += rowsPerWrite) {
        LONG count = std::min(rowsPerWrite, height - y);
        for (LONG r = 0; r < count; ++r) {
            BYTE* row = &rows[static_cast<size_t>(r) * rowBytes];
            LONG line = y + r;
            for (LONG x = 0; x < width; ++x) {
                row[3 * x] = static_cast<BYTE>(255 * x / width);
                row[3 * x + 1] = static_cast<BYTE>(255 * line / height);
                row[3 * x + 2] = static_cast<BYTE>((x ^ line) & 0xFF);
            }
        }
        ok = WriteFile(file, rows.data(), rowBytes * count, &written, NULL) && written == rowBytes * count;
    }
    CloseHandle(file);
    if (!ok) {
        DeleteFileA(path.c_str());
        return "";
    }
    return path;
}

struct Picture {
    std::string label;
    std::string path;
    int runs;
};

struct Row {
    double phase[PICTURE_PHASE_COUNT];
    double loadAndDraw;
    double floor;
    double naive;
    double bareFloor;  // palette screens: the floor without the palette
    int drawn;
};

// A reference is drawn where the saver draws: on a window it has just wiped.
void WipeBeforeReference(HWND window)
{
    HDC dc = GetDC(window);
    WipeToBlack(dc);
    ReleaseDC(window, dc);
}

// Timed runs of one picture. The three ways take turns inside each run, in
// an order that rotates from run to run, each on a freshly wiped window, so
// that neither the machine's drift nor the memory one way has just given
// back falls on one of them alone. Each saver run's wipe goes to rows or
// columns by the direction it took.
Row RunPicture(const Picture& picture, HWND window, std::vector<double>* rowWipes, std::vector<double>* columnWipes)
{
    std::vector<double> phases[PICTURE_PHASE_COUNT], loadAndDraw, floor, naive, bareFloor;
    int drawn = 0;
    // One untimed round first: the file in the page cache for every way.
    ShowPictureFile(picture.path.c_str(), window);
    ShowFloor(picture.path, window);
    ShowNaive(picture.path, window);
    SettleOnScreen(window);
    for (int run = 0; run < picture.runs; ++run) {
        int ways = Palettised ? 4 : 3;
        for (int turn = 0; turn < ways; ++turn) {
            int way = (run + turn) % ways;
            if (way == 0) {
                std::fill(PhaseSeen, PhaseSeen + PICTURE_PHASE_COUNT, false);
                double start = Now();
                ShowPictureFile(picture.path.c_str(), window);
                SettleOnScreen(window);
                double end = Now();
                if (!std::all_of(PhaseSeen, PhaseSeen + PICTURE_PHASE_COUNT, [](bool seen) { return seen; }))
                    continue;
                ++drawn;
                double previous = start;
                for (int p = 0; p < PICTURE_PHASE_COUNT; ++p) {
                    double until = p == PICTURE_PHASE_RELEASE ? end : PhaseEnd[p];
                    phases[p].push_back(until - previous);
                    previous = until;
                }
                loadAndDraw.push_back(end - PhaseEnd[PICTURE_PHASE_WIPE]);
                bool rows = WipeStyle == WIPE_TOP_TO_BOTTOM || WipeStyle == WIPE_BOTTOM_TO_TOP;
                (rows ? rowWipes : columnWipes)->push_back(PhaseEnd[PICTURE_PHASE_WIPE] - start);
            } else {
                WipeBeforeReference(window);
                double start = Now();
                WithPalette = way != 3;
                if (way == 2)
                    ShowNaive(picture.path, window);
                else
                    ShowFloor(picture.path, window);
                SettleOnScreen(window);
                WithPalette = true;
                (way == 1 ? floor : way == 2 ? naive : bareFloor).push_back(Now() - start);
            }
        }
    }
    Row row;
    for (int p = 0; p < PICTURE_PHASE_COUNT; ++p)
        row.phase[p] = Median(phases[p]);
    row.loadAndDraw = Median(loadAndDraw);
    row.floor = Median(floor);
    row.naive = Median(naive);
    row.bareFloor = Median(bareFloor);
    row.drawn = drawn;
    return row;
}

// What the sleeps of a wipe of n strips take alone: ⌈n / 32⌉ × Sleep(1).
double SleepFloor(LONG strips)
{
    std::vector<double> times;
    for (int run = 0; run < 5; ++run) {
        double start = Now();
        for (LONG i = 0; i < strips; i += 32)
            Sleep(1);
        times.push_back(Now() - start);
    }
    return Median(times);
}

// Working set while the largest picture is on screen, against what that
// picture needs at least: its file mapped and its section.
void ReportMemory(const Picture& largest, HWND window)
{
    HANDLE file = CreateFileA(largest.path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    std::vector<BYTE> header(BMP_OFFSET_INFO + BMP_INFO_HEADER_BYTES);
    DWORD read = 0;
    ReadFile(file, header.data(), static_cast<DWORD>(header.size()), &read, NULL);
    double fileBytes = GetFileSize(file, NULL);
    CloseHandle(file);
    const BYTE* info = &header[BMP_OFFSET_INFO];
    double rowBytes = ((ReadLittle32(info + 4) * ReadLittle16(info + 14) + 31) / 32) * 4;
    double sectionBytes = rowBytes * ReadLittle32(info + 8);

    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    SIZE_T peakBefore = counters.PeakWorkingSetSize;
    SIZE_T before = WorkingSet();
    PeakWorkingSetInCall = 0;
    PicturePhaseDone = RecordPhaseAndMemory;
    ShowPictureFile(largest.path.c_str(), window);
    PicturePhaseDone = RecordPhase;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    const double mb = 1024.0 * 1024.0;
    printf("\nMemory of ShowPictureFile with %s, the first large picture of this process:\n", largest.label.c_str());
    printf("  working set before %.1f MB (peak until then %.1f MB); while on screen %.1f MB (+%.1f MB);\n",
           before / mb, peakBefore / mb, PeakWorkingSetInCall / mb, (PeakWorkingSetInCall - before) / mb);
    printf("  peak working set %.1f MB (+%.1f MB); file %.1f MB + section %.1f MB = %.1f MB.\n",
           counters.PeakWorkingSetSize / mb, (counters.PeakWorkingSetSize - before) / mb, fileBytes / mb,
           sectionBytes / mb, (fileBytes + sectionBytes) / mb);
}

}  // namespace

int main()
{
    setvbuf(stdout, NULL, _IOLBF, 0);
    std::string install = MakeScratchDirectory("picture-bench");
    std::string pictures = JoinPath(install, "pictures");
    CreateDirectoryA(pictures.c_str(), NULL);
    CopyFileA(picturetest::SamplePath("solid_320x200_24.bmp").c_str(), JoinPath(pictures, "a.bmp").c_str(), FALSE);
    // Drawn at natural size when it fits; the slideshow's own timer stays
    // far off, and no message is pumped while the bench runs.
    WriteSaverSettings(install.c_str(), 0, 100);

    SaverRuntime.Instance = GetModuleHandleA(NULL);
    HWND window = CreateSaverWindow(NULL);
    if (!window) {
        fprintf(stderr, "no saver window, error %lu\n", GetLastError());
        return 1;
    }
    UpdateWindow(window);

    std::vector<Picture> set;
    HDC screen = GetDC(NULL);
    Palettised = (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0;
    ReleaseDC(NULL, screen);
    if (Palettised) {
        set.push_back({"640x480x8", picturetest::SamplePath("sunset_640x480_8.bmp"), 60});
    } else {
        set.push_back({"1920x1080x24", picturetest::SamplePath("rings_1920x1080_24.bmp"), 30});
        set.push_back({"3840x2160x32", picturetest::SamplePath("sunset_3840x2160_32.bmp"), 10});
        std::string photo = PhotoPicture(6000, 4000);
        if (photo.empty()) {
            fprintf(stderr, "cannot write the 6000 x 4000 picture into %s\n", BuildDirectory().c_str());
            return 1;
        }
        set.push_back({"6000x4000x24", photo, 8});
    }

    printf("Picture display under Wine, %ld x %ld screen, %d bits per pixel%s; medians in ms.\n",
           DrawingArea.Width, DrawingArea.Height, ScreenDepth(), Palettised ? " (palette)" : "");
    PicturePhaseDone = RecordPhase;
    if (!Palettised)
        ReportMemory(set.back(), window);

    printf("\nload+draw = ShowPictureFile without its wipe: map (open, map, header), palette, section, copy,\n");
    printf("draw, release (with the read-back); floor = map, CreateDIBSection, memcpy, the same blit,\n");
    printf("release; naive = LoadImageA(LR_LOADFROMFILE | LR_CREATEDIBSECTION), the same blit. Each starts\n");
    printf("on a freshly wiped window and ends with a pixel read back.\n");
    if (Palettised)
        printf("On this palette screen both references realise the picture's palette as the saver does,\n"
               "or they would show other colours.\n");
    printf("\n");
    printf("%-13s %4s | %6s %6s %6s %6s %6s %6s | %8s %8s %8s | %6s %6s\n", "picture", "runs", "map", "palet",
           "sectn", "copy", "draw", "releas", "load+drw", "floor", "naive", "l/flr", "nv/l");
    std::vector<double> rowWipes, columnWipes;
    double worst = 0.0;
    for (const Picture& picture : set) {
        Row row = RunPicture(picture, window, &rowWipes, &columnWipes);
        if (row.drawn == 0) {
            printf("%-13s not drawn\n", picture.label.c_str());
            worst = 1e9;
            continue;
        }
        double ratio = row.loadAndDraw / row.floor;
        worst = std::max(worst, ratio);
        printf("%-13s %4d | %6.2f %6.2f %6.2f %6.2f %6.2f %6.2f | %8.2f %8.2f %8.2f | %6.2f %6.2f\n",
               picture.label.c_str(), row.drawn, row.phase[PICTURE_PHASE_MAP], row.phase[PICTURE_PHASE_PALETTE],
               row.phase[PICTURE_PHASE_SECTION], row.phase[PICTURE_PHASE_COPY], row.phase[PICTURE_PHASE_DRAW],
               row.phase[PICTURE_PHASE_RELEASE], row.loadAndDraw, row.floor, row.naive, ratio,
               row.naive / row.loadAndDraw);
        if (Palettised)
            printf("%-13s floor without the palette (other colours on screen): %.2f ms\n", "", row.bareFloor);
    }

    LONG W = DrawingArea.Width, H = DrawingArea.Height;
    printf("\nwipe (the device contexts and WipeToBlack), beside its sleeps alone:\n");
    printf("  rows    %4ld strips, %3ld x Sleep(1): %8.2f ms, sleeps %8.2f ms (%d wipes)\n", H, (H + 31) / 32,
           Median(rowWipes), SleepFloor(H), static_cast<int>(rowWipes.size()));
    printf("  columns %4ld strips, %3ld x Sleep(1): %8.2f ms, sleeps %8.2f ms (%d wipes)\n", W, (W + 31) / 32,
           Median(columnWipes), SleepFloor(W), static_cast<int>(columnWipes.size()));

    PicturePhaseDone = NULL;
    DestroyWindow(window);
    RemoveTree(install);
    printf("\nworst load+draw/floor: %.2f\n", worst);
    return 0;
}
