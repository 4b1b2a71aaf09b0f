// Drawings of the themed pictures. Each theme is a shading function over
// the whole picture in its own ramps, followed by the label; lengths are
// fractions of the picture's size so that every size looks alike.
#include "picture_themes.h"

#include "text_drawing.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <stdexcept>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Frame {
    double w, h, s;  // width, height, shorter side
    explicit Frame(const Canvas& c) : w(c.Width()), h(c.Height()), s(std::min(c.Width(), c.Height())) {}
};

double Clamp01(double v)
{
    return std::clamp(v, 0.0, 1.0);
}

// Sky over a sea with a striped sun sinking behind low hills.
Scene DrawSunset(int width, int height, const std::string& title, const std::string& detail)
{
    enum { kSky, kSun, kSea, kGlitter, kHills, kLabel, kOutline };
    Scene scene{{
                    ColourRamp({{0.0, Hex(0x140A33)}, {0.35, Hex(0x3D1460)}, {0.62, Hex(0x8C2A6E)},
                                {0.82, Hex(0xE0524A)}, {1.0, Hex(0xFFB84D)}}, 92),
                    ColourRamp({{0.0, Hex(0xFFF7C2)}, {0.5, Hex(0xFFCF4A)}, {1.0, Hex(0xFF6A2A)}}, 28),
                    ColourRamp({{0.0, Hex(0x7A2E6E)}, {0.3, Hex(0x3A1A55)}, {1.0, Hex(0x080820)}}, 56),
                    ColourRamp({{0.0, Hex(0xFFE08A)}, {1.0, Hex(0xFF5A3A)}}, 20),
                    ColourRamp({{0.0, Hex(0x3A1650)}, {1.0, Hex(0x0E0618)}}, 16),
                    ColourRamp({{0.0, Hex(0xFFFFFF)}, {1.0, Hex(0xFFE0A0)}}, 8),
                    ColourRamp({{0.0, Hex(0x1A0820)}}, 1),
                },
                Canvas(width, height)};
    Frame f(scene.canvas);
    double horizon = f.h * 0.64;
    double cx = f.w * 0.5, cy = horizon - f.s * 0.04, r = f.s * 0.24;

    scene.canvas.Fill([&](int x, int y) {
        double px = x + 0.5, py = y + 0.5;
        double u = px / f.w;
        if (py >= horizon) {
            double d = (py - horizon) / (f.h - horizon);
            double half = r * (1.0 - 0.45 * d) * (0.8 + 0.2 * std::sin(py * 0.9 / (f.s * 0.01)));
            double period = f.s * (0.008 + 0.035 * d);
            double phase = std::fmod(py - horizon, period) / period;
            if (std::abs(px - cx) < half && phase < 0.5 && d < 0.9)
                return Shade(kGlitter, std::abs(px - cx) / half);
            return Shade(kSea, std::pow(d, 0.7));
        }
        double side = std::abs(u - 0.5) * 2.0;
        double ridge = horizon - f.s * (0.015 + (0.03 + 0.16 * side * side) *
                                                    (0.55 + 0.45 * std::sin(9.0 * u + 0.7)) +
                                        0.012 * std::sin(31.0 * u + 1.3));
        if (py >= ridge)
            return Shade(kHills, (py - ridge) / (horizon - ridge + 1.0));
        double dx = px - cx, dy = py - cy;
        double dist = std::sqrt(dx * dx + dy * dy);
        if (dist < r) {
            // Stripes across the lower half of the sun, widening downwards.
            double start = cy - r * 0.45;
            double band = (py - start) / (horizon - start);
            bool gap = false;
            if (band > 0.0) {
                double period = r * 0.14;
                double phase = std::fmod(py - start, period) / period;
                gap = phase < 0.1 + 0.55 * band;
            }
            if (!gap)
                return Shade(kSun, (py - (cy - r)) / (2.0 * r));
        }
        double glow = 0.22 * std::exp(-(dist / (1.8 * r)) * (dist / (1.8 * r)));
        return Shade(kSky, std::pow(py / horizon, 1.1) + glow);
    });
    DrawPictureLabel(scene.canvas, title, detail, 0.06, TextStyle{kLabel, kOutline});
    return scene;
}

// Bands of waves under a pale sky with a sun and a cloud.
Scene DrawOcean(int width, int height, const std::string& title, const std::string& detail)
{
    enum { kSky, kWater, kFoam, kSun, kCloud, kLabel, kOutline };
    Scene scene{{
                    ColourRamp({{0.0, Hex(0x2F6FB8)}, {1.0, Hex(0xD4F0FF)}}, 40),
                    ColourRamp({{0.0, Hex(0xA8E2EE)}, {0.35, Hex(0x3AA0C8)}, {0.7, Hex(0x13609A)},
                                {1.0, Hex(0x062A5A)}},
                               120),
                    ColourRamp({{0.0, Hex(0xFFFFFF)}, {1.0, Hex(0xA8E4F0)}}, 12),
                    ColourRamp({{0.0, Hex(0xFFFCE8)}, {1.0, Hex(0xFFE27A)}}, 12),
                    ColourRamp({{0.0, Hex(0xFFFFFF)}, {1.0, Hex(0xC8DEF0)}}, 10),
                    ColourRamp({{0.0, Hex(0xFFFFFF)}, {1.0, Hex(0xCFF4FF)}}, 8),
                    ColourRamp({{0.0, Hex(0x06203A)}}, 1),
                },
                Canvas(width, height)};
    Frame f(scene.canvas);
    const int kBands = 9;
    double horizon = f.h * 0.36;

    auto crest = [&](int k, double px) {
        double depth = static_cast<double>(k) / kBands;
        double base = horizon + (f.h - horizon) * std::pow(depth, 1.35);
        if (k == 0)
            return base;
        double amp = f.s * (0.004 + 0.03 * depth);
        double wave = f.w * (0.10 + 0.12 * depth);
        return base + amp * std::sin(2.0 * kPi * px / wave + 1.7 * k) +
               0.35 * amp * std::sin(2.0 * kPi * px / (0.37 * wave) + 0.9 * k);
    };
    double sunX = f.w * 0.8, sunY = f.h * 0.15, sunR = f.s * 0.075;
    // A cloud of four puffs, placed in units of the shorter side so that it
    // keeps its shape on wide pictures; its bottom is cut flat.
    struct Puff {
        double dx, dy, r;
    };
    const Puff puffs[] = {{-0.09, 0.0, 0.055}, {0.0, -0.03, 0.075}, {0.09, 0.0, 0.05}, {0.16, 0.02, 0.035}};
    double cloudX = f.w * 0.27, cloudY = f.h * 0.17, cloudBottom = cloudY + f.s * 0.04;

    scene.canvas.Fill([&](int x, int y) {
        double px = x + 0.5, py = y + 0.5;
        if (py >= horizon) {
            int k = 0;
            while (k + 1 < kBands && py >= crest(k + 1, px))
                ++k;
            double top = crest(k, px);
            double bottom = k + 1 < kBands ? crest(k + 1, px) : f.h;
            double foam = f.s * (0.002 + 0.01 * k / kBands);
            if (k > 0 && py - top < foam)
                return Shade(kFoam, (py - top) / foam);
            double within = Clamp01((py - top) / std::max(1.0, bottom - top));
            return Shade(kWater, 0.8 * k / (kBands - 1) + 0.2 * within);
        }
        for (const Puff& p : puffs) {
            double dx = px - (cloudX + p.dx * f.s), dy = py - (cloudY + p.dy * f.s);
            double pr = p.r * f.s;
            if (dx * dx + dy * dy < pr * pr && py < cloudBottom)
                return Shade(kCloud, (py - (cloudY + (p.dy - p.r) * f.s)) / (2.0 * pr));
        }
        double dx = px - sunX, dy = py - sunY;
        double dist = std::sqrt(dx * dx + dy * dy);
        if (dist < sunR)
            return Shade(kSun, dist / sunR);
        double halo = 0.35 * std::exp(-(dist / (3.0 * sunR)) * (dist / (3.0 * sunR)));
        return Shade(kSky, py / horizon + halo);
    });
    DrawPictureLabel(scene.canvas, title, detail, 0.52, TextStyle{kLabel, kOutline});
    return scene;
}

// Bevelled checker tiles with a diamond inlay, lit from the top left.
Scene DrawTiles(int width, int height, const std::string& title, const std::string& detail)
{
    enum { kTileA, kTileB, kLight, kDark, kInlay, kGrout, kPlate, kLabel, kOutline };
    Scene scene{{
                    ColourRamp({{0.0, Hex(0xFBEED2)}, {1.0, Hex(0xC0904E)}}, 64),
                    ColourRamp({{0.0, Hex(0x46A0A6)}, {1.0, Hex(0x0F3440)}}, 64),
                    ColourRamp({{0.0, Hex(0xFFFFFF)}, {1.0, Hex(0xE8D8B8)}}, 12),
                    ColourRamp({{0.0, Hex(0x6A4628)}, {1.0, Hex(0x081A22)}}, 12),
                    ColourRamp({{0.0, Hex(0xFFDC70)}, {1.0, Hex(0xC0402A)}}, 32),
                    ColourRamp({{0.0, Hex(0x34343C)}, {1.0, Hex(0x141418)}}, 4),
                    ColourRamp({{0.0, Hex(0x1E4A58)}, {1.0, Hex(0x0A1C26)}}, 12),
                    ColourRamp({{0.0, Hex(0xFFFFFF)}, {1.0, Hex(0xFFE08A)}}, 8),
                    ColourRamp({{0.0, Hex(0x101018)}}, 1),
                },
                Canvas(width, height)};
    Frame f(scene.canvas);
    double tile = std::max(8.0, std::floor(f.s / 5.0));
    double grout = std::max(1.0, std::round(tile * 0.04));
    double bevel = std::max(1.0, std::round(tile * 0.09));

    scene.canvas.Fill([&](int x, int y) {
        double px = x + 0.5, py = y + 0.5;
        double light = Clamp01(0.5 * (px / f.w + py / f.h));
        double gx = px - f.w / 2.0 + tile / 2.0, gy = py - f.h / 2.0 + tile / 2.0;
        double tx = std::floor(gx / tile), ty = std::floor(gy / tile);
        double lx = gx - tx * tile, ly = gy - ty * tile;
        if (lx < grout || ly < grout)
            return Shade(kGrout, light);
        double fromLeft = lx - grout, fromTop = ly - grout;
        double fromRight = tile - lx, fromBottom = tile - ly;
        double edge = std::min(std::min(fromLeft, fromTop), std::min(fromRight, fromBottom));
        if (edge < bevel) {
            bool lit = std::min(fromLeft, fromTop) <= std::min(fromRight, fromBottom);
            return Shade(lit ? kLight : kDark, light);
        }
        double mid = (grout + tile) / 2.0;
        double diamond = (std::abs(lx - mid) + std::abs(ly - mid)) / (tile * 0.24);
        if (diamond < 1.0)
            return Shade(kInlay, 0.2 + 0.8 * diamond * 0.6 + 0.3 * light);
        bool first = (static_cast<long>(tx) + static_cast<long>(ty)) % 2 == 0;
        double face = Clamp01(0.75 * light + 0.25 * (lx + ly) / (2.0 * tile));
        return Shade(first ? kTileA : kTileB, face);
    });
    DrawPictureLabel(scene.canvas, title, detail, 0.07, TextStyle{kLabel, kOutline}, kPlate);
    return scene;
}

// Two sets of concentric rings whose crossings alternate between two ramps.
Scene DrawRings(int width, int height, const std::string& title, const std::string& detail)
{
    enum { kWarm, kCool, kLabel, kOutline };
    Scene scene{{
                    ColourRamp({{0.0, Hex(0xFFF1A8)}, {0.4, Hex(0xFF8A5C)}, {0.75, Hex(0xC2306A)},
                                {1.0, Hex(0x3A0F4A)}},
                               100),
                    ColourRamp({{0.0, Hex(0xE8FBFF)}, {0.4, Hex(0x5CC8E8)}, {0.75, Hex(0x2A5AA8)},
                                {1.0, Hex(0x10164A)}},
                               100),
                    ColourRamp({{0.0, Hex(0xFFFFFF)}, {1.0, Hex(0xFFF2C0)}}, 8),
                    ColourRamp({{0.0, Hex(0x0C0820)}}, 1),
                },
                Canvas(width, height)};
    Frame f(scene.canvas);
    double ax = f.w * 0.36, ay = f.h * 0.56, bx = f.w * 0.66, by = f.h * 0.48;
    double period = f.s * 0.06;
    double reach = 0.8 * std::max(f.w, f.h);

    scene.canvas.Fill([&](int x, int y) {
        double px = x + 0.5, py = y + 0.5;
        double da = std::hypot(px - ax, py - ay), db = std::hypot(px - bx, py - by);
        long ringA = static_cast<long>(da / period), ringB = static_cast<long>(db / period);
        if ((ringA + ringB) % 2 == 0)
            return Shade(kWarm, da / reach);
        return Shade(kCool, db / reach);
    });
    DrawPictureLabel(scene.canvas, title, detail, 0.06, TextStyle{kLabel, kOutline});
    return scene;
}

// Swirling rays around a glowing core.
Scene DrawStarburst(int width, int height, const std::string& title, const std::string& detail)
{
    enum { kRayA, kRayB, kCore, kLabel, kOutline };
    Scene scene{{
                    ColourRamp({{0.0, Hex(0xFFFBE0)}, {0.3, Hex(0xFFD04A)}, {0.7, Hex(0xF06A1A)},
                                {1.0, Hex(0x6A0F1A)}},
                               90),
                    ColourRamp({{0.0, Hex(0xFFE0F4)}, {0.3, Hex(0xF070B0)}, {0.7, Hex(0x7A2A9A)},
                                {1.0, Hex(0x140A3A)}},
                               90),
                    ColourRamp({{0.0, Hex(0xFFFFFF)}, {0.6, Hex(0xFFF6C0)}, {1.0, Hex(0xFFD86A)}}, 30),
                    ColourRamp({{0.0, Hex(0xFFFFFF)}, {1.0, Hex(0xFFF0C8)}}, 8),
                    ColourRamp({{0.0, Hex(0x1A0612)}}, 1),
                },
                Canvas(width, height)};
    Frame f(scene.canvas);
    double cx = f.w * 0.5, cy = f.h * 0.58;
    double core = f.s * 0.11;
    double reach = 0.55 * std::hypot(f.w, f.h);
    const int kRays = 18;

    scene.canvas.Fill([&](int x, int y) {
        double px = x + 0.5, py = y + 0.5;
        double dx = px - cx, dy = py - cy;
        double dist = std::hypot(dx, dy);
        if (dist < core)
            return Shade(kCore, dist / core);
        double angle = std::atan2(dy, dx) + 0.9 * dist / f.s;
        double turn = (angle + kPi) / (2.0 * kPi);
        long sector = static_cast<long>(std::floor(turn * kRays));
        bool first = ((sector % kRays) + kRays) % 2 == 0;
        return Shade(first ? kRayA : kRayB, dist / reach);
    });
    DrawPictureLabel(scene.canvas, title, detail, 0.06, TextStyle{kLabel, kOutline});
    return scene;
}

}  // namespace

const std::vector<std::string>& ThemeNames()
{
    static const std::vector<std::string> names = {"sunset", "ocean", "tiles", "rings", "starburst"};
    return names;
}

bool IsTheme(const std::string& name)
{
    const std::vector<std::string>& names = ThemeNames();
    return std::find(names.begin(), names.end(), name) != names.end();
}

Scene DrawThemePicture(const std::string& theme, int width, int height, const std::string& title,
                       const std::string& detail)
{
    if (theme == "sunset")
        return DrawSunset(width, height, title, detail);
    if (theme == "ocean")
        return DrawOcean(width, height, title, detail);
    if (theme == "tiles")
        return DrawTiles(width, height, title, detail);
    if (theme == "rings")
        return DrawRings(width, height, title, detail);
    if (theme == "starburst")
        return DrawStarburst(width, height, title, detail);
    throw std::invalid_argument("unknown picture theme " + theme);
}

std::string SizeAndDepthText(int width, int height, int bitsPerPixel)
{
    return std::to_string(width) + "x" + std::to_string(height) + " " + std::to_string(bitsPerPixel) + "-BIT";
}

std::string UpperCase(const std::string& text)
{
    std::string upper = text;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}
