// The setup sequence in-process on Wine's 8-bit palette screen, where the
// background picture cannot load: the view stays black where the picture
// would be, and the options and exit dialogs still come up and work.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "background_picture.h"
#include "dialog_script.h"
#include "dib_image.h"
#include "setup_fixture.h"
#include "test_support.h"

using namespace setuptest;
using namespace vrxtest;

namespace {

const char kFrameTitle[] = "Economiseur d'\xE9" "cran VRX2";

// Points of the view where the background picture, centred, is bright.
std::vector<POINT> BrightPicturePoints(HWND view)
{
    std::vector<POINT> points;
    HRSRC found = FindResourceA(NULL, MAKEINTRESOURCEA(149), (LPCSTR)RT_BITMAP);
    const BYTE* data = found ? static_cast<const BYTE*>(LockResource(LoadResource(NULL, found))) : NULL;
    if (!data)
        return points;
    const BITMAPINFOHEADER* info = reinterpret_cast<const BITMAPINFOHEADER*>(data);
    const RGBQUAD* table = reinterpret_cast<const RGBQUAD*>(data + info->biSize);
    const BYTE* bits = data + info->biSize + 256 * sizeof(RGBQUAD);
    RECT client;
    GetClientRect(view, &client);
    int left = (client.right - 640) / 2, top = (client.bottom - 480) / 2;
    for (int y = 0; y < client.bottom; y += 5) {
        for (int x = 0; x < client.right; x += 5) {
            int px = x - left, py = y - top;
            if (px < 0 || px >= 640 || py < 0 || py >= 480)
                continue;
            const RGBQUAD& c = table[bits[(size_t)(479 - py) * 640 + px]];
            if (c.rgbRed + c.rgbGreen + c.rgbBlue >= 300)
                points.push_back(POINT{x, y});
        }
    }
    return points;
}

TEST(SetupOnThePaletteScreen, TheViewStaysBlackAndTheDialogsStillAppear)
{
    ASSERT_EQ(8, ScreenDepth()) << "this case belongs to the 8-bit palette screen";
    g_installation = InstallationCall();
    CMarloView* view = OpenSetupWindow();
    ASSERT_TRUE(view != NULL) << "the template made no setup view";
    HWND viewWindow = view->GetSafeHwnd();
    std::vector<POINT> points = BrightPicturePoints(viewWindow);
    ASSERT_GT(points.size(), 100u) << "the background has too few bright points to look at";

    bool loaded = true, headerKept = false;
    int notBlack = -1, looked = 0;
    DialogScript script;
    script.OnDialog(kFrameTitle, [&](HWND dialog) {
        loaded = g_pBackgroundImage && g_pBackgroundImage->GetBitmap() != NULL;
        headerKept = g_pBackgroundImage && g_pBackgroundImage->GetHeader() != NULL;
        RECT box;
        GetWindowRect(dialog, &box);
        MapWindowPoints(NULL, viewWindow, reinterpret_cast<POINT*>(&box), 2);
        notBlack = 0;
        for (const POINT& p : points) {
            if (PtInRect(&box, p))
                continue;
            looked++;
            notBlack += !Near(RGB(0, 0, 0), PixelOf(viewWindow, p.x, p.y), 0x10);
        }
    });
    script.Click(kFrameTitle, IDCANCEL).Click("Sortir", IDCANCEL);
    script.Start();
    int code = -1;
    ASSERT_TRUE(PumpUntilQuit(20000, &code)) << script.Report();
    script.Stop();
    EXPECT_TRUE(script.Failures().empty()) << script.Report();
    EXPECT_EQ(0, code);
    EXPECT_FALSE(loaded) << "the background loaded on a screen that gives no static colour count";
    EXPECT_TRUE(headerKept) << "the failed load did not keep the picture's header";
    EXPECT_GT(looked, 50) << "too few points outside the options dialog";
    EXPECT_EQ(0, notBlack) << "points of the view that are not black where the picture would be";
    EXPECT_EQ(0, g_installation.calls);

    // The view's DC does read back colours on this screen: the black was no
    // artefact of reading.
    HDC dc = GetDC(viewWindow);
    RECT patch = {points[0].x, points[0].y, points[0].x + 4, points[0].y + 4};
    FillRect(dc, &patch, (HBRUSH)GetStockObject(WHITE_BRUSH));
    ReleaseDC(viewWindow, dc);
    EXPECT_TRUE(Near(RGB(255, 255, 255), PixelOf(viewWindow, points[0].x + 1, points[0].y + 1), 0x10))
        << "white painted on the view does not read back as white";
    CloseSetupWindow();
}

}  // namespace
