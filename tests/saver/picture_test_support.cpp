// Installed trees, bitmap decoding and writing, and queue helpers for the
// picture display and slideshow tests.
#include "picture_test_support.h"

#include <stdio.h>
#include <string.h>

#include "picture_display.h"
#include "slideshow.h"
#include "test_support.h"

using namespace vrxtest;

namespace picturetest {

namespace {

DWORD Little32(const std::vector<BYTE>& bytes, size_t at)
{
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (static_cast<DWORD>(bytes[at + 3]) << 24);
}

void Put16(std::vector<BYTE>& bytes, size_t at, unsigned value)
{
    bytes[at] = static_cast<BYTE>(value);
    bytes[at + 1] = static_cast<BYTE>(value >> 8);
}

void Put32(std::vector<BYTE>& bytes, size_t at, DWORD value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<BYTE>(value >> (8 * i));
}

size_t RowBytes(int width, int bits)
{
    return (static_cast<size_t>(width) * bits + 31) / 32 * 4;
}

std::vector<BYTE> MakeHeader(int width, int height, int bits, bool topDown, size_t tableEntries)
{
    size_t offset = 14 + 40 + 4 * tableEntries;
    size_t imageBytes = RowBytes(width, bits) * height;
    std::vector<BYTE> bytes(offset + imageBytes, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, static_cast<DWORD>(bytes.size()));
    Put32(bytes, 10, static_cast<DWORD>(offset));
    Put32(bytes, 14, 40);
    Put32(bytes, 18, static_cast<DWORD>(width));
    Put32(bytes, 22, static_cast<DWORD>(topDown ? -height : height));
    Put16(bytes, 26, 1);
    Put16(bytes, 28, bits);
    Put32(bytes, 34, static_cast<DWORD>(imageBytes));
    Put32(bytes, 46, static_cast<DWORD>(tableEntries));
    return bytes;
}

}  // namespace

COLORREF Colour(const VrxSamples::SampleColour& colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}

std::string ColourText(COLORREF colour)
{
    char text[16];
    snprintf(text, sizeof text, "%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
}

std::string SamplePath(const char* fileName)
{
    return JoinPath(JoinPath(BuildDirectory(), "samples"), fileName);
}

COLORREF FilePixel(const std::vector<BYTE>& file, int x, int y)
{
    LONG width = static_cast<LONG>(Little32(file, 18));
    LONG height = static_cast<LONG>(Little32(file, 22));
    int bits = file[28] | (file[29] << 8);
    DWORD offset = Little32(file, 10);
    bool topDown = height < 0;
    LONG rows = topDown ? -height : height;
    LONG row = topDown ? y : rows - 1 - y;
    size_t at = offset + RowBytes(width, bits) * row;
    size_t table = 14 + Little32(file, 14);
    auto entry = [&](unsigned n) {
        size_t e = table + 4 * n;
        return RGB(file[e + 2], file[e + 1], file[e]);
    };
    switch (bits) {
    case 1:
        return entry((file[at + x / 8] >> (7 - x % 8)) & 1);
    case 4:
        return entry((file[at + x / 2] >> (x % 2 ? 0 : 4)) & 15);
    case 8:
        return entry(file[at + x]);
    case 16: {
        unsigned value = file[at + 2 * x] | (file[at + 2 * x + 1] << 8);
        return RGB(((value >> 10) & 31) << 3, ((value >> 5) & 31) << 3, (value & 31) << 3);
    }
    case 24:
        return RGB(file[at + 3 * x + 2], file[at + 3 * x + 1], file[at + 3 * x]);
    case 32:
        return RGB(file[at + 4 * x + 2], file[at + 4 * x + 1], file[at + 4 * x]);
    }
    return CLR_INVALID;
}

std::vector<BYTE> MakeIndexedBitmap(int width, int height, int bits, bool topDown,
                                    const std::vector<COLORREF>& table, const std::function<int(int, int)>& index)
{
    std::vector<BYTE> bytes = MakeHeader(width, height, bits, topDown, table.size());
    for (size_t n = 0; n < table.size(); ++n) {
        bytes[54 + 4 * n] = GetBValue(table[n]);
        bytes[54 + 4 * n + 1] = GetGValue(table[n]);
        bytes[54 + 4 * n + 2] = GetRValue(table[n]);
    }
    size_t offset = Little32(bytes, 10);
    for (int y = 0; y < height; ++y) {
        size_t at = offset + RowBytes(width, bits) * (topDown ? y : height - 1 - y);
        for (int x = 0; x < width; ++x) {
            unsigned n = static_cast<unsigned>(index(x, y));
            if (bits == 8)
                bytes[at + x] = static_cast<BYTE>(n);
            else if (bits == 4)
                bytes[at + x / 2] |= static_cast<BYTE>(n << (x % 2 ? 0 : 4));
            else
                bytes[at + x / 8] |= static_cast<BYTE>((n & 1) << (7 - x % 8));
        }
    }
    return bytes;
}

std::vector<BYTE> MakeRgbBitmap(int width, int height, bool topDown, const std::function<COLORREF(int, int)>& colour)
{
    std::vector<BYTE> bytes = MakeHeader(width, height, 24, topDown, 0);
    size_t offset = Little32(bytes, 10);
    for (int y = 0; y < height; ++y) {
        size_t at = offset + RowBytes(width, 24) * (topDown ? y : height - 1 - y);
        for (int x = 0; x < width; ++x) {
            COLORREF c = colour(x, y);
            bytes[at + 3 * x] = GetBValue(c);
            bytes[at + 3 * x + 1] = GetGValue(c);
            bytes[at + 3 * x + 2] = GetRValue(c);
        }
    }
    return bytes;
}

std::string ClientPixelMismatch(HWND window, const std::function<std::string(int, int, COLORREF)>& wrong)
{
    int width = 0, height = 0;
    std::vector<COLORREF> screen = CaptureClient(window, &width, &height);
    int count = 0;
    std::string first;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            COLORREF got = screen[static_cast<size_t>(y) * width + x];
            std::string expected = wrong(x, y, got);
            if (!expected.empty() && count++ == 0)
                first = "(" + std::to_string(x) + ", " + std::to_string(y) + "): expected " + expected + ", got " +
                        ColourText(got);
        }
    }
    return count ? std::to_string(count) + " pixels wrong, the first at " + first : std::string();
}

std::string DrawnPictureMismatch(HWND window, int left, int top, int width, int height,
                                 const std::function<COLORREF(int, int)>& expected, int tolerance)
{
    return ClientPixelMismatch(window, [&](int x, int y, COLORREF got) {
        bool inside = x >= left && x < left + width && y >= top && y < top + height;
        COLORREF want = inside ? expected(x - left, y - top) : RGB(0, 0, 0);
        return Near(want, got, inside ? tolerance : 0) ? std::string() : ColourText(want);
    });
}

void ResetPictureState()
{
    ZeroMemory(&SaverSettings, sizeof SaverSettings);
    SaverSettings.fullscreen = DEFAULT_FULLSCREEN;
    SaverSettings.updateRate = DEFAULT_UPDATE_RATE;
    ZeroMemory(&PictureFind, sizeof PictureFind);
    PictureSearch = INVALID_HANDLE_VALUE;
    ShowingPhotos = FALSE;
    ZeroMemory(&DrawingArea, sizeof DrawingArea);
    WipeStyle = WIPE_STYLE_AT_START;
    PictureLocalAlloc = LocalAlloc;
    PictureGlobalAlloc = GlobalAlloc;
    WipeSleep = Sleep;
    PicturePhaseDone = NULL;
}

bool TakeQuit()
{
    MSG message;
    return PeekMessageA(&message, NULL, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

bool PumpSeeingQuit(DWORD milliseconds)
{
    bool quit = false;
    DWORD start = GetTickCount();
    MSG message;
    do {
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quit = true;
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
    return quit;
}

void PaintWhite(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    PatBlt(dc, 0, 0, client.right, client.bottom, WHITENESS);
    GdiFlush();
    ReleaseDC(window, dc);
}

int NonBlackPixels(HWND window, int left, int top, int right, int bottom, int step)
{
    int count = 0;
    HDC dc = GetDC(window);
    for (int y = top; y < bottom; y += step)
        for (int x = left; x < right; x += step)
            if ((GetPixel(dc, x, y) & 0xFFFFFF) != 0)
                ++count;
    ReleaseDC(window, dc);
    return count;
}

void PictureWindowTest::SetUp()
{
    SaverWindowTest::SetUp();
    ResetPictureState();
    install_ = MakeScratchDirectory("picture-install");
    CreateDirectoryA(PicturesDirectory().c_str(), NULL);
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey);
    DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKey);
}

void PictureWindowTest::TearDown()
{
    SaverWindowTest::TearDown();
    ResetPictureState();
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey);
    RemoveTree(install_);
}

std::string PictureWindowTest::PicturesDirectory() const
{
    return JoinPath(install_, "pictures");
}

std::string PictureWindowTest::AddSample(const char* sample, const std::string& name)
{
    std::string path = JoinPath(PicturesDirectory(), name);
    CopyFileTo(SamplePath(sample), path);
    return path;
}

std::string PictureWindowTest::AddFile(const std::vector<BYTE>& bytes, const std::string& name)
{
    std::string path = JoinPath(PicturesDirectory(), name);
    WriteFileBytes(path, bytes.data(), bytes.size());
    return path;
}

void PictureWindowTest::WriteSettings(LONG fullscreen, LONG updateRate)
{
    WriteText(HKEY_LOCAL_MACHINE, kSettingsKey, "Installed path", install_);
    WriteNumber(HKEY_LOCAL_MACHINE, kSettingsKey, "Fullscreen", static_cast<DWORD>(fullscreen));
    WriteNumber(HKEY_LOCAL_MACHINE, kSettingsKey, "UpdateRate", static_cast<DWORD>(updateRate));
}

HWND PictureWindowTest::ShowFullScreen(LONG fullscreen, LONG updateRate)
{
    WriteSettings(fullscreen, updateRate);
    HWND window = CreateFullScreen();
    if (window)
        UpdateWindow(window);
    return window;
}

void PictureWindowTest::CloseSaverWindow()
{
    if (window_ && IsWindow(window_))
        DestroyWindow(window_);
    if (parent_ && IsWindow(parent_))
        DestroyWindow(parent_);
    window_ = parent_ = NULL;
    DrainQueue();
    UnregisterClassA(SAVER_CLASS_NAME, SaverRuntime.Instance);
    ResetSaverRuntime();
    ResetPictureState();
}

void PictureWindowTest::OnlyPicture(const char* sample)
{
    RemoveTree(PicturesDirectory());
    CreateDirectoryA(PicturesDirectory().c_str(), NULL);
    AddSample(sample, "one.bmp");
}

std::vector<std::string> PictureWindowTest::Listing() const
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(JoinPath(PicturesDirectory(), "*.bmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

}  // namespace picturetest
