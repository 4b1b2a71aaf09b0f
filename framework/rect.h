// CRect: a RECT with its width and height.
#pragma once

#include <windows.h>

class CRect : public RECT {
public:
    CRect() { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b)
    {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    CRect(const RECT& rc) { *static_cast<RECT*>(this) = rc; }
    CRect(LPCRECT prc) { *static_cast<RECT*>(this) = *prc; }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
    void SetRect(int l, int t, int r, int b)
    {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }
    bool operator==(const RECT& rc) const
    {
        return left == rc.left && top == rc.top && right == rc.right && bottom == rc.bottom;
    }
    bool operator!=(const RECT& rc) const { return !(*this == rc); }
};
