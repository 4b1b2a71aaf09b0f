// The fit rules, and the band-by-band scaler: separable, across each source
// row first, then down the rows, with only two or three rows kept.
#include "picture_scaling.h"

#include <stdlib.h>
#include <string.h>

FittedRect FitPictureInArea(int32_t areaWidth, int32_t areaHeight, bool keepProportions, bool fullscreen,
                            uint32_t width, uint32_t height)
{
    FittedRect rect = {0, 0, areaWidth, areaHeight};
    if (areaWidth <= 0 || areaHeight <= 0 || width == 0 || height == 0) {
        rect.width = rect.height = 0;
        return rect;
    }
    bool larger = width > static_cast<uint32_t>(areaWidth) || height > static_cast<uint32_t>(areaHeight);
    if (keepProportions && (larger || fullscreen)) {
        // The side that meets the area's edge first sets the scale.
        uint64_t across = static_cast<uint64_t>(width) * areaHeight;
        uint64_t down = static_cast<uint64_t>(height) * areaWidth;
        if (across >= down) {
            rect.width = areaWidth;
            rect.height = static_cast<int32_t>((down + width / 2) / width);
        } else {
            rect.height = areaHeight;
            rect.width = static_cast<int32_t>((across + height / 2) / height);
        }
        if (rect.width < 1)
            rect.width = 1;
        if (rect.height < 1)
            rect.height = 1;
    } else if (!keepProportions && (larger || fullscreen)) {
        return rect;
    } else {
        rect.width = static_cast<int32_t>(width);
        rect.height = static_cast<int32_t>(height);
    }
    rect.x = (areaWidth - rect.width) / 2;
    rect.y = (areaHeight - rect.height) / 2;
    return rect;
}

bool OrientationSwapsSides(int orientation)
{
    return orientation >= 5 && orientation <= 8;
}

namespace {

inline uint32_t ToByte(float value)
{
    int rounded = static_cast<int>(value + 0.5f);
    return rounded < 0 ? 0 : rounded > 255 ? 255 : static_cast<uint32_t>(rounded);
}

// Stores finished row y (as stored) turned into the output.
void StoreRow(PictureScaler* s, uint32_t y, const float* row)
{
    ptrdiff_t w = s->width, h = s->height, ow = s->outWidth;
    ptrdiff_t y2 = y;
    ptrdiff_t start = 0, step = 1;
    switch (s->orientation) {
    default:
    case 1: start = y2 * ow; step = 1; break;
    case 2: start = y2 * ow + (w - 1); step = -1; break;
    case 3: start = (h - 1 - y2) * ow + (w - 1); step = -1; break;
    case 4: start = (h - 1 - y2) * ow; step = 1; break;
    case 5: start = y2; step = ow; break;
    case 6: start = h - 1 - y2; step = ow; break;
    case 7: start = (w - 1) * ow + (h - 1 - y2); step = -ow; break;
    case 8: start = (w - 1) * ow + y2; step = -ow; break;
    }
    uint32_t* target = s->out + start;
    for (uint32_t x = 0; x < s->width; ++x, target += step, row += 3)
        *target = (ToByte(row[2]) << 16) | (ToByte(row[1]) << 8) | ToByte(row[0]);
}

// One source row across into s->current.
void ScaleAcross(PictureScaler* s, const uint8_t* pixels)
{
    float* out = s->current;
    if (s->sourceWidth >= s->width) {
        float whole = static_cast<float>(s->width) / s->sourceWidth;
        for (uint32_t x = 0; x < s->width; ++x, out += 3) {
            uint32_t i0 = s->first[x], i1 = s->last[x];
            const uint8_t* p = pixels + 4 * i0;
            if (i0 == i1) {
                out[0] = p[0];
                out[1] = p[1];
                out[2] = p[2];
                continue;
            }
            uint32_t b = 0, g = 0, r = 0;
            for (const uint8_t* q = p + 4; q < pixels + 4 * i1; q += 4) {
                b += q[0];
                g += q[1];
                r += q[2];
            }
            const uint8_t* e = pixels + 4 * i1;
            float head = s->firstShare[x], tail = s->lastShare[x];
            out[0] = p[0] * head + b * whole + e[0] * tail;
            out[1] = p[1] * head + g * whole + e[1] * tail;
            out[2] = p[2] * head + r * whole + e[2] * tail;
        }
    } else {
        for (uint32_t x = 0; x < s->width; ++x, out += 3) {
            const uint8_t* p = pixels + 4 * s->first[x];
            float t = s->lastShare[x];
            if (t == 0.0f) {
                out[0] = p[0];
                out[1] = p[1];
                out[2] = p[2];
            } else {
                out[0] = p[0] + (p[4] - p[0]) * t;
                out[1] = p[1] + (p[5] - p[1]) * t;
                out[2] = p[2] + (p[6] - p[2]) * t;
            }
        }
    }
}

void AddRow(float* sums, const float* row, float share, uint32_t floats)
{
    for (uint32_t n = 0; n < floats; ++n)
        sums[n] += row[n] * share;
}

// The row just scaled across, summed into the one or two rows it covers.
void ReduceDown(PictureScaler* s)
{
    uint64_t big = s->sourceHeight, small = s->height;
    uint64_t start = s->rowsIn * small, end = start + small;  // in 1/height of a row
    uint32_t floats = 3 * s->width;
    uint32_t y = static_cast<uint32_t>(start / big);
    uint64_t edge = (y + 1) * big;
    if (end <= edge) {
        AddRow(s->sums[y & 1], s->current, static_cast<float>(small) / big, floats);
    } else {
        AddRow(s->sums[y & 1], s->current, static_cast<float>(edge - start) / big, floats);
        AddRow(s->sums[(y + 1) & 1], s->current, static_cast<float>(end - edge) / big, floats);
    }
    while (s->rowsOut < s->height && (s->rowsOut + 1) * big <= end) {
        float* done = s->sums[s->rowsOut & 1];
        StoreRow(s, s->rowsOut, done);
        memset(done, 0, floats * sizeof(float));
        ++s->rowsOut;
    }
}

// Every row whose centre lies between the previous source row and the one
// just scaled across, interpolated (the edges repeat the outer rows).
void EnlargeDown(PictureScaler* s)
{
    uint32_t floats = 3 * s->width;
    bool lastRow = s->rowsIn + 1 == s->sourceHeight;
    while (s->rowsOut < s->height) {
        double y = (s->rowsOut + 0.5) * s->sourceHeight / s->height - 0.5;
        if (y > s->rowsIn && !lastRow)
            break;
        if (y <= 0.0 || s->rowsIn == 0 || y >= s->rowsIn) {
            StoreRow(s, s->rowsOut, s->current);
        } else {
            float t = static_cast<float>(y - (s->rowsIn - 1));
            float* mixed = s->sums[0];
            for (uint32_t n = 0; n < floats; ++n)
                mixed[n] = s->previous[n] + (s->current[n] - s->previous[n]) * t;
            StoreRow(s, s->rowsOut, mixed);
        }
        ++s->rowsOut;
    }
}

}  // namespace

size_t ScalingWorkingBytes(uint32_t width)
{
    return static_cast<size_t>(width) * (2 * sizeof(uint32_t) + 2 * sizeof(float) + 4 * 3 * sizeof(float));
}

bool StartScaling(PictureScaler* s, uint32_t sourceWidth, uint32_t sourceHeight, uint32_t width, uint32_t height,
                  int orientation, uint32_t* out, uint32_t outWidth)
{
    memset(s, 0, sizeof *s);
    s->sourceWidth = sourceWidth;
    s->sourceHeight = sourceHeight;
    s->width = width;
    s->height = height;
    s->orientation = orientation;
    s->out = out;
    s->outWidth = outWidth;
    if (!sourceWidth || !sourceHeight || !width || !height)
        return false;
    s->first = static_cast<uint32_t*>(malloc(width * sizeof(uint32_t)));
    s->last = static_cast<uint32_t*>(malloc(width * sizeof(uint32_t)));
    s->firstShare = static_cast<float*>(malloc(width * sizeof(float)));
    s->lastShare = static_cast<float*>(malloc(width * sizeof(float)));
    s->previous = static_cast<float*>(calloc(3 * width, sizeof(float)));
    s->current = static_cast<float*>(calloc(3 * width, sizeof(float)));
    s->sums[0] = static_cast<float*>(calloc(3 * width, sizeof(float)));
    s->sums[1] = static_cast<float*>(calloc(3 * width, sizeof(float)));
    if (!s->first || !s->last || !s->firstShare || !s->lastShare || !s->previous || !s->current || !s->sums[0] ||
        !s->sums[1])
        return false;
    uint64_t big = sourceWidth, small = width;
    for (uint32_t x = 0; x < width; ++x) {
        if (sourceWidth >= width) {
            // Pixel x covers [x * big, (x + 1) * big) in 1/width of a column.
            uint64_t start = x * big, end = start + big;
            uint32_t i0 = static_cast<uint32_t>(start / small), i1 = static_cast<uint32_t>((end - 1) / small);
            s->first[x] = i0;
            s->last[x] = i1;
            s->firstShare[x] = i0 == i1 ? 1.0f : static_cast<float>((i0 + 1) * small - start) / big;
            s->lastShare[x] = i0 == i1 ? 0.0f : static_cast<float>(end - i1 * small) / big;
        } else {
            // The pixel's centre in source columns, the outer ones repeated.
            double centre = (x + 0.5) * sourceWidth / width - 0.5;
            uint32_t left = centre <= 0.0 ? 0 : static_cast<uint32_t>(centre);
            float t = centre <= 0.0 ? 0.0f : static_cast<float>(centre - left);
            if (left >= sourceWidth - 1) {
                left = sourceWidth - 1;
                t = 0.0f;
            }
            s->first[x] = s->last[x] = left;
            s->firstShare[x] = 1.0f - t;
            s->lastShare[x] = t;
        }
    }
    return true;
}

void ScaleRows(PictureScaler* s, const uint8_t* rows, ptrdiff_t stride, uint32_t count)
{
    for (uint32_t n = 0; n < count && s->rowsIn < s->sourceHeight; ++n, rows += stride) {
        float* swap = s->previous;
        s->previous = s->current;
        s->current = swap;
        ScaleAcross(s, rows);
        if (s->sourceHeight >= s->height)
            ReduceDown(s);
        else
            EnlargeDown(s);
        ++s->rowsIn;
    }
}

void EndScaling(PictureScaler* s)
{
    free(s->first);
    free(s->last);
    free(s->firstShare);
    free(s->lastShare);
    free(s->previous);
    free(s->current);
    free(s->sums[0]);
    free(s->sums[1]);
    memset(s, 0, sizeof *s);
}
