// A framework DC over GetDC of a window, released at the end of its scope,
// and a framework memory DC over a bitmap compatible with a window's.
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

// A memory DC with a size x size bitmap compatible with the window's DC
// selected into it; both go at the end of its scope.
class MemoryTarget {
public:
    MemoryTarget(HWND hwnd, int size) : screen_(hwnd)
    {
        memory_.CreateCompatibleDC(screen_.get());
        bitmap_ = ::CreateCompatibleBitmap(screen_.hdc(), size, size);
        previous_ = ::SelectObject(memory_.GetSafeHdc(), bitmap_);
    }
    ~MemoryTarget()
    {
        ::SelectObject(memory_.GetSafeHdc(), previous_);
        ::DeleteObject(bitmap_);
    }
    MemoryTarget(const MemoryTarget&) = delete;
    MemoryTarget& operator=(const MemoryTarget&) = delete;
    bool Made() const { return memory_.GetSafeHdc() != NULL && bitmap_ != NULL; }
    CDC* get() { return &memory_; }
    HDC hdc() const { return memory_.GetSafeHdc(); }

private:
    WindowDC screen_;
    CDC memory_;
    HBITMAP bitmap_ = NULL;
    HGDIOBJ previous_ = NULL;
};

}  // namespace picturetest
