// Colours and colour ramps: a ramp is a smooth run of colours between stops
// that a picture draws with, either continuously (true colour) or as a
// number of palette entries (8 bits per pixel).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Rgb& a, const Rgb& b)
    {
        return a.red == b.red && a.green == b.green && a.blue == b.blue;
    }
    friend bool operator!=(const Rgb& a, const Rgb& b) { return !(a == b); }
};

// 0xRRGGBB, as colours are written in the picture descriptions.
constexpr Rgb Hex(std::uint32_t rgb)
{
    return Rgb{static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
               static_cast<std::uint8_t>(rgb)};
}

struct ColourStop {
    double at;  // 0..1 along the ramp
    Rgb colour;
};

class ColourRamp {
public:
    // Stops are sorted by position; a ramp of one stop is a single colour.
    // entries is how many palette entries the ramp gets in an 8-bit picture.
    ColourRamp(std::initializer_list<ColourStop> stops, int entries);

    // The colour at t, clamped to 0..1, interpolated linearly between stops.
    Rgb At(double t) const;
    int Entries() const { return entries_; }

private:
    std::vector<ColourStop> stops_;
    int entries_;
};
