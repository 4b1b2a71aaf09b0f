// A real saver window in the test process, created through the saver's own
// class and procedure chain, and taken down again after each test.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "saver_modes.h"
#include "saver_runtime.h"
#include "saver_window.h"
#include "test_support.h"

class SaverWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSaverRuntime();
        SaverRuntime.Instance = GetModuleHandleA(NULL);
        SaverRuntime.IsWin95Family = FALSE;
    }

    void TearDown() override
    {
        if (window_ && IsWindow(window_))
            DestroyWindow(window_);
        if (parent_ && IsWindow(parent_))
            DestroyWindow(parent_);
        DrainQueue();
        UnregisterClassA(SAVER_CLASS_NAME, SaverRuntime.Instance);
        ResetSaverRuntime();
    }

    HWND CreateFullScreen()
    {
        window_ = CreateSaverWindow(NULL);
        EXPECT_NE(nullptr, window_) << "CreateSaverWindow(full screen) failed, error " << GetLastError();
        return window_;
    }

    // A top-level window standing in for the display settings' preview box.
    HWND CreatePreview(int width = 152, int height = 112)
    {
        parent_ = CreateWindowExA(0, "STATIC", "preview host", WS_POPUP | WS_VISIBLE, 20, 20, width, height, NULL,
                                  NULL, NULL, NULL);
        EXPECT_NE(nullptr, parent_);
        window_ = CreateSaverWindow(parent_);
        EXPECT_NE(nullptr, window_) << "CreateSaverWindow(preview) failed, error " << GetLastError();
        return window_;
    }

    // True when a WM_CLOSE for the saver window waits in the queue (removed).
    bool TakeClose()
    {
        MSG message;
        return PeekMessageA(&message, window_, WM_CLOSE, WM_CLOSE, PM_REMOVE | PM_NOYIELD) != FALSE;
    }

    // Removes everything queued, the quit messages of destroyed windows included.
    static void DrainQueue()
    {
        MSG message;
        for (int i = 0; i < 10000 && PeekMessageA(&message, NULL, 0, 0, PM_REMOVE); ++i) {
            if (message.message != WM_QUIT) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
    }

    HWND window_ = NULL;
    HWND parent_ = NULL;
};
