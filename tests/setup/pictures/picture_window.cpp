// Picture windows and expected pixels of the test pictures.
#include "picture_window.h"

#include "test_support.h"

using namespace testpictures;

namespace picturetest {

namespace {
const char kClassName[] = "VrxPictureTestWindow";

LRESULT CALLBACK PictureWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND)
        return 1;  // what a test drew stays until it has read it back
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
}  // namespace

PictureWindow::PictureWindow(int x, int y, int width, int height)
{
    WNDCLASSA wc = {};
    if (!GetClassInfoA(GetModuleHandleA(NULL), kClassName, &wc)) {
        wc.lpfnWndProc = PictureWindowProc;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
        wc.lpszClassName = kClassName;
        RegisterClassA(&wc);
    }
    hwnd_ = CreateWindowExA(WS_EX_TOPMOST, kClassName, "picture test", WS_POPUP | WS_VISIBLE, x, y, width, height, NULL,
                            NULL, GetModuleHandleA(NULL), NULL);
    vrxtest::PumpFor(50);
}

PictureWindow::~PictureWindow()
{
    if (hwnd_)
        DestroyWindow(hwnd_);
}

void PictureWindow::Fill(COLORREF colour)
{
    RECT client;
    GetClientRect(hwnd_, &client);
    HDC dc = GetDC(hwnd_);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    ReleaseDC(hwnd_, dc);
}

COLORREF ToColour(const Rgb& c) { return RGB(c.r, c.g, c.b); }
COLORREF GridPixel(int x, int y) { return ToColour(GridColour(GridIndex(x, y))); }
COLORREF SmallPixel(int x, int y) { return ToColour(GridColour(SmallIndex(x, y))); }

std::vector<PALETTEENTRY> GridEntries()
{
    std::vector<PALETTEENTRY> entries(256);
    for (int i = 0; i < 256; i++) {
        Rgb c = GridColour(i);
        entries[i] = {c.r, c.g, c.b, 0};
    }
    return entries;
}

std::vector<PALETTEENTRY> PaletteEntries(HPALETTE palette)
{
    WORD count = 0;
    if (!palette || !GetObjectA(palette, sizeof count, &count))
        return {};
    std::vector<PALETTEENTRY> entries(count);
    UINT got = GetPaletteEntries(palette, 0, count, entries.data());
    entries.resize(got);
    return entries;
}

int NearestEntry(const std::vector<PALETTEENTRY>& entries, COLORREF c)
{
    int best = -1;
    long bestDistance = 0;
    for (size_t i = 0; i < entries.size(); i++) {
        long dr = entries[i].peRed - GetRValue(c), dg = entries[i].peGreen - GetGValue(c),
             db = entries[i].peBlue - GetBValue(c);
        long distance = dr * dr + dg * dg + db * db;
        if (best < 0 || distance < bestDistance) {
            best = (int)i;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace picturetest
