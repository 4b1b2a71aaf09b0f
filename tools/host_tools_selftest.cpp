// Self-test of the host tools: the BMP and WAVE writers, the font and the
// palettes in-process, then the files that make_pictures, make_background
// and make_sounds wrote, read back byte by byte.
//
// host_tools_selftest [<samples_dir> <pictures_dir> <background.bmp> <sounds_dir>]
#include "bitmap_font.h"
#include "bmp_writer.h"
#include "event_chimes.h"
#include "file_output.h"
#include "palette.h"
#include "picture_catalogue.h"
#include "sample_pictures.h"
#include "scene_encoding.h"
#include "splash_screen.h"
#include "tone_synth.h"
#include "wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

int g_failures = 0;
int g_failuresAtStart = 0;
std::string g_test;

// Whether the current test has failed so far; lets file checks stop early.
bool HasFailed()
{
    return g_failures > g_failuresAtStart;
}

void Fail(const std::string& message)
{
    ++g_failures;
    std::cerr << "FAIL " << g_test << ": " << message << "\n";
}

template <class A, class B>
void ExpectEqual(const A& expected, const B& actual, const std::string& what)
{
    if (!(expected == actual)) {
        std::ostringstream text;
        text << what << ": expected " << expected << ", got " << actual;
        Fail(text.str());
    }
}

void Expect(bool condition, const std::string& what)
{
    if (!condition)
        Fail(what);
}

template <class Exception>
void ExpectThrows(const std::function<void()>& action, const std::string& what)
{
    try {
        action();
    } catch (const Exception&) {
        return;
    } catch (const std::exception& e) {
        Fail(what + ": threw the wrong exception (" + e.what() + ")");
        return;
    }
    Fail(what + ": did not throw");
}

void Run(const std::string& name, const std::function<void()>& test)
{
    g_test = name;
    g_failuresAtStart = g_failures;
    try {
        test();
    } catch (const std::exception& e) {
        Fail(std::string("unexpected exception: ") + e.what());
    }
}

std::string Hex6(const Rgb& c)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", c.red, c.green, c.blue);
    return text;
}

// A reading of a BMP file written independently of the writer.
struct BmpFile {
    ByteBuffer bytes;
    int width = 0, height = 0, bits = 0;
    std::uint32_t offBits = 0;
    std::size_t stride = 0;

    explicit BmpFile(ByteBuffer data) : bytes(std::move(data))
    {
        if (bytes.size() < 54)
            throw std::runtime_error("file shorter than the BMP headers");
        offBits = GetU32(bytes, 10);
        width = static_cast<int>(GetU32(bytes, 18));
        height = static_cast<int>(GetU32(bytes, 22));
        bits = static_cast<int>(GetU16(bytes, 28));
        stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    }
    std::size_t RowStart(int yFromTop) const
    {
        return offBits + static_cast<std::size_t>(height - 1 - yFromTop) * stride;
    }
    int Index(int x, int yFromTop) const { return bytes[RowStart(yFromTop) + x]; }
    Rgb Table(int entry) const
    {
        std::size_t at = 54 + static_cast<std::size_t>(entry) * 4;
        return Rgb{bytes[at + 2], bytes[at + 1], bytes[at]};
    }
    // The colour as stored: 16-bit channels come back as their 5 bits << 3.
    Rgb Colour(int x, int yFromTop) const
    {
        std::size_t at = RowStart(yFromTop);
        switch (bits) {
        case 8:
            return Table(Index(x, yFromTop));
        case 16: {
            std::uint32_t v = GetU16(bytes, at + 2 * static_cast<std::size_t>(x));
            return Rgb{static_cast<std::uint8_t>(((v >> 10) & 31) << 3),
                       static_cast<std::uint8_t>(((v >> 5) & 31) << 3), static_cast<std::uint8_t>((v & 31) << 3)};
        }
        default: {
            std::size_t p = at + static_cast<std::size_t>(x) * (bits / 8);
            return Rgb{bytes[p + 2], bytes[p + 1], bytes[p]};
        }
        }
    }
};

// Checks every header field of an uncompressed BMP against the expected
// picture, the file size and the zero padding of every row.
void CheckBmpLayout(const std::string& name, const BmpFile& bmp, int width, int height, int bits,
                    std::uint32_t colourCountField)
{
    const ByteBuffer& b = bmp.bytes;
    std::size_t tableBytes = bits == 8 ? 1024 : 0;
    std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    std::size_t imageSize = stride * static_cast<std::size_t>(height);
    Expect(b[0] == 'B' && b[1] == 'M', name + ": signature BM");
    ExpectEqual(b.size(), static_cast<std::size_t>(GetU32(b, 2)), name + ": bfSize against the file size");
    ExpectEqual(0u, GetU32(b, 6), name + ": bfReserved");
    ExpectEqual(54 + tableBytes, static_cast<std::size_t>(bmp.offBits), name + ": bfOffBits");
    ExpectEqual(40u, GetU32(b, 14), name + ": biSize");
    ExpectEqual(width, bmp.width, name + ": biWidth");
    ExpectEqual(height, bmp.height, name + ": biHeight");
    ExpectEqual(1u, GetU16(b, 26), name + ": biPlanes");
    ExpectEqual(bits, bmp.bits, name + ": biBitCount");
    ExpectEqual(0u, GetU32(b, 30), name + ": biCompression");
    ExpectEqual(imageSize, static_cast<std::size_t>(GetU32(b, 34)), name + ": biSizeImage");
    ExpectEqual(0u, GetU32(b, 38), name + ": biXPelsPerMeter");
    ExpectEqual(0u, GetU32(b, 42), name + ": biYPelsPerMeter");
    ExpectEqual(colourCountField, GetU32(b, 46), name + ": biClrUsed");
    ExpectEqual(0u, GetU32(b, 50), name + ": biClrImportant");
    ExpectEqual(54 + tableBytes + imageSize, b.size(), name + ": file size");
    if (b.size() != 54 + tableBytes + imageSize)
        return;
    std::size_t used = static_cast<std::size_t>(width) * bits / 8;
    for (int y = 0; y < height; ++y)
        for (std::size_t i = used; i < stride; ++i)
            if (b[bmp.RowStart(y) + i] != 0) {
                Fail(name + ": padding byte not zero in row " + std::to_string(y));
                return;
            }
}

// Share of horizontal neighbours that are close in colour: high for
// gradients and shapes, low for noise.
double SmoothShare(const BmpFile& bmp)
{
    std::size_t close = 0, pairs = 0;
    int step = std::max(1, bmp.height / 100);
    for (int y = 0; y < bmp.height; y += step)
        for (int x = 1; x < bmp.width; ++x) {
            Rgb a = bmp.Colour(x - 1, y), b = bmp.Colour(x, y);
            int diff = std::max({std::abs(a.red - b.red), std::abs(a.green - b.green), std::abs(a.blue - b.blue)});
            close += diff <= 16;
            ++pairs;
        }
    return static_cast<double>(close) / pairs;
}

std::size_t DistinctColours(const BmpFile& bmp)
{
    std::set<std::uint32_t> seen;
    int step = std::max(1, bmp.height / 120);
    for (int y = 0; y < bmp.height; y += step)
        for (int x = 0; x < bmp.width; ++x) {
            Rgb c = bmp.Colour(x, y);
            seen.insert((c.red << 16) | (c.green << 8) | c.blue);
        }
    return seen.size();
}

bool Load(const std::string& path, ByteBuffer& bytes)
{
    if (ReadWholeFile(path, bytes))
        return true;
    Fail("cannot read " + path);
    return false;
}

// ---- writers, in-process ----

void IndexedBmpPadsOddRowsAndStoresThemBottomUp()
{
    IndexedBitmap picture;
    picture.width = 3;
    picture.height = 2;
    picture.colours[1] = Rgb{10, 20, 30};
    picture.pixels = {1, 2, 3, 4, 5, 6};
    ByteBuffer b = EncodeIndexedBmp(picture);
    ExpectEqual(14u + 40u + 1024u + 8u, b.size(), "file size");
    BmpFile bmp(b);
    CheckBmpLayout("3x2", bmp, 3, 2, 8, 0);
    ExpectEqual(30, b[58], "colour 1 blue");
    ExpectEqual(20, b[59], "colour 1 green");
    ExpectEqual(10, b[60], "colour 1 red");
    const std::uint8_t rows[8] = {4, 5, 6, 0, 1, 2, 3, 0};
    for (int i = 0; i < 8; ++i)
        ExpectEqual(static_cast<int>(rows[i]), static_cast<int>(b[1078 + i]), "pixel byte " + std::to_string(i));
}

void RgbBmpStoresBlueGreenRedAndPadsRows()
{
    RgbBitmap picture;
    picture.width = 5;
    picture.height = 3;
    picture.pixels.assign(15, Rgb{1, 2, 3});
    picture.pixels[10] = Rgb{0xAA, 0xBB, 0xCC};  // bottom-left
    ByteBuffer b = EncodeRgbBmp(picture, 24);
    CheckBmpLayout("5x3x24", BmpFile(b), 5, 3, 24, 0);
    ExpectEqual(48u, GetU32(b, 34), "biSizeImage of 3 rows of 16 bytes");
    ExpectEqual(0xCC, b[54], "first stored blue");
    ExpectEqual(0xBB, b[55], "first stored green");
    ExpectEqual(0xAA, b[56], "first stored red");

    ByteBuffer b32 = EncodeRgbBmp(picture, 32);
    CheckBmpLayout("5x3x32", BmpFile(b32), 5, 3, 32, 0);
    ExpectEqual(0xCC, b32[54], "32-bit blue");
    ExpectEqual(0xAA, b32[56], "32-bit red");
    ExpectEqual(0, b32[57], "32-bit unused byte");
    ExpectEqual(3, b32[58], "32-bit next pixel blue");
}

void SixteenBitPacksFiveBitsPerChannel()
{
    RgbBitmap picture;
    picture.width = 3;
    picture.height = 1;
    picture.pixels = {Rgb{0xF8, 0x00, 0x08}, Rgb{0x08, 0xF8, 0x00}, Rgb{0xFF, 0xFF, 0xFF}};
    ByteBuffer b = EncodeRgbBmp(picture, 16);
    CheckBmpLayout("3x1x16", BmpFile(b), 3, 1, 16, 0);
    ExpectEqual(0x7C01u, GetU16(b, 54), "red 31 blue 1");
    ExpectEqual(0x07E0u, GetU16(b, 56), "red 1 green 31");
    ExpectEqual(0x7FFFu, GetU16(b, 58), "white, top bit clear");
    ExpectEqual(0u, GetU16(b, 60), "row padding");
}

void WritersRefuseInconsistentPictures()
{
    RgbBitmap empty;
    ExpectThrows<std::invalid_argument>([&] { EncodeRgbBmp(empty, 24); }, "zero size");
    RgbBitmap short_;
    short_.width = 4;
    short_.height = 4;
    short_.pixels.resize(15);
    ExpectThrows<std::invalid_argument>([&] { EncodeRgbBmp(short_, 24); }, "too few pixels");
    short_.pixels.resize(16);
    ExpectThrows<std::invalid_argument>([&] { EncodeRgbBmp(short_, 15); }, "15 bits per pixel");
    IndexedBitmap indexed;
    indexed.width = indexed.height = 1;
    indexed.pixels = {0};
    indexed.colourCountField = 16;
    ExpectThrows<std::invalid_argument>([&] { EncodeIndexedBmp(indexed); }, "biClrUsed 16");
    PcmSound stereo;
    stereo.channels = 2;
    stereo.samples = {1, 2, 3};
    ExpectThrows<std::invalid_argument>([&] { EncodeWave(stereo); }, "half a stereo frame");
    stereo.channels = 3;
    stereo.samples = {1, 2, 3};
    ExpectThrows<std::invalid_argument>([&] { EncodeWave(stereo); }, "three channels");
}

void DitherKeepsExactColoursAndAveragesTheRest()
{
    RgbBitmap picture;
    picture.width = picture.height = 8;
    picture.pixels.assign(64, Rgb{0x34, 0x30, 0xF8});
    DitherTo555(picture);
    int sum = 0;
    for (const Rgb& c : picture.pixels) {
        Expect(c.red % 8 == 0, "dithered red is a multiple of 8");
        ExpectEqual(0x30, static_cast<int>(c.green), "exact green kept");
        ExpectEqual(0xF8, static_cast<int>(c.blue), "exact blue kept");
        sum += c.red;
    }
    ExpectEqual(0x34, sum / 64, "average of dithered red");
}

void WaveHeaderDescribesItsSamples()
{
    PcmSound sound;
    sound.samples = {0, 1000, -1000};
    ByteBuffer b = EncodeWave(sound);
    ExpectEqual(50u, b.size(), "file size");
    ExpectEqual(std::string("RIFF"), std::string(b.begin(), b.begin() + 4), "RIFF tag");
    ExpectEqual(42u, GetU32(b, 4), "RIFF size");
    ExpectEqual(std::string("WAVEfmt "), std::string(b.begin() + 8, b.begin() + 16), "WAVE and fmt tags");
    ExpectEqual(16u, GetU32(b, 16), "fmt size");
    ExpectEqual(1u, GetU16(b, 20), "PCM");
    ExpectEqual(1u, GetU16(b, 22), "channels");
    ExpectEqual(22050u, GetU32(b, 24), "sample rate");
    ExpectEqual(44100u, GetU32(b, 28), "byte rate");
    ExpectEqual(2u, GetU16(b, 32), "block align");
    ExpectEqual(16u, GetU16(b, 34), "bits");
    ExpectEqual(std::string("data"), std::string(b.begin() + 36, b.begin() + 40), "data tag");
    ExpectEqual(6u, GetU32(b, 40), "data size");
    ExpectEqual(1000u, GetU16(b, 46), "second sample");
    ExpectEqual(static_cast<std::uint32_t>(0x10000 - 1000), GetU16(b, 48), "third sample");
}

// A note rises over a few milliseconds and is practically silent just
// before it ends, so that neither edge clicks.
void NotesRiseAndFadeWithoutSteps()
{
    const int rate = 22050;
    std::vector<std::int16_t> s = RenderNotes({{440.0, 0.05, 0.2, 1.0}}, 0.3, rate, 0.5);
    ExpectEqual(static_cast<std::size_t>(0.3 * rate), s.size(), "sample count");
    auto loudest = [&](double from, double to) {
        int peak = 0;
        for (std::size_t i = static_cast<std::size_t>(from * rate); i < static_cast<std::size_t>(to * rate); ++i)
            peak = std::max(peak, std::abs(static_cast<int>(s[i])));
        return peak;
    };
    int peak = loudest(0.0, 0.3);
    Expect(std::abs(peak - 16384) <= 1, "peak at half of full scale: " + std::to_string(peak));
    ExpectEqual(0, loudest(0.0, 0.05), "silence before the note starts");
    Expect(loudest(0.05, 0.051) < peak / 10, "first millisecond is quiet: " + std::to_string(loudest(0.05, 0.051)));
    Expect(loudest(0.244, 0.25) < peak / 50, "last 6 ms are near silence: " + std::to_string(loudest(0.244, 0.25)));
    ExpectEqual(0, loudest(0.251, 0.3), "silence after the note");
}

void FontDrawsEveryLabelCharacterDistinctly()
{
    const std::string needed = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789x-' ";
    std::set<GlyphRows> shapes;
    for (char c : needed) {
        Expect(HasGlyph(c), std::string("glyph for '") + c + "'");
        const GlyphRows& g = Glyph(c);
        bool any = false;
        for (std::uint8_t row : g) {
            Expect((row & ~0x1F) == 0, std::string("glyph '") + c + "' fits 5 columns");
            any = any || row != 0;
        }
        Expect(any == (c != ' '), std::string("glyph '") + c + "' has ink unless it is a space");
        Expect(shapes.insert(g).second, std::string("glyph '") + c + "' differs from the ones before it");
    }
    Expect(Glyph('a') == Glyph('A'), "lower-case letters draw as capitals");
    Expect(!HasGlyph('#') && Glyph('#') == Glyph('\x7F'), "unknown characters share the box glyph");
    ExpectEqual(29, TextColumns("VRX 2"), "columns of VRX 2");
    ExpectEqual(0, TextColumns(""), "columns of nothing");
}

void PaletteKeepsStaticColoursAroundTheRamps()
{
    std::vector<ColourRamp> ramps = {ColourRamp({{0.0, Hex(0x000000)}, {1.0, Hex(0xC8C8C8)}}, 3),
                                     ColourRamp({{0.0, Hex(0x123456)}}, 1)};
    RampPalette palette = BuildRampPalette(ramps, 10, 235);
    ExpectEqual(Hex6(Hex(0x000000)), Hex6(palette.colours[10]), "ramp start");
    ExpectEqual(Hex6(Hex(0x646464)), Hex6(palette.colours[11]), "ramp middle");
    ExpectEqual(Hex6(Hex(0xC8C8C8)), Hex6(palette.colours[12]), "ramp end");
    ExpectEqual(Hex6(Hex(0x123456)), Hex6(palette.colours[13]), "single colour");
    ExpectEqual(Hex6(Hex(0x800000)), Hex6(palette.colours[1]), "static entry 1");
    ExpectEqual(Hex6(Hex(0xA6CAF0)), Hex6(palette.colours[9]), "static entry 9");
    ExpectEqual(Hex6(Hex(0xFFFBF0)), Hex6(palette.colours[246]), "static entry 246");
    ExpectEqual(Hex6(Hex(0xFFFFFF)), Hex6(palette.colours[255]), "static entry 255");
    ExpectEqual(10, RampEntry(palette, ramps, 0, 0), "lowest level");
    ExpectEqual(12, RampEntry(palette, ramps, 0, 65535), "highest level");
    ExpectEqual(13, RampEntry(palette, ramps, 1, 40000), "single-colour ramp");
    std::vector<ColourRamp> tooMany = {ColourRamp({{0.0, Hex(0)}}, 200), ColourRamp({{0.0, Hex(0)}}, 27)};
    ExpectThrows<std::length_error>([&] { BuildRampPalette(tooMany, 10, 235); }, "227 entries in 226");
}

void WriteWholeFileReportsAMissingDirectory()
{
    std::string error;
    Expect(!WriteWholeFile("/nonexistent-vrx-dir/x.bmp", ByteBuffer{1, 2}, error), "write into a missing directory");
    Expect(error.find("cannot write /nonexistent-vrx-dir/x.bmp") == 0, "error names the path: " + error);
}

// ---- generated files ----

void CheckTestPattern(const std::string& name, const BmpFile& bmp, const std::string& kind)
{
    using namespace VrxSamples;
    auto expected = [&](int x, int y) {
        if (kind == "solid")
            return x == 0 || y == 0 || x == bmp.width - 1 || y == bmp.height - 1 ? kSolidBorder : kSolidFill;
        bool right = x >= bmp.width / 2, bottom = y >= bmp.height / 2;
        return bottom ? (right ? kQuadrantBottomRight : kQuadrantBottomLeft)
                      : (right ? kQuadrantTopRight : kQuadrantTopLeft);
    };
    int mismatches = 0;
    for (int y = 0; y < bmp.height && mismatches < 3; ++y)
        for (int x = 0; x < bmp.width && mismatches < 3; ++x) {
            SampleColour want = expected(x, y);
            Rgb got = bmp.Colour(x, y);
            if (got != Rgb{want.red, want.green, want.blue}) {
                ++mismatches;
                Fail(name + " pixel " + std::to_string(x) + "," + std::to_string(y) + ": expected " +
                     Hex6(Rgb{want.red, want.green, want.blue}) + ", got " + Hex6(got));
            }
        }
    if (bmp.bits == 8) {
        int corner = kind == "solid" ? kSolidBorderIndex : kQuadrantTopLeftIndex;
        int centre = kind == "solid" ? kSolidFillIndex : kQuadrantBottomRightIndex;
        ExpectEqual(corner, bmp.Index(0, 0), name + ": entry at the top-left corner");
        ExpectEqual(centre, bmp.Index(bmp.width / 2, bmp.height / 2), name + ": entry at the centre");
    }
}

void CheckPixelEntries(const std::string& name, const BmpFile& bmp, int first, int last)
{
    for (int y = 0; y < bmp.height; ++y)
        for (int x = 0; x < bmp.width; ++x) {
            int entry = bmp.Index(x, y);
            if (entry < first || entry > last) {
                Fail(name + ": pixel " + std::to_string(x) + "," + std::to_string(y) + " uses entry " +
                     std::to_string(entry) + ", outside " + std::to_string(first) + ".." + std::to_string(last));
                return;
            }
        }
}

void CheckStaticEntries(const std::string& name, const BmpFile& bmp)
{
    const std::array<Rgb, 20>& statics = WindowsStaticColours();
    for (int i = 0; i < 10; ++i) {
        ExpectEqual(Hex6(statics[i]), Hex6(bmp.Table(i)), name + ": static entry " + std::to_string(i));
        ExpectEqual(Hex6(statics[10 + i]), Hex6(bmp.Table(246 + i)), name + ": static entry " + std::to_string(246 + i));
    }
}

void CheckListedPictures(const std::string& dir, const VrxSamples::SamplePicture* begin,
                         const VrxSamples::SamplePicture* end, bool distribution)
{
    int number = 0;
    for (const VrxSamples::SamplePicture* p = begin; p != end; ++p) {
        ++number;
        std::string name = p->fileName;
        ByteBuffer bytes;
        if (!Load(JoinPath(dir, name), bytes))
            continue;
        BmpFile bmp(bytes);
        CheckBmpLayout(name, bmp, p->width, p->height, p->bitsPerPixel, p->colourCountField);
        if (HasFailed())
            continue;
        if (bmp.bits == 8) {
            CheckPixelEntries(name, bmp, VrxSamples::kFirstPictureEntry, VrxSamples::kLastPictureEntry);
            CheckStaticEntries(name, bmp);
        }
        std::string theme = p->theme;
        if (theme == "solid" || theme == "quadrants") {
            CheckTestPattern(name, bmp, theme);
            continue;
        }
        double smooth = SmoothShare(bmp);
        Expect(smooth > 0.75, name + ": neighbouring pixels should mostly match, share " + std::to_string(smooth));
        std::size_t colours = DistinctColours(bmp);
        Expect(colours >= 60, name + ": a gradient picture uses many colours, found " + std::to_string(colours));
        if (p->width * p->height <= 800 * 600)
            Expect(bytes == RenderPicture(*p, distribution ? number : 0),
                   name + ": file differs from a fresh rendering (not deterministic?)");
    }
}

void SamplePicturesAreCompleteAndExact(const std::string& dir)
{
    CheckListedPictures(dir, std::begin(VrxSamples::kSamplePictures), std::end(VrxSamples::kSamplePictures), false);
}

void DistributionPicturesAreAFewDistinctPictures(const std::string& dir)
{
    const auto& list = VrxSamples::kDistributionPictures;
    std::size_t count = std::end(list) - std::begin(list);
    Expect(count >= 4 && count <= 6, "four to six distribution pictures");
    CheckListedPictures(dir, std::begin(list), std::end(list), true);
    std::vector<std::string> names;
    std::vector<Rgb> centres;
    for (const auto& p : list) {
        names.push_back(p.fileName);
        Expect((p.width == 640 && p.height == 480) || (p.width == 800 && p.height == 600),
               std::string(p.fileName) + ": 640x480 or 800x600");
        Expect(p.bitsPerPixel == 8 || p.bitsPerPixel == 24, std::string(p.fileName) + ": 8 or 24 bits");
        ByteBuffer bytes;
        if (Load(JoinPath(dir, p.fileName), bytes))
            centres.push_back(BmpFile(bytes).Colour(p.width / 2, p.height * 3 / 4));
    }
    Expect(std::is_sorted(names.begin(), names.end()), "distribution pictures are listed in name order");
    std::set<std::string> distinct;
    for (const Rgb& c : centres)
        distinct.insert(Hex6(c));
    ExpectEqual(centres.size(), distinct.size(), "distinct colours low in the middle of each picture");
}

void BackgroundIsTheSplashScreen(const std::string& path)
{
    ByteBuffer bytes;
    if (!Load(path, bytes))
        return;
    ExpectEqual(14u + 40u + 1024u + 307200u, bytes.size(), "background file size");
    BmpFile bmp(bytes);
    CheckBmpLayout("background", bmp, 640, 480, 8, 0);
    if (HasFailed())
        return;
    CheckPixelEntries("background", bmp, kSplashFirstEntry, kSplashLastEntry);
    CheckStaticEntries("background", bmp);
    std::set<int> used;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            used.insert(bmp.Index(x, y));
    Expect(used.size() >= 180, "background uses many colours, found " + std::to_string(used.size()));
    Expect(SmoothShare(bmp) > 0.85, "background is smooth, not noise");

    // "VRX 2" at 14 pixels a cell, centred, top at 168: the first cell of the
    // V is ink (gold), the cell right of it is sky (dark).
    int left = (640 - 29 * 14) / 2, top = 168;
    Rgb ink = bmp.Colour(left + 7, top + 7), sky = bmp.Colour(left + 14 + 7, top + 7);
    Expect(ink.red > 200 && ink.green > 180 && ink.blue < ink.green, "title ink at the V is bright gold, got " + Hex6(ink));
    Expect(sky.red < 100 && sky.green < 100, "beside the V's first stroke is night sky, got " + Hex6(sky));

    Expect(bytes == EncodeIndexedBmp(SplashScreenBitmap()), "background differs from a fresh rendering");
}

void SoundsArePcmChimesWithoutClicks(const std::string& dir)
{
    const char* const names[] = {"ast.wav", "clp.wav", "crs.wav", "def.wav", "exc.wav", "exw.wav",
                                 "max.wav", "mec.wav", "mep.wav", "min.wav", "opp.wav", "que.wav",
                                 "reu.wav", "red.wav", "stw.wav", "erb.wav"};
    ExpectEqual(16u, EventChimes().size(), "chimes in the scheme");
    std::set<ByteBuffer> contents;
    for (const char* name : names) {
        std::string n = name;
        ByteBuffer b;
        if (!Load(JoinPath(dir, n), b))
            continue;
        if (b.size() < 44) {
            Fail(n + ": shorter than a WAVE header");
            continue;
        }
        ExpectEqual(std::string("RIFF"), std::string(b.begin(), b.begin() + 4), n + ": RIFF");
        ExpectEqual(b.size() - 8, static_cast<std::size_t>(GetU32(b, 4)), n + ": RIFF size");
        ExpectEqual(std::string("WAVEfmt "), std::string(b.begin() + 8, b.begin() + 16), n + ": WAVE fmt");
        ExpectEqual(16u, GetU32(b, 16), n + ": fmt size");
        ExpectEqual(1u, GetU16(b, 20), n + ": PCM");
        std::uint32_t channels = GetU16(b, 22), rate = GetU32(b, 24);
        Expect(channels == 1 || channels == 2, n + ": mono or stereo");
        Expect(rate == 22050 || rate == 44100, n + ": 22050 or 44100 Hz");
        ExpectEqual(16u, GetU16(b, 34), n + ": 16 bits");
        ExpectEqual(channels * 2, GetU16(b, 32), n + ": block align");
        ExpectEqual(rate * channels * 2, GetU32(b, 28), n + ": byte rate");
        ExpectEqual(std::string("data"), std::string(b.begin() + 36, b.begin() + 40), n + ": data tag");
        ExpectEqual(b.size() - 44, static_cast<std::size_t>(GetU32(b, 40)), n + ": data size");
        if (HasFailed())
            continue;
        std::size_t count = (b.size() - 44) / 2;
        double seconds = static_cast<double>(count) / channels / rate;
        Expect(seconds >= 0.15 - 1e-3 && seconds <= 0.8 + 1e-3, n + ": lasts " + std::to_string(seconds) + " s");
        std::vector<int> s(count);
        for (std::size_t i = 0; i < count; ++i)
            s[i] = static_cast<std::int16_t>(GetU16(b, 44 + 2 * i));
        int peak = 0, jump = 0;
        for (std::size_t i = 0; i < count; ++i) {
            peak = std::max(peak, std::abs(s[i]));
            if (i > 0)
                jump = std::max(jump, std::abs(s[i] - s[i - 1]));
        }
        Expect(std::abs(s.front()) < 200 && std::abs(s.back()) < 200, n + ": starts and ends near silence");
        Expect(peak > 4000 && peak < 32767, n + ": audible and unclipped, peak " + std::to_string(peak));
        Expect(jump < 12000, n + ": no step between samples larger than a tone makes, got " + std::to_string(jump));
        Expect(contents.insert(ByteBuffer(b.begin() + 44, b.end())).second, n + ": differs from the other sounds");
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 1 && argc != 5) {
        std::cerr << "usage: host_tools_selftest [<samples_dir> <pictures_dir> <background.bmp> <sounds_dir>]\n";
        return 2;
    }
    auto test = Run;
    test("IndexedBmpPadsOddRowsAndStoresThemBottomUp", IndexedBmpPadsOddRowsAndStoresThemBottomUp);
    test("RgbBmpStoresBlueGreenRedAndPadsRows", RgbBmpStoresBlueGreenRedAndPadsRows);
    test("SixteenBitPacksFiveBitsPerChannel", SixteenBitPacksFiveBitsPerChannel);
    test("WritersRefuseInconsistentPictures", WritersRefuseInconsistentPictures);
    test("DitherKeepsExactColoursAndAveragesTheRest", DitherKeepsExactColoursAndAveragesTheRest);
    test("WaveHeaderDescribesItsSamples", WaveHeaderDescribesItsSamples);
    test("NotesRiseAndFadeWithoutSteps", NotesRiseAndFadeWithoutSteps);
    test("FontDrawsEveryLabelCharacterDistinctly", FontDrawsEveryLabelCharacterDistinctly);
    test("PaletteKeepsStaticColoursAroundTheRamps", PaletteKeepsStaticColoursAroundTheRamps);
    test("WriteWholeFileReportsAMissingDirectory", WriteWholeFileReportsAMissingDirectory);
    if (argc == 5) {
        std::string samples = argv[1], pictures = argv[2], background = argv[3], sounds = argv[4];
        test("SamplePicturesAreCompleteAndExact", [&] { SamplePicturesAreCompleteAndExact(samples); });
        test("DistributionPicturesAreAFewDistinctPictures",
             [&] { DistributionPicturesAreAFewDistinctPictures(pictures); });
        test("BackgroundIsTheSplashScreen", [&] { BackgroundIsTheSplashScreen(background); });
        test("SoundsArePcmChimesWithoutClicks", [&] { SoundsArePcmChimesWithoutClicks(sounds); });
    }
    if (g_failures != 0) {
        std::cerr << g_failures << " check(s) failed\n";
        return 1;
    }
    std::cout << "all host tool checks passed\n";
    return 0;
}
