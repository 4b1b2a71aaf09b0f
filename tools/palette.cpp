// Building colour tables from ramps around the system's static colours.
#include "palette.h"

#include <stdexcept>
#include <string>

const std::array<Rgb, 20>& WindowsStaticColours()
{
    static const std::array<Rgb, 20> colours = {
        Hex(0x000000), Hex(0x800000), Hex(0x008000), Hex(0x808000), Hex(0x000080),
        Hex(0x800080), Hex(0x008080), Hex(0xC0C0C0), Hex(0xC0DCC0), Hex(0xA6CAF0),
        Hex(0xFFFBF0), Hex(0xA0A0A4), Hex(0x808080), Hex(0xFF0000), Hex(0x00FF00),
        Hex(0xFFFF00), Hex(0x0000FF), Hex(0xFF00FF), Hex(0x00FFFF), Hex(0xFFFFFF),
    };
    return colours;
}

std::array<Rgb, 256> StaticColourTable()
{
    std::array<Rgb, 256> table{};
    const std::array<Rgb, 20>& statics = WindowsStaticColours();
    for (int i = 0; i < 10; ++i) {
        table[i] = statics[i];
        table[246 + i] = statics[10 + i];
    }
    return table;
}

RampPalette BuildRampPalette(const std::vector<ColourRamp>& ramps, int first, int last)
{
    if (first < 0 || last > 255 || first > last)
        throw std::invalid_argument("palette range out of 0..255");
    RampPalette palette;
    palette.colours = StaticColourTable();
    int next = first;
    for (const ColourRamp& ramp : ramps) {
        int count = ramp.Entries();
        if (next + count - 1 > last)
            throw std::length_error("ramps need more than the " + std::to_string(last - first + 1) +
                                    " palette entries available");
        palette.firstEntry.push_back(next);
        for (int i = 0; i < count; ++i) {
            double t = count > 1 ? static_cast<double>(i) / (count - 1) : 0.0;
            palette.colours[next + i] = ramp.At(t);
        }
        next += count;
    }
    return palette;
}

int RampEntry(const RampPalette& palette, const std::vector<ColourRamp>& ramps, int ramp, int level)
{
    int count = ramps[ramp].Entries();
    if (level < 0)
        level = 0;
    if (level > 65535)
        level = 65535;
    return palette.firstEntry[ramp] + (level * (count - 1) + 32767) / 65535;
}
