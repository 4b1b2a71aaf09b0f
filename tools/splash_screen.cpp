// Drawing of the splash screen, back to front: sky, stars and glow, the
// grid floor, the planet and its ring, then the title and subtitle.
#include "splash_screen.h"

#include "scene_encoding.h"
#include "text_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

enum { kSky, kGlow, kFloor, kGrid, kPlanet, kRing, kTitle, kSubtitle, kOutline, kStar };

std::vector<ColourRamp> SplashRamps()
{
    return {
        ColourRamp({{0.0, Hex(0x04061C)}, {0.4, Hex(0x101A52)}, {0.7, Hex(0x3A1A78)}, {0.9, Hex(0x7A2A96)},
                    {1.0, Hex(0xC8508E)}},
                   90),
        ColourRamp({{0.0, Hex(0xFFE6A8)}, {0.5, Hex(0xFF8A6A)}, {1.0, Hex(0xC8508E)}}, 16),
        ColourRamp({{0.0, Hex(0x34105A)}, {1.0, Hex(0x05020E)}}, 36),
        ColourRamp({{0.0, Hex(0x7A2A9A)}, {0.5, Hex(0xD050D8)}, {1.0, Hex(0x60E8FF)}}, 16),
        ColourRamp({{0.0, Hex(0xC8F6FF)}, {0.45, Hex(0x3AA8E8)}, {1.0, Hex(0x0A1A60)}}, 28),
        ColourRamp({{0.0, Hex(0xFFF2B8)}, {0.5, Hex(0xE8A838)}, {1.0, Hex(0x7A3A10)}}, 20),
        ColourRamp({{0.0, Hex(0xFFFFFF)}, {0.35, Hex(0xFFE88A)}, {0.7, Hex(0xFFB030)}, {1.0, Hex(0xC86010)}},
                   20),
        ColourRamp({{0.0, Hex(0xFFFFFF)}, {1.0, Hex(0xC8C8FF)}}, 4),
        ColourRamp({{0.0, Hex(0x08041A)}}, 1),
        ColourRamp({{0.0, Hex(0xFFFFFF)}, {1.0, Hex(0x8A9AD0)}}, 3),
    };
}

constexpr double kHorizon = 340.0;
constexpr double kCentreX = 320.0;

// A fixed scatter of stars: a hash of the position, no random generator.
bool IsStar(int x, int y)
{
    std::uint32_t h = static_cast<std::uint32_t>(x) * 73856093u ^ static_cast<std::uint32_t>(y) * 19349663u;
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return h % 900 == 0;
}

Paint SkyOrFloor(int x, int y)
{
    double px = x + 0.5, py = y + 0.5;
    if (py < kHorizon) {
        double gx = (px - kCentreX) / 230.0, gy = (py - kHorizon) / 80.0;
        double glow = std::exp(-gx * gx - gy * gy);
        if (glow > 0.55)
            return Shade(kGlow, 1.0 - (glow - 0.55) / 0.45);
        if (py < kHorizon - 90.0 && IsStar(x, y))
            return Shade(kStar, py / kHorizon);
        return Shade(kSky, std::pow(py / kHorizon, 1.4) + 0.25 * glow);
    }
    // Floor: a grid seen in perspective. Rows lie at whole depths, columns
    // fan out from the centre; a line is drawn where the pixel's distance
    // across it is under width. Lines that would crowd into a blur (the
    // farthest rows, columns closer than 4 pixels) are left out.
    const double nearest = 140.0, fan = 2.5;
    double dy = py - kHorizon;
    double depth = nearest / dy;
    double row = std::max(1.0, std::round(depth));
    double rowLine = std::abs(dy - nearest / row);
    double lateral = (px - kCentreX) / dy * fan;
    double column = std::round(lateral);
    double spacing = dy / fan / std::sqrt(1.0 + (column / fan) * (column / fan));
    double columnLine = std::abs(lateral - column) * spacing;
    double width = 0.55 + dy * 0.008;
    double nearness = dy / (kSplashHeight - kHorizon);
    bool onRow = row <= 8.0 && rowLine < width;
    bool onColumn = spacing > 4.0 && columnLine < width;
    if (onRow || onColumn)
        return Shade(kGrid, nearness);
    return Shade(kFloor, std::pow(nearness, 0.8));
}

void DrawPlanet(Canvas& canvas)
{
    const double cx = kCentreX, cy = 92.0, radius = 44.0;
    const double tilt = -0.26, ringA = 92.0, ringB = 22.0;
    for (int y = 20; y < 170; ++y)
        for (int x = 200; x < 440; ++x) {
            double px = x + 0.5 - cx, py = y + 0.5 - cy;
            double rx = px * std::cos(tilt) - py * std::sin(tilt);
            double ry = px * std::sin(tilt) + py * std::cos(tilt);
            double e = (rx / ringA) * (rx / ringA) + (ry / ringB) * (ry / ringB);
            bool onRing = (e > 0.74 && e < 1.0) || (e > 0.52 && e < 0.64);
            bool onPlanet = px * px + py * py < radius * radius;
            if (onRing && (!onPlanet || ry > 0.0))
                canvas.Set(x, y, Shade(kRing, 0.5 - 0.5 * rx / ringA));
            else if (onPlanet) {
                double lx = px + 16.0, ly = py + 18.0;
                canvas.Set(x, y, Shade(kPlanet, std::sqrt(lx * lx + ly * ly) / (radius * 1.7)));
            }
        }
}

void DrawTitles(Canvas& canvas)
{
    const std::string title = "VRX 2";
    const std::string subtitle = "ECONOMISEUR D'ECRAN";
    DrawCentredText(canvas, title, 168, 14, TextStyle{kTitle, kOutline});
    const int subtitleScale = 3, subtitleTop = 292;
    DrawCentredText(canvas, subtitle, subtitleTop, subtitleScale, TextStyle{kSubtitle, kOutline});

    // Two rules either side of the subtitle.
    int half = TextPixelWidth(subtitle, subtitleScale) / 2;
    int ruleY = subtitleTop + TextPixelHeight(subtitleScale) / 2 - 1;
    int gap = 18, reach = 150;
    for (int side = -1; side <= 1; side += 2)
        for (int i = 0; i < reach; ++i) {
            int x = static_cast<int>(kCentreX) + side * (half + gap + i);
            Paint p = Shade(kGrid, 0.3 + 0.7 * (1.0 - static_cast<double>(i) / reach));
            canvas.Set(x, ruleY, p);
            canvas.Set(x, ruleY + 1, p);
        }
}

}  // namespace

Scene DrawSplashScreen()
{
    Scene scene{SplashRamps(), Canvas(kSplashWidth, kSplashHeight)};
    scene.canvas.Fill(SkyOrFloor);
    DrawPlanet(scene.canvas);
    DrawTitles(scene.canvas);
    return scene;
}

IndexedBitmap SplashScreenBitmap()
{
    IndexedBitmap picture = ToIndexedBitmap(DrawSplashScreen(), kSplashFirstEntry, kSplashLastEntry);
    picture.colourCountField = 0;
    return picture;
}
