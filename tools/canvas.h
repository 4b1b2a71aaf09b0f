// A drawing surface whose pixels name a colour ramp and a level along it, so
// that one drawing can be written both as an 8-bit picture (one palette
// entry per ramp step) and in true colour (the exact ramp colour).
#pragma once

#include "colour_ramp.h"

#include <cstdint>
#include <vector>

struct Paint {
    std::uint8_t ramp = 0;
    std::uint16_t level = 0;  // 0..65535 along the ramp
};

// The paint of ramp at t (clamped to 0..1).
Paint Shade(int ramp, double t);

class Canvas {
public:
    Canvas(int width, int height, Paint background = Paint{});

    int Width() const { return width_; }
    int Height() const { return height_; }
    Paint At(int x, int y) const { return pixels_[Index(x, y)]; }

    // Drawing outside the canvas is clipped away.
    void Set(int x, int y, Paint paint);
    // Fills x0 <= x < x1, y0 <= y < y1.
    void FillRect(int x0, int y0, int x1, int y1, Paint paint);

    // Paints every pixel with shade(x, y).
    template <class ShadeFunction>
    void Fill(ShadeFunction shade)
    {
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                pixels_[Index(x, y)] = shade(x, y);
    }

private:
    std::size_t Index(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_;
    int height_;
    std::vector<Paint> pixels_;
};

// A finished drawing with the ramps its paints refer to.
struct Scene {
    std::vector<ColourRamp> ramps;
    Canvas canvas;
};
