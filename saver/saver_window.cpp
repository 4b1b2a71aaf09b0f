// Creating and running the saver window: the class, the two window forms,
// the single-instance rule and the message loop.
#include "saver_window.h"

#include "blanking_windows.h"
#include "photo_slideshow.h"
#include "saver_modes.h"
#include "saver_procs.h"
#include "saver_runtime.h"

namespace {

// A full-screen saver already running is brought forward instead of a second.
BOOL BringRunningSaverForward()
{
    HWND running = FindWindowA(SAVER_CLASS_NAME, SAVER_FULLSCREEN_TITLE);
    if (!running || !IsWindow(running))
        return FALSE;
    SetForegroundWindow(running);
    return TRUE;
}

}  // namespace

HWND CreateSaverWindow(HWND parent)
{
    WNDCLASSA windowClass;
    ZeroMemory(&windowClass, sizeof windowClass);
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
    windowClass.lpfnWndProc = SaverFrameProc;
    windowClass.hInstance = SaverRuntime.Instance;
    windowClass.hIcon = LoadIconA(SaverRuntime.Instance, MAKEINTRESOURCEA(100));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = SAVER_CLASS_NAME;

    int width, height;
    DWORD style, exStyle;
    const char* title;
    if (parent) {
        RECT client;
        GetClientRect(parent, &client);
        width = client.right;
        height = client.bottom;
        style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
        exStyle = 0;
        title = SAVER_PREVIEW_TITLE;
        SaverRuntime.IsPreview = TRUE;
    } else {
        width = GetSystemMetrics(SM_CXSCREEN);
        height = GetSystemMetrics(SM_CYSCREEN);
        style = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        exStyle = WS_EX_TOPMOST;
        title = SAVER_FULLSCREEN_TITLE;
    }

    if (!RegisterClassA(&windowClass))
        return NULL;
    SaverRuntime.MainWindow = CreateWindowExA(exStyle, SAVER_CLASS_NAME, title, style, 0, 0, width, height,
                                              parent, NULL, SaverRuntime.Instance, NULL);
    if (!parent && SaverRuntime.MainWindow)
        CoverOtherMonitors(SaverRuntime.MainWindow);
    return SaverRuntime.MainWindow;
}

int RunSaverMessageLoop()
{
    MSG message;
    ZeroMemory(&message, sizeof message);
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

// Without a window there is no quit message to take the code from; the run
// is then reported as refused.
int RunSaverWindow(HWND parent)
{
    if (!parent && BringRunningSaverForward())
        return 0;
    if (!parent)
        LoadPasswordLibrary();
    int result = SAVER_EXIT_REFUSED;
    HWND window = CreateSaverWindow(parent);
    if (window) {
        if (!parent)
            SetForegroundWindow(window);
        result = RunSaverMessageLoop();
    }
    UnloadPasswordLibrary();
    EndPhotoSlideshowProcess(result);
    return result;
}
