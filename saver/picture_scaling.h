// Fitting a picture to the drawing area, and scaling it row band by row
// band: reduction averages every source pixel a pixel covers (with the
// fraction it covers), enlargement interpolates bilinearly; each finished
// row is stored turned the right way up.
#pragma once

#include <stddef.h>
#include <stdint.h>

// Where a picture of width x height goes in an area of areaWidth x
// areaHeight, by the saver's rules (see PictureFit).
struct FittedRect {
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
};
FittedRect FitPictureInArea(int32_t areaWidth, int32_t areaHeight, bool keepProportions, bool fullscreen,
                            uint32_t width, uint32_t height);

// True for the orientations (5 to 8) that make rows into columns.
bool OrientationSwapsSides(int orientation);

// The working state of one scaling: a source of sourceWidth x sourceHeight
// (as stored) into width x height (as stored, before the turn), written
// turned by orientation into out, whose rows are outWidth pixels long.
struct PictureScaler {
    uint32_t sourceWidth;
    uint32_t sourceHeight;
    uint32_t width;
    uint32_t height;
    int orientation;
    uint32_t* out;  // 0x00RRGGBB
    uint32_t outWidth;

    // Across: for a reduction, the first and last source column of each
    // pixel and the shares of those two (the columns between count whole);
    // for an enlargement, the left column and the share of the right one.
    uint32_t* first;
    uint32_t* last;
    float* firstShare;
    float* lastShare;
    // Down: the source rows taken so far and the next row to finish.
    uint32_t rowsIn;
    uint32_t rowsOut;
    // Rows scaled across (3 floats a pixel, blue green red), and for a
    // reduction down the two rows being summed.
    float* previous;
    float* current;
    float* sums[2];
};

// Sets the scaler up; false when its working memory cannot be had (then
// EndScaling is still called, and harmless).
bool StartScaling(PictureScaler* scaler, uint32_t sourceWidth, uint32_t sourceHeight, uint32_t width,
                  uint32_t height, int orientation, uint32_t* out, uint32_t outWidth);

// Takes the next rows of the source, in order from the top: 4 bytes a pixel,
// blue, green, red and a fourth byte that is ignored (alpha already applied).
// stride may be negative (rows stored bottom up).
void ScaleRows(PictureScaler* scaler, const uint8_t* rows, ptrdiff_t stride, uint32_t count);

// Gives the working memory back.
void EndScaling(PictureScaler* scaler);

// The working memory StartScaling takes for a width of that many pixels.
size_t ScalingWorkingBytes(uint32_t width);
