// A bare popup window of a given client size for the picture-object tests,
// and the pixels of the test pictures as the screen should show them.
#pragma once

#include <windows.h>

#include <vector>

#include "test_pictures.h"

namespace picturetest {

// A visible popup window with no frame: its client area is the whole window.
class PictureWindow {
public:
    PictureWindow(int x, int y, int width, int height);
    ~PictureWindow();
    HWND Handle() const { return hwnd_; }
    // Fills the client area with a colour through a DC of the window.
    void Fill(COLORREF colour);

private:
    HWND hwnd_ = NULL;
};

COLORREF ToColour(const testpictures::Rgb& c);
COLORREF GridPixel(int x, int y);
COLORREF SmallPixel(int x, int y);

// The grid's colours as a palette table would hold them.
std::vector<PALETTEENTRY> GridEntries();
// The entries of a palette, read back with GetPaletteEntries.
std::vector<PALETTEENTRY> PaletteEntries(HPALETTE palette);
// Index of the colour nearest to c among entries (least sum of squared
// differences, the first of equals), found by trying every one.
int NearestEntry(const std::vector<PALETTEENTRY>& entries, COLORREF c);

}  // namespace picturetest
