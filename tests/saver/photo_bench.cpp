// Benchmark of the photo path, run by `make bench` on a 1920 x 1080 screen
// (not a test). For each photo, in a process of its own per path so that
// each peak working set is that path's alone:
//   prepared  PreparePicture as the worker runs it ahead of the tick (its
//             decode, reduce and turn), then the tick's one blit;
//   naive     the whole picture decoded at the tick by the Imaging Component
//             into a DIB section, then drawn reduced with StretchBlt;
//   bmp       ShowPictureFile's load and draw (no wipe) of a 1920 x 1080
//             24-bit bitmap, as the installed configuration shows pictures.
// Then the real VRXSaver.scr ending on a click while the worker decodes a
// 48-megapixel photo: the time until its window is gone and until the
// process has ended. Ends with the ratios of the prepared tick to the naive
// path and to the bitmap's load and draw, and of their peak memory. Prints
// figures; asserts nothing.
#include <windows.h>

#include <psapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <wincodec.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "imaging_runtime.h"
#include "photo_display.h"
#include "picture_display.h"
#include "prepared_picture.h"
#include "saver_runtime.h"
#include "saver_window.h"
#include "settings_store.h"
#include "slideshow.h"
#include "test_support.h"

using namespace vrxtest;

using benchclock::Median;
using benchclock::Now;

namespace {

const int kRuns = 5;

PROCESS_MEMORY_COUNTERS Memory()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}

double Megabytes(SIZE_T bytes)
{
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

void SettleOnScreen(HWND window)
{
    GdiFlush();
    HDC dc = GetDC(window);
    GetPixel(dc, DrawingArea.Width / 2, DrawingArea.Height / 2);
    ReleaseDC(window, dc);
}

void WipeWindow(HWND window)
{
    HDC dc = GetDC(window);
    PatBlt(dc, 0, 0, DrawingArea.Width, DrawingArea.Height, BLACKNESS);
    ReleaseDC(window, dc);
    GdiFlush();
}

// ---- The prepared path -------------------------------------------------------
// Time spent in each step of PreparePicture: opening, then decoding and
// scaling band by band (the scaler stores each row turned the right way up).
double StepStart;
double StepTime[PREPARE_PHASE_COUNT];

void RecordPrepareStep(PreparePhase finished)
{
    double now = Now();
    StepTime[finished] += now - StepStart;
    StepStart = now;
}

// Prints: prepare open decode scale tick (ms).
int RunPrepared(const char* path, HWND window)
{
    PictureFit fit = {DrawingArea.Width, DrawingArea.Height, TRUE, FALSE};
    std::vector<double> prepare, steps[PREPARE_PHASE_COUNT], tick;
    PreparePhaseDone = RecordPrepareStep;
    for (int run = 0; run < kRuns; ++run) {
        PreparedPicture picture = {};
        volatile LONG cancel = 0;
        std::fill(StepTime, StepTime + PREPARE_PHASE_COUNT, 0.0);
        double start = Now();
        StepStart = start;
        if (PreparePicture(path, &fit, &cancel, &picture) != PREPARE_OK)
            return 1;
        prepare.push_back(Now() - start);
        for (int p = 0; p < PREPARE_PHASE_COUNT; ++p)
            steps[p].push_back(StepTime[p]);
        WipeWindow(window);
        double tickStart = Now();
        HDC dc = GetDC(window);
        DrawPreparedPicture(dc, DrawingArea.X, DrawingArea.Y, &picture);
        ReleaseDC(window, dc);
        SettleOnScreen(window);
        tick.push_back(Now() - tickStart);
        ReleasePreparedPicture(&picture);
    }
    printf("%.2f %.2f %.2f %.2f %.2f", Median(prepare), Median(steps[PREPARE_PHASE_OPEN]),
           Median(steps[PREPARE_PHASE_DECODE]), Median(steps[PREPARE_PHASE_SCALE]), Median(tick));
    return 0;
}

// ---- The naive path ----------------------------------------------------------
// Everything at the tick: the whole picture decoded into a DIB section, then
// drawn reduced into the same place as the prepared one.
bool ShowNaive(const char* path, HWND window)
{
    IWICImagingFactory* factory = CreateImagingFactory();
    if (!factory)
        return false;
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH);
    IWICBitmapDecoder* decoder = NULL;
    IWICBitmapFrameDecode* frame = NULL;
    IWICFormatConverter* converter = NULL;
    bool drawn = false;
    if (SUCCEEDED(factory->CreateDecoderFromFilename(wide, NULL, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                     &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, NULL, 0,
                                        WICBitmapPaletteTypeCustom))) {
        UINT width = 0, height = 0;
        converter->GetSize(&width, &height);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = static_cast<LONG>(width);
        info.bmiHeader.biHeight = -static_cast<LONG>(height);
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = NULL;
        HDC dc = GetDC(window);
        HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, NULL, 0);
        if (section && SUCCEEDED(converter->CopyPixels(NULL, width * 4, width * height * 4,
                                                       static_cast<BYTE*>(bits)))) {
            HDC memory = CreateCompatibleDC(dc);
            HGDIOBJ previous = SelectObject(memory, section);
            double scale = std::min(static_cast<double>(DrawingArea.Width) / width,
                                    static_cast<double>(DrawingArea.Height) / height);
            int w = static_cast<int>(width * scale), h = static_cast<int>(height * scale);
            SetStretchBltMode(dc, HALFTONE);
            SetBrushOrgEx(dc, 0, 0, NULL);
            StretchBlt(dc, (DrawingArea.Width - w) / 2, (DrawingArea.Height - h) / 2, w, h, memory, 0, 0, width,
                       height, SRCCOPY);
            SelectObject(memory, previous);
            DeleteDC(memory);
            drawn = true;
        }
        if (section)
            DeleteObject(section);
        ReleaseDC(window, dc);
    }
    if (converter)
        converter->Release();
    if (frame)
        frame->Release();
    if (decoder)
        decoder->Release();
    factory->Release();
    return drawn;
}

// Prints: tick (ms).
int RunNaive(const char* path, HWND window)
{
    std::vector<double> tick;
    for (int run = 0; run < kRuns; ++run) {
        WipeWindow(window);
        double start = Now();
        if (!ShowNaive(path, window))
            return 1;
        SettleOnScreen(window);
        tick.push_back(Now() - start);
    }
    printf("%.2f", Median(tick));
    return 0;
}

// ---- The bitmap's load and draw ---------------------------------------------
double WipeEnd;

void RecordWipe(PicturePhase finished)
{
    if (finished == PICTURE_PHASE_WIPE)
        WipeEnd = Now();
}

void WINAPI NoPause(DWORD) {}

// Prints: load+draw (ms).
int RunBitmap(const char* path, HWND window)
{
    std::vector<double> loadAndDraw;
    PicturePhaseDone = RecordWipe;
    WipeSleep = NoPause;
    for (int run = 0; run < kRuns; ++run) {
        ShowPictureFile(path, window);
        SettleOnScreen(window);
        loadAndDraw.push_back(Now() - WipeEnd);
    }
    printf("%.2f", Median(loadAndDraw));
    return 0;
}

// One path in this process: a saver window the size of the screen, the
// path's runs, then its figures and the peak working set it added.
int RunPath(const char* way, const char* path)
{
    SaverRuntime.Instance = GetModuleHandleA(NULL);
    HWND window = CreateSaverWindow(NULL);
    if (!window)
        return 1;
    // The bitmap slideshow's own first paint: a black screen to start from.
    UpdateWindow(window);
    DrawingArea.Width = GetSystemMetrics(SM_CXSCREEN);
    DrawingArea.Height = GetSystemMetrics(SM_CYSCREEN);
    StartImagingOnThread();
    SIZE_T before = Memory().WorkingSetSize;
    int result = 1;
    if (lstrcmpA(way, "prepared") == 0)
        result = RunPrepared(path, window);
    else if (lstrcmpA(way, "naive") == 0)
        result = RunNaive(path, window);
    else if (lstrcmpA(way, "bmp") == 0)
        result = RunBitmap(path, window);
    printf(" %.1f\n", Megabytes(Memory().PeakWorkingSetSize - before));
    fflush(stdout);
    return result;
}

// ---- Input while a large photo is decoded -----------------------------------
// The real saver over two folders: a small blue photo, then a 48-megapixel
// one that its worker is decoding when the click comes. Prints the medians
// of the times until the window is gone and until the process has ended.
void RunInputWhileDecoding(const std::string& saver, const std::string& directory)
{
    std::string first = JoinPath(directory, "input-first"), second = JoinPath(directory, "input-second");
    WriteSaverSettings("C:\\", 0, 100);
    WriteText(HKEY_CURRENT_USER, kSettingsKey, "Folder1", first);
    WriteText(HKEY_CURRENT_USER, kSettingsKey, "Folder2", second);
    std::vector<double> gone, ended;
    for (int run = 0; run < 3; ++run) {
        ChildProcess process;
        if (!process.Start(saver, "/s"))
            break;
        HWND window = WaitForProcessWindow(process.Id(), "WindowsScreenSaverClass", "Screen Saver", 10000);
        bool shown = window && PumpUntil([] {
            HDC screen = GetDC(NULL);
            COLORREF centre = GetPixel(screen, GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
            ReleaseDC(NULL, screen);
            return centre == RGB(0, 0, 255);
        }, 10000);
        if (!shown) {
            process.Kill();
            continue;
        }
        PumpFor(300);  // the worker is well into the large photo by now
        double start = Now();
        PostMessageA(window, WM_LBUTTONDOWN, 0, 0);
        PumpUntil([window] { return !IsWindow(window); }, 5000);
        gone.push_back(Now() - start);
        process.Wait(5000);
        ended.push_back(Now() - start);
    }
    DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKey);
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey);
    if (gone.empty()) {
        printf("\ninput while a 48-megapixel photo is decoded: the saver showed no photo\n");
        return;
    }
    printf("\nA click on the real saver while its worker decodes an 8000 x 6000 PNG (median of %d):\n",
           static_cast<int>(gone.size()));
    printf("  window gone after %.1f ms, process ended after %.1f ms\n", Median(gone), Median(ended));
}

// ---- The table ---------------------------------------------------------------
// Runs this program for one path and returns what it printed.
std::string RunChild(const char* way, const std::string& path)
{
    char program[MAX_PATH];
    GetModuleFileNameA(NULL, program, MAX_PATH);
    std::string output = JoinPath(MakeScratchDirectory("photo-bench"), "figures.txt");
    std::string command = std::string("cmd /c \"\"") + program + "\" " + way + " \"" + path + "\" > \"" + output + "\"\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    if (!CreateProcessA(NULL, line.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info))
        return "";
    WaitForSingleObject(info.hProcess, INFINITE);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    std::vector<BYTE> bytes = ReadFileBytes(output);
    return std::string(bytes.begin(), bytes.end());
}

struct Photo {
    const char* label;
    const char* file;
};

int RunTable(const std::string& directory, const std::string& bitmap, const std::string& saver)
{
    const Photo photos[] = {
        {"6000x4000 JPEG q90", "photo_6000x4000_q90.jpg"},
        {"4032x3024 JPEG EXIF 6", "photo_4032x3024_orientation6.jpg"},
        {"3000x2000 PNG", "photo_3000x2000.png"},
    };
    printf("Photo path under Wine, %d x %d screen, %d bits per pixel; medians of %d runs in ms; peak = the\n",
           GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), ScreenDepth(), kRuns);
    printf("peak working set the path added in a process of its own, in MB.\n\n");
    printf("prepare = PreparePicture on the worker: open (the decoder), decode (band by band), scale\n");
    printf("(reduce and turn, band by band); tick = the prepared photo's one\n");
    printf("blit; naive = the whole photo decoded at the tick into a DIB section and drawn reduced with\n");
    printf("StretchBlt; bmp = ShowPictureFile's load and draw of a 1920 x 1080 24-bit bitmap.\n\n");
    double bmpTime = 0, bmpPeak = 0;
    if (sscanf(RunChild("bmp", bitmap).c_str(), "%lf %lf", &bmpTime, &bmpPeak) != 2) {
        fprintf(stderr, "the bitmap path gave no figures\n");
        return 1;
    }
    printf("%-22s | %8s %7s %7s %7s | %7s %6s | %7s %6s\n", "photo", "prepare", "open", "decode", "scale", "tick",
           "peak", "naive", "peak");
    double worstTick = 0, worstTickBmp = 0, worstMemory = 0;
    for (const Photo& photo : photos) {
        std::string path = JoinPath(directory, photo.file);
        double prepare, open, decode, scale, tick, peak, naive, naivePeak;
        if (sscanf(RunChild("prepared", path).c_str(), "%lf %lf %lf %lf %lf %lf", &prepare, &open, &decode, &scale,
                   &tick, &peak) != 6 ||
            sscanf(RunChild("naive", path).c_str(), "%lf %lf", &naive, &naivePeak) != 2) {
            fprintf(stderr, "%s gave no figures\n", photo.label);
            return 1;
        }
        printf("%-22s | %8.2f %7.2f %7.2f %7.2f | %7.2f %6.1f | %7.2f %6.1f\n", photo.label, prepare, open,
               decode, scale, tick, peak, naive, naivePeak);
        worstTick = std::max(worstTick, tick / naive);
        worstTickBmp = std::max(worstTickBmp, tick / bmpTime);
        worstMemory = std::max(worstMemory, peak / naivePeak);
    }
    printf("%-22s | %8s %7s %7s %7s | %7.2f %6.1f |\n", "1920x1080 24-bit BMP", "", "", "", "", bmpTime, bmpPeak);
    RunInputWhileDecoding(saver, directory);
    printf("\nphoto tick/naive: %.3f\n", worstTick);
    printf("photo tick/bmp load+draw: %.3f\n", worstTickBmp);
    printf("photo peak memory/naive: %.3f\n", worstMemory);
    return 0;
}

}  // namespace

// photo_bench <photo-dir> <bitmap> <saver>: the table; photo_bench <way> <file>: one path.
int main(int argc, char** argv)
{
    if (argc == 4)
        return RunTable(argv[1], argv[2], argv[3]);
    if (argc == 3 && (lstrcmpA(argv[1], "prepared") == 0 || lstrcmpA(argv[1], "naive") == 0 ||
                      lstrcmpA(argv[1], "bmp") == 0))
        return RunPath(argv[1], argv[2]);
    fprintf(stderr, "usage: photo_bench <photo-dir> <bitmap> <saver> | photo_bench prepared|naive|bmp <file>\n");
    return 2;
}
