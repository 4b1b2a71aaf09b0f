// Shared by the tests of the saver on two monitors: the monitors as Wine
// reports them, the blanking windows of this thread, and the screen's pixels.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "blanking_windows.h"
#include "saver_window_fixture.h"

namespace monitortest {

using vrxtest::ClassName;

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

inline BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM rects)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoA(monitor, &info);
    if (!(info.dwFlags & MONITORINFOF_PRIMARY))
        reinterpret_cast<std::vector<RECT>*>(rects)->push_back(info.rcMonitor);
    return TRUE;
}

// The monitors other than the primary one.
inline std::vector<RECT> OtherMonitors()
{
    std::vector<RECT> rects;
    EnumDisplayMonitors(NULL, NULL, AddMonitor, reinterpret_cast<LPARAM>(&rects));
    return rects;
}

inline BOOL CALLBACK AddBlankingWindow(HWND window, LPARAM windows)
{
    if (ClassName(window) == BLANKING_CLASS_NAME)
        reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

inline std::vector<HWND> BlankingWindowsOfThread()
{
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), AddBlankingWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

inline COLORREF ScreenPixel(int x, int y)
{
    HDC screen = GetDC(NULL);
    COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(NULL, screen);
    return colour;
}

inline std::string RectText(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// A white window over the second monitor, as a document left on display.
inline HWND ShowWhiteWindow(const RECT& monitor)
{
    WNDCLASSA document = {};
    document.lpfnWndProc = DefWindowProcA;
    document.hInstance = GetModuleHandleA(NULL);
    document.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    document.lpszClassName = "VrxTestDocument";
    RegisterClassA(&document);
    HWND window = CreateWindowExA(0, document.lpszClassName, "document", WS_POPUP | WS_VISIBLE, monitor.left,
                                  monitor.top, monitor.right - monitor.left, monitor.bottom - monitor.top, NULL, NULL,
                                  document.hInstance, NULL);
    UpdateWindow(window);
    return window;
}

inline bool ScreenShows(POINT p, COLORREF colour)
{
    return vrxtest::PumpUntil([&] { return ScreenPixel(p.x, p.y) == colour; }, 5000);
}

}  // namespace monitortest
