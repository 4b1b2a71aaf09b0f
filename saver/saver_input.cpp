// The first and last procedures of the saver window's chain: what ends the
// saver, how the cursor and the input method are kept out of the way, and
// the password question before the window may close.
#include "saver_procs.h"

#include "blanking_windows.h"
#include "saver_runtime.h"
#include "slideshow.h"

namespace {

void HideCursor()
{
    SetCursor(NULL);
}

void RecordCursorPosition()
{
    GetCursorPos(&SaverRuntime.LastCursorPos);
}

DWORD Distance(LONG a, LONG b)
{
    return a > b ? static_cast<DWORD>(a) - static_cast<DWORD>(b) : static_cast<DWORD>(b) - static_cast<DWORD>(a);
}

void OnSaverCreate(HWND window)
{
    SaverRuntime.ImmLibrary = GetModuleHandleA("IMM32.DLL");
    if (SaverRuntime.ImmLibrary) {
        SaverRuntime.ImmAssociate = reinterpret_cast<ImmAssociateContextProc>(
            reinterpret_cast<void*>(GetProcAddress(SaverRuntime.ImmLibrary, "ImmAssociateContext")));
        if (SaverRuntime.ImmAssociate)
            SaverRuntime.SavedInputContext = SaverRuntime.ImmAssociate(window, NULL);
    }
    RecordCursorPosition();
    if (!SaverRuntime.IsPreview)
        HideCursor();
}

void OnSaverDestroy(HWND window)
{
    if (SaverRuntime.ImmLibrary && SaverRuntime.ImmAssociate && SaverRuntime.SavedInputContext)
        SaverRuntime.ImmAssociate(window, SaverRuntime.SavedInputContext);
    PostQuitMessage(0);
}

// The preview hands help and context-menu requests to the display settings.
LRESULT ForwardToPreviewParent(HWND window, UINT message, LPARAM lParam)
{
    HWND parent = GetParent(window);
    if (parent && IsWindow(parent))
        PostMessageA(parent, message, reinterpret_cast<WPARAM>(parent), lParam);
    return 1;
}

// Travel is measured from the last recorded position, so small moves add up
// until together they pass the threshold.
void OnSaverMouseMove(HWND window)
{
    POINT position;
    GetCursorPos(&position);
    DWORD travel = Distance(position.x, SaverRuntime.LastCursorPos.x) +
                   Distance(position.y, SaverRuntime.LastCursorPos.y);
    if (travel > SaverRuntime.MouseThreshold) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        SaverRuntime.LastCursorPos = position;
    }
}

LRESULT OnSaverClose(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (SaverRuntime.IsWin95Family && !VerifyBeforeClose(window)) {
        RecordCursorPosition();
        return 0;
    }
    return DefWindowProcA(window, WM_CLOSE, wParam, lParam);
}

// A monitor added, removed or moved is taken as input: every monitor is
// covered again as it now lies (so none shows the desktop while a password
// is asked), then the saver ends by its own rules.
void OnSaverDisplayChange(HWND window)
{
    CoverMonitorsAgain(window);
    if (!SaverRuntime.IsVerifying)
        PostMessageA(window, WM_CLOSE, 0, 0);
}

LRESULT OnVerifyPassword(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (!SaverRuntime.IsWin95Family)
        return DefWindowProcA(window, WM_SAVER_VERIFY_PASSWORD, wParam, lParam);
    if (SaverRuntime.VerifyPassword)
        return SaverRuntime.VerifyPassword(window);
    return 1;
}

}  // namespace

LRESULT CALLBACK SaverFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnSaverCreate(window);
        break;
    case WM_DESTROY:
        OnSaverDestroy(window);
        break;
    case WM_SETTEXT:
        return 0;
    case WM_PAINT:
        if (SaverRuntime.ClosingAllowed)
            return DefWindowProcA(window, message, wParam, lParam);
        if (!SaverRuntime.IsPreview)
            HideCursor();
        break;
    case WM_HELP:
    case WM_CONTEXTMENU:
        if (SaverRuntime.IsPreview)
            return ForwardToPreviewParent(window, message, lParam);
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (SaverRuntime.ClosingAllowed)
            return DefWindowProcA(window, message, wParam, lParam);
        break;
    case WM_SYSCOMMAND:
        if (!SaverRuntime.IsPreview && (wParam == SC_SCREENSAVE || wParam == SC_NEXTWINDOW || wParam == SC_PREVWINDOW))
            return 0;
        break;
    case WM_TIMER:
        if (SaverRuntime.ClosingAllowed)
            return 0;
        Sleep(0);
        break;
    }
    return SlideshowProc(window, message, wParam, lParam);
}

LRESULT CALLBACK DefaultSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (SaverRuntime.IsPreview || SaverRuntime.ClosingAllowed)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_CLOSE)
        return OnSaverClose(window, wParam, lParam);
    if (message == WM_SAVER_VERIFY_PASSWORD)
        return OnVerifyPassword(window, wParam, lParam);
    if (message == WM_DISPLAYCHANGE)
        OnSaverDisplayChange(window);
    if (SaverRuntime.IsVerifying)
        return DefWindowProcA(window, message, wParam, lParam);

    switch (message) {
    case WM_SHOWWINDOW:
        if (wParam)
            HideCursor();
        break;
    case WM_ACTIVATEAPP:
        if (!wParam)
            PostMessageA(window, WM_CLOSE, 0, 0);
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        PostMessageA(window, WM_CLOSE, 0, 0);
        break;
    case WM_SETCURSOR:
        HideCursor();
        return 1;
    case WM_MOUSEMOVE:
        OnSaverMouseMove(window);
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Asks for the password at most once at a time, and not again within 200 ms
// of the last question, so the close that the question's own input causes is
// not taken for a new request.
BOOL VerifyBeforeClose(HWND window)
{
    if (SaverRuntime.IsVerifying || SaverRuntime.ClosingAllowed)
        return FALSE;
    if (!SaverRuntime.VerifyPassword) {
        SaverRuntime.ClosingAllowed = TRUE;
        return TRUE;
    }
    DWORD now = GetTickCount();
    if (SaverRuntime.LastVerifyTick != VERIFY_TICK_NEVER && now - SaverRuntime.LastVerifyTick < 200)
        return SaverRuntime.ClosingAllowed;

    SaverRuntime.IsVerifying = TRUE;
    MSG pending;
    PeekMessageA(&pending, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
    PeekMessageA(&pending, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
    SaverRuntime.ClosingAllowed = static_cast<BOOL>(SendMessageA(window, WM_SAVER_VERIFY_PASSWORD, 0, 0));
    SaverRuntime.IsVerifying = FALSE;
    if (!SaverRuntime.ClosingAllowed)
        HideCursor();
    SaverRuntime.LastVerifyTick = GetTickCount();
    return SaverRuntime.ClosingAllowed;
}
