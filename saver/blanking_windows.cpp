// The blanking windows of the other monitors: one black, topmost window per
// monitor, owned by the full-screen saver window and passing its input on.
#include "blanking_windows.h"

#include "photo_slideshow.h"
#include "saver_runtime.h"

namespace {

// Windows 95 and NT 4.0 know one monitor and have neither monitor function;
// both are looked up when the saver starts, so that it still loads there.
typedef BOOL(WINAPI* EnumDisplayMonitorsProc)(HDC, LPCRECT, MONITORENUMPROC, LPARAM);
typedef BOOL(WINAPI* GetMonitorInfoProc)(HMONITOR, LPMONITORINFO);
GetMonitorInfoProc MonitorInfo;

BOOL CALLBACK CoverMonitor(HMONITOR monitor, HDC, LPRECT area, LPARAM saver)
{
    MONITORINFO info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    if (!MonitorInfo(monitor, &info) || (info.dwFlags & MONITORINFOF_PRIMARY))
        return TRUE;
    HWND blanking = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, BLANKING_CLASS_NAME, "", WS_POPUP, area->left,
                                    area->top, area->right - area->left, area->bottom - area->top,
                                    reinterpret_cast<HWND>(saver), NULL, SaverRuntime.Instance, NULL);
    if (blanking)
        ShowWindow(blanking, SW_SHOWNOACTIVATE);
    return TRUE;
}

BOOL IsBlankingWindowOf(HWND window, HWND saver);

BOOL CALLBACK DestroyBlankingWindow(HWND window, LPARAM saver)
{
    if (IsBlankingWindowOf(window, reinterpret_cast<HWND>(saver)))
        DestroyWindow(window);
    return TRUE;
}

struct FoundWindows {
    HWND saver;
    HWND* windows;
    int max;
    int count;
};

BOOL IsBlankingWindowOf(HWND window, HWND saver)
{
    char name[sizeof BLANKING_CLASS_NAME + 1];
    return GetWindow(window, GW_OWNER) == saver && GetClassNameA(window, name, sizeof name) &&
           lstrcmpA(name, BLANKING_CLASS_NAME) == 0;
}

BOOL CALLBACK CollectBlankingWindow(HWND window, LPARAM found)
{
    FoundWindows* list = reinterpret_cast<FoundWindows*>(found);
    if (list->count < list->max && IsBlankingWindowOf(window, list->saver))
        list->windows[list->count++] = window;
    return TRUE;
}

}  // namespace

int FindBlankingWindows(HWND saverWindow, HWND* windows, int max)
{
    FoundWindows found = {saverWindow, windows, max, 0};
    EnumThreadWindows(GetCurrentThreadId(), CollectBlankingWindow, reinterpret_cast<LPARAM>(&found));
    return found.count;
}

void CoverMonitorsAgain(HWND saverWindow)
{
    EnumThreadWindows(GetCurrentThreadId(), DestroyBlankingWindow, reinterpret_cast<LPARAM>(saverWindow));
    SetWindowPos(saverWindow, HWND_TOPMOST, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                 SWP_NOACTIVATE);
    CoverOtherMonitors(saverWindow);
}

void CoverOtherMonitors(HWND saverWindow)
{
    HMODULE user = GetModuleHandleA("USER32.DLL");
    EnumDisplayMonitorsProc enumerate = reinterpret_cast<EnumDisplayMonitorsProc>(
        reinterpret_cast<void*>(GetProcAddress(user, "EnumDisplayMonitors")));
    MonitorInfo =
        reinterpret_cast<GetMonitorInfoProc>(reinterpret_cast<void*>(GetProcAddress(user, "GetMonitorInfoA")));
    if (!enumerate || !MonitorInfo)
        return;

    WNDCLASSA windowClass;
    ZeroMemory(&windowClass, sizeof windowClass);
    windowClass.style = CS_VREDRAW | CS_HREDRAW;
    windowClass.lpfnWndProc = BlankingWindowProc;
    windowClass.hInstance = SaverRuntime.Instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = BLANKING_CLASS_NAME;
    if (!RegisterClassA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return;
    enumerate(NULL, NULL, CoverMonitor, reinterpret_cast<LPARAM>(saverWindow));
}

LRESULT CALLBACK BlankingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        // With pictures on every monitor the photo slideshow draws here.
        if (RepaintPhotoScreen(window))
            return 0;
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_SETCURSOR: {
        HWND saver = GetWindow(window, GW_OWNER);
        if (saver)
            return SendMessageA(saver, message, wParam, lParam);
        break;
    }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
