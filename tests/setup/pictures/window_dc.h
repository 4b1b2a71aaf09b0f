// A framework DC over GetDC of a window, released at the end of its scope.
#pragma once

#include "framework.h"

namespace picturetest {

class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd) { dc_.Attach(::GetDC(hwnd)); }
    ~WindowDC() { ::ReleaseDC(hwnd_, dc_.Detach()); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    CDC* get() { return &dc_; }
    HDC hdc() const { return dc_.GetSafeHdc(); }

private:
    HWND hwnd_;
    CDC dc_;
};

}  // namespace picturetest
