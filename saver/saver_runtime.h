// Process-wide state of the saver: one instance, zero at start except where
// the definition gives a value.
#pragma once

#include <windows.h>
#include <imm.h>

typedef BOOL(WINAPI* VerifyScreenSavePwdProc)(HWND window);
typedef HIMC(WINAPI* ImmAssociateContextProc)(HWND window, HIMC context);

struct SaverRuntimeState {
    // Start-up and modes
    HINSTANCE Instance;
    HWND MainWindow;
    BOOL IsPreview;
    BOOL IsWin95Family;

    // Input, closing and password
    BOOL ClosingAllowed;  // the saver may end: from now on input and ticks are not ours
    BOOL IsVerifying;     // the password question is up
    HMODULE PasswordLibrary;
    VerifyScreenSavePwdProc VerifyPassword;
    HMODULE ImmLibrary;
    ImmAssociateContextProc ImmAssociate;
    HIMC SavedInputContext;
    DWORD MouseThreshold;  // mouse travel, in pixels, that is still not input
    POINT LastCursorPos;
    DWORD LastVerifyTick;  // when the last password question ended
};

#define VERIFY_TICK_NEVER 0xFFFFFFFFu
#define DEFAULT_MOUSE_THRESHOLD 4u

extern SaverRuntimeState SaverRuntime;

// Puts the state back as it is at process start (the unit tests run many
// saver windows in one process).
void ResetSaverRuntime();
