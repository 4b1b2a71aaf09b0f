// Device-context wrappers of a framework window: each GetDC gives a working
// DC even when the system hands out the handle of one released before, and
// FillSolidRect paints what it says.
#include <gtest/gtest.h>

#include <windows.h>

#include "framework.h"
#include "framework_test_app.h"
#include "test_support.h"

using namespace fwtest;
using namespace vrxtest;

namespace {

TEST(FrameworkDc, EveryGetDcGivesAWorkingDcAfterReleases)
{
    TestApp();
    TopWindow window("dc window", 0, 0);
    ASSERT_TRUE(window.GetSafeHwnd() != NULL);
    PumpFor(50);
    const COLORREF colours[3] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200)};
    HDC handles[3] = {};
    for (int i = 0; i < 3; i++) {
        CDC* pDC = window.GetDC();
        ASSERT_TRUE(pDC != NULL);
        handles[i] = pDC->GetSafeHdc();
        ASSERT_TRUE(handles[i] != NULL) << "GetDC number " << i + 1 << " gave a wrapper without a DC";
        pDC->FillSolidRect(10, 10, 20, 20, colours[i]);
        window.ReleaseDC(pDC);
        EXPECT_EQ(colours[i], PixelOf(window.GetSafeHwnd(), 15, 15)) << "after GetDC number " << i + 1;
    }
}

TEST(FrameworkDc, FillSolidRectPaintsOnlyItsRectangleAndLeavesTheBackgroundColour)
{
    TestApp();
    TopWindow window("dc window", 0, 0);
    PumpFor(50);
    CClientDC dc(&window);
    ASSERT_TRUE(dc.GetSafeHdc() != NULL);
    dc.FillSolidRect(0, 0, 100, 100, RGB(255, 255, 255));
    CRect rect(10, 20, 30, 50);
    dc.FillSolidRect(&rect, RGB(12, 34, 56));
    EXPECT_EQ(RGB(12, 34, 56), dc.GetPixel(10, 20));
    EXPECT_EQ(RGB(12, 34, 56), dc.GetPixel(29, 49));
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(30, 49));
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(29, 50));
    EXPECT_EQ(RGB(12, 34, 56), GetBkColor(dc.GetSafeHdc())) << "FillSolidRect sets the background colour";
}

}  // namespace
