// The colours and pixels of the test pictures: the generator writes them and
// the tests expect them. Plain C++, built for the build machine and for Windows.
#pragma once

#include "test_picture_ids.h"

namespace testpictures {

struct Rgb {
    unsigned char r, g, b;
};

inline bool operator==(const Rgb& a, const Rgb& b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

const int kGridWidth = 640;
const int kGridHeight = 480;

// 256 distinct colours: red is the entry's number, green and blue are scattered.
inline Rgb GridColour(int entry)
{
    return Rgb{(unsigned char)entry, (unsigned char)((entry * 67 + 13) & 255),
               (unsigned char)((entry * 151 + 101) & 255)};
}

// Colour-table entry of grid pixel (x, y), y counted from the top. Neighbours
// differ across and down, so every offset of a copy shows.
inline int GridIndex(int x, int y) { return (x * 7 + y * 31 + ((x / 8) ^ (y / 8)) * 5) & 255; }

const int kSixteenWidth = 641;
const int kSixteenHeight = 3;
const int kSixteenColours = 16;

// The sixteen colours are grid colours, so that after the grid they remap exactly.
inline int SixteenGridEntry(int entry) { return (entry * 13 + 50) & 255; }
inline Rgb SixteenColour(int entry) { return GridColour(SixteenGridEntry(entry)); }
inline int SixteenIndex(int x, int y) { return (x + y * 5) % kSixteenColours; }

const int kNearWidth = 8;
const int kNearHeight = 2;
const int kNearColours = 4;

// Four colours a step away from grid colours 40, 90, 150 and 220.
inline Rgb NearColour(int entry)
{
    static const int bases[kNearColours] = {40, 90, 150, 220};
    Rgb c = GridColour(bases[entry]);
    c.r = (unsigned char)(c.r + 1);
    c.g = (unsigned char)(c.g > 250 ? c.g - 2 : c.g + 2);
    return c;
}

// Values 0-3, and 9 in the last column: a value past the colour count.
inline int NearIndex(int x, int y) { return x == kNearWidth - 1 ? 9 : (x + y) % kNearColours; }

const int kSmallSide = 16;
inline int SmallIndex(int x, int y) { return (x * 16 + y * 3) & 255; }

}  // namespace testpictures
