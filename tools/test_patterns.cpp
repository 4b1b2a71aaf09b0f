// Solid and four-quarter pictures whose every pixel is a documented colour.
#include "test_patterns.h"

#include "palette.h"
#include "sample_pictures.h"

#include <stdexcept>

namespace {

using namespace VrxSamples;

Rgb ToRgb(const SampleColour& c)
{
    return Rgb{c.red, c.green, c.blue};
}

bool IsKnownKind(const std::string& kind)
{
    return kind == "solid" || kind == "quadrants";
}

std::array<Rgb, 256> PatternColourTable()
{
    std::array<Rgb, 256> table = StaticColourTable();
    for (int i = 11; i <= 234; ++i) {
        auto grey = static_cast<std::uint8_t>(0x40 + (i - 11) * (0xB0 - 0x40) / (234 - 11));
        table[i] = Rgb{grey, grey, grey};
    }
    table[kSolidFillIndex] = ToRgb(kSolidFill);
    table[kSolidBorderIndex] = ToRgb(kSolidBorder);
    return table;
}

}  // namespace

int TestPatternEntry(const std::string& kind, int width, int height, int x, int y)
{
    if (kind == "solid") {
        bool frame = x == 0 || y == 0 || x == width - 1 || y == height - 1;
        return frame ? kSolidBorderIndex : kSolidFillIndex;
    }
    if (kind == "quadrants") {
        bool right = x >= width / 2;
        bool bottom = y >= height / 2;
        if (bottom)
            return right ? kQuadrantBottomRightIndex : kQuadrantBottomLeftIndex;
        return right ? kQuadrantTopRightIndex : kQuadrantTopLeftIndex;
    }
    throw std::invalid_argument("unknown test pattern " + kind);
}

IndexedBitmap IndexedTestPattern(const std::string& kind, int width, int height)
{
    if (!IsKnownKind(kind))
        throw std::invalid_argument("unknown test pattern " + kind);
    IndexedBitmap picture;
    picture.width = width;
    picture.height = height;
    picture.colours = PatternColourTable();
    if (kind == "quadrants") {
        picture.colours[kQuadrantTopLeftIndex] = ToRgb(kQuadrantTopLeft);
        picture.colours[kQuadrantTopRightIndex] = ToRgb(kQuadrantTopRight);
        picture.colours[kQuadrantBottomLeftIndex] = ToRgb(kQuadrantBottomLeft);
        picture.colours[kQuadrantBottomRightIndex] = ToRgb(kQuadrantBottomRight);
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.pixels.push_back(static_cast<std::uint8_t>(TestPatternEntry(kind, width, height, x, y)));
    return picture;
}

RgbBitmap RgbTestPattern(const std::string& kind, int width, int height)
{
    IndexedBitmap indexed = IndexedTestPattern(kind, width, height);
    RgbBitmap picture;
    picture.width = width;
    picture.height = height;
    for (std::uint8_t entry : indexed.pixels)
        picture.pixels.push_back(indexed.colours[entry]);
    return picture;
}
