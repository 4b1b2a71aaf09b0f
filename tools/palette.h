// 256-entry colour tables for 8-bit pictures: the twenty static colours of
// the Windows system palette at both ends, the picture's ramps in between.
#pragma once

#include "colour_ramp.h"

#include <array>
#include <vector>

// Entries 0-9 and 246-255 of the default system palette.
const std::array<Rgb, 20>& WindowsStaticColours();

// A colour table with the static colours in entries 0-9 and 246-255 and
// black everywhere else.
std::array<Rgb, 256> StaticColourTable();

struct RampPalette {
    std::array<Rgb, 256> colours{};
    std::vector<int> firstEntry;  // per ramp, the entry of its t = 0 colour
};

// Lays the ramps out one after the other from entry first, each with its
// Entries() colours sampled evenly from t = 0 to t = 1. Throws
// std::length_error when they need more than the entries first..last.
RampPalette BuildRampPalette(const std::vector<ColourRamp>& ramps, int first, int last);

// The entry of ramp number ramp at level 0..65535 in such a palette.
int RampEntry(const RampPalette& palette, const std::vector<ColourRamp>& ramps, int ramp, int level);
