// Benchmark: time from the slideshow's timer tick to the picture on screen,
// split into the wipe and the loading and drawing, for three picture sizes;
// beside it, on the same pictures, a floor (copying the pixel bytes into a
// ready DIB section and one BitBlt) and a naive loader (LoadImageA from the
// file, then BitBlt). Prints figures; asserts nothing.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "bitmap_layout.h"
#include "picture_display.h"
#include "picture_test_support.h"
#include "saver_runtime.h"
#include "saver_window.h"
#include "slideshow.h"
#include "test_support.h"

using namespace vrxtest;

namespace {

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Figures {
    double median;
    double best;
};

// Runs prepare (untimed) and then work (timed) the given number of times.
Figures Measure(int runs, const std::function<void()>& prepare, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        double start = Now();
        work();
        times.push_back(Now() - start);
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.front()};
}

// The picture is on screen once GDI's batch is flushed and a pixel of the
// window can be read back.
void SettleOnScreen(HWND window, HDC dc)
{
    GdiFlush();
    GetPixel(dc, DrawingArea.Width / 2, DrawingArea.Height / 2);
    (void)window;
}

struct Bench {
    const char* sample;
    const char* label;
    int runs;
};

void RunOne(const Bench& bench, HWND window, const std::string& pictures)
{
    std::string source = picturetest::SamplePath(bench.sample);
    std::string a = JoinPath(pictures, "a.bmp");
    std::string b = JoinPath(pictures, "b.bmp");
    CopyFileA(source.c_str(), a.c_str(), FALSE);
    CopyFileA(source.c_str(), b.c_str(), FALSE);
    std::string pattern = JoinPath(pictures, "*.bmp");
    HDC dc = GetDC(window);

    // The tick: WM_TIMER through the saver's own procedure chain, which moves
    // the search on to the other copy and shows it.
    auto restartSearch = [&] {
        if (PictureSearch != INVALID_HANDLE_VALUE)
            FindClose(PictureSearch);
        PictureSearch = FindFirstFileA(pattern.c_str(), &PictureFind);
    };
    Figures tick = Measure(bench.runs, restartSearch, [&] {
        SendMessageA(window, WM_TIMER, SLIDESHOW_TIMER_ID, 0);
        SettleOnScreen(window, dc);
    });
    Figures wipe = Measure(bench.runs, [] {}, [&] {
        WipeToBlack(dc);
        SettleOnScreen(window, dc);
    });

    // The floor: the file already mapped, the section already made.
    std::vector<BYTE> file = ReadFileBytes(source);
    PictureLayout layout = PlanPictureCopy(file.data(), file.size());
    std::vector<unsigned char> info(layout.infoBytes);
    CopyBitmapInfoBlock(file.data(), file.size(), layout, info.data());
    void* bits = NULL;
    HBITMAP section =
        CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &bits, NULL, 0);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memory, section);
    LONG w = layout.width, h = static_cast<LONG>(layout.rows);
    LONG W = DrawingArea.Width, H = DrawingArea.Height;
    Figures floorBlit = Measure(bench.runs, [] {}, [&] {
        memcpy(bits, file.data() + layout.pixelOffset, layout.pixelBytes);
        BitBlt(dc, 0, 0, std::min(w, W), std::min(h, H), memory, 0, 0, SRCCOPY);
        SettleOnScreen(window, dc);
    });
    Figures floorStretch = Measure(bench.runs, [] {}, [&] {
        memcpy(bits, file.data() + layout.pixelOffset, layout.pixelBytes);
        StretchBlt(dc, 0, 0, W, H, memory, 0, 0, w, h, SRCCOPY);
        SettleOnScreen(window, dc);
    });
    SelectObject(memory, previous);
    DeleteObject(section);

    // The naive way: let the system load the file, then draw it.
    Figures naive = Measure(bench.runs, [] {}, [&] {
        HBITMAP loaded = static_cast<HBITMAP>(
            LoadImageA(NULL, a.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
        HGDIOBJ old = SelectObject(memory, loaded);
        BitBlt(dc, 0, 0, std::min(w, W), std::min(h, H), memory, 0, 0, SRCCOPY);
        SettleOnScreen(window, dc);
        SelectObject(memory, old);
        DeleteObject(loaded);
    });
    DeleteDC(memory);
    ReleaseDC(window, dc);

    double loadAndDraw = tick.median - wipe.median;
    printf("%-18s %5d | %8.2f %8.2f %8.2f | %8.2f %8.2f | %8.2f | %6.2f %6.2f %6.2f\n", bench.label, bench.runs,
           tick.median, wipe.median, loadAndDraw, floorBlit.median, floorStretch.median, naive.median,
           loadAndDraw / floorBlit.median, loadAndDraw / floorStretch.median, naive.median / loadAndDraw);
    fflush(stdout);
    DeleteFileA(a.c_str());
    DeleteFileA(b.c_str());
}

}  // namespace

int main()
{
    std::string install = MakeScratchDirectory("picture-bench");
    std::string pictures = JoinPath(install, "pictures");
    CreateDirectoryA(pictures.c_str(), NULL);
    CopyFileA(picturetest::SamplePath("solid_320x200_24.bmp").c_str(), JoinPath(pictures, "a.bmp").c_str(), FALSE);
    WriteSaverSettings(install.c_str(), 0, 100);

    SaverRuntime.Instance = GetModuleHandleA(NULL);
    HWND window = CreateSaverWindow(NULL);
    if (!window) {
        fprintf(stderr, "no saver window, error %lu\n", GetLastError());
        return 1;
    }
    UpdateWindow(window);

    printf("Picture display under Wine, %ld x %ld screen of %d bits; medians in ms.\n", DrawingArea.Width,
           DrawingArea.Height, ScreenDepth());
    printf("tick = WM_TIMER to picture on screen; wipe = WipeToBlack alone (with its Sleep(1) every 32 strips);\n");
    printf("load+draw = tick - wipe; floor = memcpy into a ready DIB section + one BitBlt (or StretchBlt to\n");
    printf("the screen); naive = LoadImageA(LR_LOADFROMFILE) + BitBlt.\n\n");
    printf("%-18s %5s | %8s %8s %8s | %8s %8s | %8s | %6s %6s %6s\n", "picture", "runs", "tick", "wipe",
           "load+drw", "floor", "flr-strt", "naive", "l/flr", "l/fstr", "nv/l");
    const Bench benches[] = {
        {"sunset_640x480_8.bmp", "640x480x8", 30},
        {"rings_1920x1080_24.bmp", "1920x1080x24", 15},
        {"sunset_3840x2160_32.bmp", "3840x2160x32", 8},
    };
    for (const Bench& bench : benches)
        RunOne(bench, window, pictures);

    DestroyWindow(window);
    RemoveTree(install);
    return 0;
}
