// A photo made ready for the screen ahead of its turn: decoded, turned the
// right way up and fitted to the drawing area, as 32-bit pixels at the size
// it is drawn.
#pragma once

#include <windows.h>

// Where the picture goes and by which rules.
struct PictureFit {
    LONG areaWidth;        // the drawing area, in pixels
    LONG areaHeight;
    BOOL keepProportions;  // larger pictures reduced to fit inside, proportions kept
    BOOL fullscreen;       // without keepProportions: stretched to the area;
                           // with it: smaller pictures enlarged to fit
};

struct PreparedPicture {
    LONG x;            // top-left corner in the drawing area (the picture is
    LONG y;            // clipped to the area: 0 <= x, y and x + width <= areaWidth...)
    LONG width;        // pixels of the picture as drawn
    LONG height;
    DWORD* pixels;     // width * height, top-down rows, 0x00RRGGBB; NULL when empty
};

enum PrepareResult {
    PREPARE_OK = 0,
    PREPARE_UNREADABLE = 1,  // missing, truncated, corrupt, no decoder for it
    PREPARE_TOO_LARGE = 2,   // decoding it would take more than 256 MB
    PREPARE_CANCELLED = 3    // *cancel became non-zero while it ran
};

// Decodes the file, applies its EXIF orientation, reduces (averaging every
// source pixel a screen pixel covers) or enlarges (bilinear) it by the fit
// rules and centres it. Checks *cancel between bands of rows, so that it
// returns within a few milliseconds of it being set. Thread-safe: called on
// the slideshow's worker thread, which has COM initialised.
PrepareResult PreparePicture(const char* path, const PictureFit* fit, volatile LONG* cancel,
                             PreparedPicture* picture);

// Gives the pixels back and empties the record; an empty one is left alone.
void ReleasePreparedPicture(PreparedPicture* picture);

// The steps of PreparePicture, as reported to PreparePhaseDone. A picture
// decoded in bands reports DECODE and SCALE once a band, in turns; the time
// since the previous report (or the call's start) belongs to the step named.
enum PreparePhase {
    PREPARE_PHASE_OPEN = 0,    // the file's head read, the decoder opened, the sizes worked out
    PREPARE_PHASE_DECODE = 1,  // a band of rows decoded (and converted to 32 bits)
    PREPARE_PHASE_SCALE = 2,   // a band reduced or enlarged, its rows stored turned the right way up
    PREPARE_PHASE_COUNT = 3
};

// Told as each step ends; NULL, the saver's own setting, reports nothing.
// The benchmark times the steps through it.
typedef void (*PreparePhaseProc)(PreparePhase finished);
extern PreparePhaseProc PreparePhaseDone;

// Non-zero: decode through OleLoadPicture even where the Imaging Component
// is present, as on the systems that lack it (JPEG, GIF and bitmaps only).
// Zero, the saver's own setting. The tests set it to reach that path.
extern volatile LONG PrepareThroughOlePicture;
