// Benchmark of the crossfade, run by `make bench` on its 3840 x 2160 screen
// (not a test): the time and this process's CPU time of one step of the
// blend over the whole screen, beside one plain blit of a frame (what the
// screen costs anyway), then a whole fade paced by a window timer as the
// slideshow drives it, and for reference the same blend in plain code.
// Prints figures; asserts nothing.
#include <windows.h>

#include <stdio.h>

#include <algorithm>
#include <vector>

#include "bench_clock.h"
#include "crossfade.h"

using benchclock::Median;
using benchclock::Now;

namespace {

// User and kernel time of this process, in milliseconds.
double ProcessCpu()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    ULARGE_INTEGER k, u;
    k.LowPart = kernel.dwLowDateTime;
    k.HighPart = kernel.dwHighDateTime;
    u.LowPart = user.dwLowDateTime;
    u.HighPart = user.dwHighDateTime;
    return static_cast<double>(k.QuadPart + u.QuadPart) / 10000.0;
}

// A reference beside AlphaBlend: the same blend in plain code, two colour
// channels per multiplication, written into work and blitted once.
void BlendByHand(HDC dc, const CrossfadeFrame* from, const CrossfadeFrame* to, CrossfadeFrame* work, LONG fraction)
{
    DWORD a = static_cast<DWORD>(fraction) + (fraction > 127 ? 1 : 0), b = 256 - a;
    size_t count = static_cast<size_t>(work->width) * work->height;
    GdiFlush();
    for (size_t i = 0; i < count; ++i) {
        DWORD o = from->pixels[i], n = to->pixels[i];
        DWORD rb = ((o & 0xFF00FF) * b + (n & 0xFF00FF) * a) >> 8;
        DWORD g = ((o & 0xFF00) * b + (n & 0xFF00) * a) >> 8;
        work->pixels[i] = (rb & 0xFF00FF) | (g & 0xFF00);
    }
    BitBlt(dc, 0, 0, work->width, work->height, work->dc, 0, 0, SRCCOPY);
}

// The step is on the screen once GDI's batch is flushed and a pixel of it
// read back.
void Settle(HDC dc, LONG width, LONG height)
{
    GdiFlush();
    GetPixel(dc, width / 2, height / 2);
}

// Two different photos stand-ins: smooth gradients across the whole frame.
void PaintGradient(CrossfadeFrame* frame, bool second)
{
    for (LONG y = 0; y < frame->height; ++y)
        for (LONG x = 0; x < frame->width; ++x) {
            DWORD r = static_cast<DWORD>(x * 255 / frame->width), g = static_cast<DWORD>(y * 255 / frame->height);
            frame->pixels[static_cast<size_t>(y) * frame->width + x] = second ? (g << 16) | (r << 8) | 0x40
                                                                              : (r << 16) | (g << 8) | 0xC0;
        }
}

struct PacedFade {
    HDC dc;
    CrossfadeFrame* frames;
    DWORD started;
    int steps;
    bool done;
};

PacedFade* Fade;

void CALLBACK OnFadeStep(HWND, UINT, UINT_PTR, DWORD)
{
    LONG fraction = CrossfadeFraction(GetTickCount() - Fade->started);
    DrawCrossfade(Fade->dc, 0, 0, &Fade->frames[0], &Fade->frames[1], &Fade->frames[2], fraction);
    ++Fade->steps;
    if (fraction == CROSSFADE_FULL)
        Fade->done = true;
}

}  // namespace

int main()
{
    LONG width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    if (!CrossfadeAvailable()) {
        printf("no AlphaBlend on this system: the slideshow wipes instead\n");
        return 1;
    }
    HWND window = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "crossfade bench", WS_POPUP | WS_VISIBLE, 0, 0, width,
                                  height, NULL, NULL, NULL, NULL);
    HDC dc = GetDC(window);
    CrossfadeFrame frames[3] = {};
    for (CrossfadeFrame& frame : frames)
        if (!CreateCrossfadeFrame(width, height, &frame)) {
            printf("no frame of %ld x %ld\n", width, height);
            return 1;
        }
    PaintGradient(&frames[0], false);
    PaintGradient(&frames[1], true);
    int framesDrawn = 0;

    const int rounds = 24;
    std::vector<double> blitTimes, blitCpu, stepTimes, stepCpu, handTimes, handCpu;
    for (int i = 0; i < rounds + 2; ++i) {
        double t0 = Now(), c0 = ProcessCpu();
        BitBlt(dc, 0, 0, width, height, frames[i % 2].dc, 0, 0, SRCCOPY);
        Settle(dc, width, height);
        double t1 = Now(), c1 = ProcessCpu();
        DrawCrossfade(dc, 0, 0, &frames[0], &frames[1], &frames[2], 1 + (i * 253) / (rounds + 1));
        Settle(dc, width, height);
        double t2 = Now(), c2 = ProcessCpu();
        BlendByHand(dc, &frames[0], &frames[1], &frames[2], 1 + (i * 253) / (rounds + 1));
        Settle(dc, width, height);
        double t3 = Now(), c3 = ProcessCpu();
        framesDrawn += 3;
        if (i < 2)
            continue;  // the first ones fault the sections' pages in
        blitTimes.push_back(t1 - t0);
        blitCpu.push_back(c1 - c0);
        stepTimes.push_back(t2 - t1);
        stepCpu.push_back(c2 - c1);
        handTimes.push_back(t3 - t2);
        handCpu.push_back(c3 - c2);
    }
    double blitTime = Median(blitTimes), stepTime = Median(stepTimes);
    double cpuBlit = 0, cpuStep = 0, cpuHand = 0;
    for (int i = 0; i < rounds; ++i) {
        cpuBlit += blitCpu[i];
        cpuStep += stepCpu[i];
        cpuHand += handCpu[i];
    }
    printf("Crossfade on %ld x %ld, 32-bit frames of %.1f MB each (three while fading)\n", width, height,
           width * static_cast<double>(height) * 4 / (1024 * 1024));
    printf("%-34s %10s %14s\n", "", "time (ms)", "CPU (ms, mean)");
    printf("%-34s %10.1f %14.1f\n", "plain blit of a frame", blitTime, cpuBlit / rounds);
    printf("%-34s %10.1f %14.1f\n", "one crossfade step", stepTime, cpuStep / rounds);
    printf("%-34s %10.1f %14.1f\n", "reference: the blend by hand", Median(handTimes), cpuHand / rounds);

    PacedFade fade = {dc, frames, 0, 0, false};
    Fade = &fade;
    UINT interval = CrossfadeStepInterval(dc);
    double t0 = Now(), c0 = ProcessCpu();
    fade.started = GetTickCount();
    UINT_PTR timer = SetTimer(NULL, 0, interval, OnFadeStep);
    MSG message;
    while (!fade.done && GetMessageA(&message, NULL, 0, 0) > 0)
        DispatchMessageA(&message);
    KillTimer(NULL, timer);
    Settle(dc, width, height);
    double elapsed = Now() - t0, cpu = ProcessCpu() - c0;
    framesDrawn += fade.steps;
    printf("whole fade, timer every %u ms: %d steps in %.0f ms (%.1f steps/s), CPU %.0f ms (%.0f %% of one core)\n",
           interval, fade.steps, elapsed, fade.steps * 1000.0 / elapsed, cpu, 100.0 * cpu / elapsed);
    printf("frames drawn: %d\n", framesDrawn);

    for (CrossfadeFrame& frame : frames)
        ReleaseCrossfadeFrame(&frame);
    ReleaseDC(window, dc);
    DestroyWindow(window);
    return 0;
}
