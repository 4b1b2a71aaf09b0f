// Scene to bitmap conversion: ramp steps for 8 bits, exact colours otherwise.
#include "scene_encoding.h"

#include "palette.h"

#include <stdexcept>

IndexedBitmap ToIndexedBitmap(const Scene& scene, int firstEntry, int lastEntry)
{
    RampPalette palette = BuildRampPalette(scene.ramps, firstEntry, lastEntry);
    IndexedBitmap picture;
    picture.width = scene.canvas.Width();
    picture.height = scene.canvas.Height();
    picture.colours = palette.colours;
    picture.pixels.reserve(static_cast<std::size_t>(picture.width) * picture.height);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            Paint p = scene.canvas.At(x, y);
            if (p.ramp >= scene.ramps.size())
                throw std::out_of_range("a paint names a ramp the scene does not have");
            picture.pixels.push_back(
                static_cast<std::uint8_t>(RampEntry(palette, scene.ramps, p.ramp, p.level)));
        }
    return picture;
}

RgbBitmap ToRgbBitmap(const Scene& scene)
{
    RgbBitmap picture;
    picture.width = scene.canvas.Width();
    picture.height = scene.canvas.Height();
    picture.pixels.reserve(static_cast<std::size_t>(picture.width) * picture.height);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            Paint p = scene.canvas.At(x, y);
            if (p.ramp >= scene.ramps.size())
                throw std::out_of_range("a paint names a ramp the scene does not have");
            picture.pixels.push_back(scene.ramps[p.ramp].At(p.level / 65535.0));
        }
    return picture;
}

static std::uint8_t Dither5(std::uint8_t value, int threshold)
{
    // threshold 0..15 against the 3 dropped bits, scaled to 0..15
    int kept = value >> 3;
    int dropped = (value & 7) * 2;
    if (dropped > threshold && kept < 31)
        ++kept;
    return static_cast<std::uint8_t>(kept << 3);
}

void DitherTo555(RgbBitmap& picture)
{
    static const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            Rgb& c = picture.pixels[static_cast<std::size_t>(y) * picture.width + x];
            int threshold = kBayer[y & 3][x & 3];
            c = Rgb{Dither5(c.red, threshold), Dither5(c.green, threshold), Dither5(c.blue, threshold)};
        }
}

ByteBuffer EncodeScene(const Scene& scene, int bitsPerPixel, std::uint32_t colourCountField)
{
    if (bitsPerPixel == 8) {
        IndexedBitmap picture = ToIndexedBitmap(scene, kPictureFirstEntry, kPictureLastEntry);
        picture.colourCountField = colourCountField;
        return EncodeIndexedBmp(picture);
    }
    RgbBitmap picture = ToRgbBitmap(scene);
    if (bitsPerPixel == 16)
        DitherTo555(picture);
    return EncodeRgbBmp(picture, bitsPerPixel);
}
