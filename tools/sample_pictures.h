// The pictures make_pictures writes, and the exact colours of its test
// patterns, so that tests can find the files and check pixels. Depends on
// nothing but the language, so that the saver's tests can include it too.
//
// Every 8-bit picture has a full 256-entry colour table. Entries 0-9 and
// 246-255 hold the twenty static colours of the default Windows system
// palette (0: 000000, 1: 800000, 2: 008000, 3: 808000, 4: 000080,
// 5: 800080, 6: 008080, 7: C0C0C0, 8: C0DCC0, 9: A6CAF0, 246: FFFBF0,
// 247: A0A0A4, 248: 808080, 249: FF0000, 250: 00FF00, 251: FFFF00,
// 252: 0000FF, 253: FF00FF, 254: 00FFFF, 255: FFFFFF), entries 236-245 are
// black, and every pixel uses an entry from 10 to 235.
//
// Test patterns (no label, nothing else drawn):
// - solid_*: the whole picture kSolidFill, except a one-pixel frame of
//   kSolidBorder along all four edges. In the 8-bit files the fill is entry
//   kSolidFillIndex (10) and the frame entry kSolidBorderIndex (235); entries
//   11-234 hold a grey ramp from 404040 to B0B0B0 that no pixel uses.
// - quadrants_*: four equal quarters, split at x = width / 2 and
//   y = height / 2 counted from the top (rows y < height / 2 are the top
//   half): kQuadrantTopLeft, kQuadrantTopRight, kQuadrantBottomLeft,
//   kQuadrantBottomRight. In the 8-bit files they are entries 10, 11, 234
//   and 235; entries 12-233 hold the same unused grey ramp.
// Every channel of these colours is a multiple of 8, so the 16-bit (5-5-5)
// files store them exactly as value >> 3 per channel; a display that widens
// 5 bits back to 8 by repeating the top bits shows 0x30 as 0x31, 0xD8 as
// 0xDE and so on, so 16-bit checks need a tolerance of 7.
#pragma once

namespace VrxSamples {

struct SampleColour {
    unsigned char red, green, blue;
};

inline constexpr SampleColour kSolidFill = {0x30, 0x90, 0xD8};    // steel blue
inline constexpr SampleColour kSolidBorder = {0xF8, 0xC8, 0x20};  // amber
inline constexpr int kSolidFillIndex = 10;
inline constexpr int kSolidBorderIndex = 235;

inline constexpr SampleColour kQuadrantTopLeft = {0xD8, 0x30, 0x30};     // red
inline constexpr SampleColour kQuadrantTopRight = {0x30, 0xC0, 0x50};    // green
inline constexpr SampleColour kQuadrantBottomLeft = {0x30, 0x50, 0xD8};  // blue
inline constexpr SampleColour kQuadrantBottomRight = {0xE8, 0xE8, 0xE8};  // light grey
inline constexpr int kQuadrantTopLeftIndex = 10;
inline constexpr int kQuadrantTopRightIndex = 11;
inline constexpr int kQuadrantBottomLeftIndex = 234;
inline constexpr int kQuadrantBottomRightIndex = 235;

// The range of colour-table entries that the pixels of every 8-bit sample use.
inline constexpr int kFirstPictureEntry = 10;
inline constexpr int kLastPictureEntry = 235;

struct SamplePicture {
    const char* fileName;
    const char* theme;  // what is drawn: a picture theme, "solid" or "quadrants"
    int width;
    int height;
    int bitsPerPixel;            // 16 is BI_RGB 5-5-5
    unsigned colourCountField;   // biClrUsed as stored (0 or 256 for 8 bits)
};

// Written into the samples directory. Themed pictures carry a large label
// with their theme, size and depth ("SUNSET" over "640x480 8-BIT").
// sunset_3840x2160_32 and rings_1920x1080_24 are the benchmark pictures.
inline constexpr SamplePicture kSamplePictures[] = {
    {"sunset_640x480_8.bmp", "sunset", 640, 480, 8, 0},
    {"ocean_800x600_8.bmp", "ocean", 800, 600, 8, 0},
    {"tiles_320x200_8.bmp", "tiles", 320, 200, 8, 256},
    {"rings_641x480_8.bmp", "rings", 641, 480, 8, 0},
    {"starburst_321x200_8.bmp", "starburst", 321, 200, 8, 256},

    {"rings_640x480_16.bmp", "rings", 640, 480, 16, 0},
    {"starburst_320x200_16.bmp", "starburst", 320, 200, 16, 0},
    {"sunset_800x600_16.bmp", "sunset", 800, 600, 16, 0},
    {"ocean_800x300_16.bmp", "ocean", 800, 300, 16, 0},
    {"tiles_1920x1080_16.bmp", "tiles", 1920, 1080, 16, 0},

    {"ocean_640x480_24.bmp", "ocean", 640, 480, 24, 0},
    {"sunset_320x200_24.bmp", "sunset", 320, 200, 24, 0},
    {"tiles_800x600_24.bmp", "tiles", 800, 600, 24, 0},
    {"starburst_800x300_24.bmp", "starburst", 800, 300, 24, 0},
    {"rings_1920x1080_24.bmp", "rings", 1920, 1080, 24, 0},
    {"tiles_321x200_24.bmp", "tiles", 321, 200, 24, 0},
    {"starburst_641x480_24.bmp", "starburst", 641, 480, 24, 0},

    {"tiles_640x480_32.bmp", "tiles", 640, 480, 32, 0},
    {"rings_320x200_32.bmp", "rings", 320, 200, 32, 0},
    {"starburst_800x600_32.bmp", "starburst", 800, 600, 32, 0},
    {"sunset_800x300_32.bmp", "sunset", 800, 300, 32, 0},
    {"ocean_1920x1080_32.bmp", "ocean", 1920, 1080, 32, 0},
    {"sunset_3840x2160_32.bmp", "sunset", 3840, 2160, 32, 0},

    {"solid_320x200_8.bmp", "solid", 320, 200, 8, 0},
    {"solid_320x200_16.bmp", "solid", 320, 200, 16, 0},
    {"solid_320x200_24.bmp", "solid", 320, 200, 24, 0},
    {"solid_320x200_32.bmp", "solid", 320, 200, 32, 0},
    {"solid_321x200_8.bmp", "solid", 321, 200, 8, 0},
    {"solid_321x200_24.bmp", "solid", 321, 200, 24, 0},
    {"solid_640x480_8.bmp", "solid", 640, 480, 8, 0},
    {"solid_640x480_24.bmp", "solid", 640, 480, 24, 0},
    {"solid_800x600_8.bmp", "solid", 800, 600, 8, 0},
    {"solid_800x600_24.bmp", "solid", 800, 600, 24, 0},
    {"solid_800x300_24.bmp", "solid", 800, 300, 24, 0},

    {"quadrants_320x200_8.bmp", "quadrants", 320, 200, 8, 0},
    {"quadrants_320x200_16.bmp", "quadrants", 320, 200, 16, 0},
    {"quadrants_320x200_24.bmp", "quadrants", 320, 200, 24, 0},
    {"quadrants_320x200_32.bmp", "quadrants", 320, 200, 32, 0},
    {"quadrants_800x600_24.bmp", "quadrants", 800, 600, 24, 0},
};

// Written into the distribution medium's pictures directory, in the order
// their names sort; each carries the label "VRX0n <THEME>" over its size and depth.
inline constexpr SamplePicture kDistributionPictures[] = {
    {"vrx01.bmp", "sunset", 640, 480, 8, 0},
    {"vrx02.bmp", "ocean", 800, 600, 24, 0},
    {"vrx03.bmp", "tiles", 800, 600, 8, 0},
    {"vrx04.bmp", "rings", 640, 480, 24, 0},
    {"vrx05.bmp", "starburst", 640, 480, 8, 0},
};

}  // namespace VrxSamples
