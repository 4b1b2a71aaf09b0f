// Shared by the picture display and slideshow tests: an installed tree of
// pictures in a scratch directory, a saver window over it, a decoder that
// says what colour a bitmap file holds at a point, and a writer for the
// small pictures that only tests use.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "saver_window_fixture.h"
#include "sample_pictures.h"

namespace picturetest {

COLORREF Colour(const VrxSamples::SampleColour& colour);
std::string ColourText(COLORREF colour);

// Path of a generated sample picture of the build.
std::string SamplePath(const char* fileName);

// The colour a BI_RGB bitmap file of 1, 4, 8, 16 (5-5-5), 24 or 32 bits holds
// at x, y counted from the top-left corner, bottom-up or top-down.
COLORREF FilePixel(const std::vector<BYTE>& file, int x, int y);

// A BI_RGB bitmap file. For 1, 4 and 8 bits, index(x, y) gives the colour-table
// entry and table the colours; for 24 bits colour(x, y) gives the pixel.
std::vector<BYTE> MakeIndexedBitmap(int width, int height, int bits, bool topDown,
                                    const std::vector<COLORREF>& table, const std::function<int(int, int)>& index);
std::vector<BYTE> MakeRgbBitmap(int width, int height, bool topDown, const std::function<COLORREF(int, int)>& colour);

// Judges every pixel of a window's client area: wrong(x, y, got) is empty when
// the pixel is right, else what was expected there. Empty when every pixel is
// right, else the count of wrong pixels and the first of them.
std::string ClientPixelMismatch(HWND window, const std::function<std::string(int, int, COLORREF)>& wrong);

// Compares a window's whole client area with a picture of width x height
// drawn at its own size at left, top on black: expected(x, y) gives the
// picture's colour, each channel may be off by tolerance. Empty when every
// pixel is right, else the count of wrong pixels and the first of them.
std::string DrawnPictureMismatch(HWND window, int left, int top, int width, int height,
                                 const std::function<COLORREF(int, int)>& expected, int tolerance);

// Puts every piece of slideshow and display state back as at process start.
void ResetPictureState();

// True when a quit message waits in this thread's queue (it is taken).
bool TakeQuit();

// Pumps this thread's messages for the given time and tells whether a quit
// message went by.
bool PumpSeeingQuit(DWORD milliseconds);

// Fills a window's client area with white through its own DC, so that a wipe
// or a picture is seen to replace it.
void PaintWhite(HWND window);

// Counts the pixels of a rectangle of the client area that are not black.
int NonBlackPixels(HWND window, int left, int top, int right, int bottom, int step);

// A saver window test with an installed tree below a scratch directory and
// the settings key pointing at it.
class PictureWindowTest : public SaverWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string PicturesDirectory() const;
    // Copies a sample picture into the installed pictures directory.
    std::string AddSample(const char* sample, const std::string& name);
    std::string AddFile(const std::vector<BYTE>& bytes, const std::string& name);
    void WriteSettings(LONG fullscreen, LONG updateRate);

    // Full-screen saver window over the installed tree, first paint done.
    HWND ShowFullScreen(LONG fullscreen = 0, LONG updateRate = 100);

    // Takes the saver window (and a preview's host) down so that the next
    // case of a test can make a fresh one.
    void CloseSaverWindow();

    // Leaves exactly one picture, a copy of the sample, in the installed tree.
    void OnlyPicture(const char* sample);

    // The picture names in the order the file system lists them.
    std::vector<std::string> Listing() const;

    std::string install_;
};

}  // namespace picturetest
