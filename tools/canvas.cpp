// Canvas storage and clipped drawing.
#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

Paint Shade(int ramp, double t)
{
    if (!(t >= 0.0))
        t = 0.0;
    if (t > 1.0)
        t = 1.0;
    return Paint{static_cast<std::uint8_t>(ramp), static_cast<std::uint16_t>(std::lround(t * 65535.0))};
}

Canvas::Canvas(int width, int height, Paint background)
    : width_(width), height_(height)
{
    if (width <= 0 || height <= 0)
        throw std::invalid_argument("a canvas needs a positive size");
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), background);
}

void Canvas::Set(int x, int y, Paint paint)
{
    if (x >= 0 && y >= 0 && x < width_ && y < height_)
        pixels_[Index(x, y)] = paint;
}

void Canvas::FillRect(int x0, int y0, int x1, int y1, Paint paint)
{
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, width_);
    y1 = std::min(y1, height_);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            pixels_[Index(x, y)] = paint;
}
