// Photos on every monitor, on the harness's screen of two monitors: a
// picture of its own on each, changing together and fitted to each monitor,
// and the other monitors black as always without the setting.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "photo_slideshow_fixture.h"

using namespace vrxtest;
using namespace picturetest;
using namespace phototest;

namespace {

TEST_F(PhotoMonitorsTest, EveryMonitorShowsAPhotoOfItsOwnAndTheyChangeTogether)
{
    ASSERT_EQ(2, GetSystemMetrics(SM_CMONITORS)) << "the two-monitor screen of the harness is not in use";
    for (int i = 0; i < 4; ++i)
        AddPhoto(("solid_" + std::to_string(i) + ".png").c_str());
    UseEveryMonitor(1);
    HWND window = StartShow(1);
    ASSERT_NE(nullptr, window);
    ASSERT_EQ(2, PhotoScreenCount());
    HWND second = SecondWindow();
    ASSERT_NE(nullptr, second);
    for (int tick = 0; tick < 4; ++tick) {
        SCOPED_TRACE("tick " + std::to_string(tick));
        if (tick > 0) {
            const DWORD* before = ShownPhotoOn(1)->pixels;
            ASSERT_TRUE(Tick(window));
            EXPECT_NE(before, ShownPhotoOn(1)->pixels) << "the second monitor changes with the first";
        }
        // Each 32 x 32 photo is enlarged to 480 x 480 in the middle of its monitor.
        COLORREF first = PixelOf(window, 320, 240), other = PixelOf(second, 320, 240);
        EXPECT_NE(ColourText(first), ColourText(other)) << "two monitors, two photos";
        EXPECT_NE(ColourText(kBlack), ColourText(other)) << "the second monitor shows a photo";
        EXPECT_EQ(ColourText(kBlack), ColourText(PixelOf(second, 40, 240))) << "fitted to the second monitor";
    }
}

TEST_F(PhotoMonitorsTest, WithoutTheSettingTheOtherMonitorsStayBlack)
{
    ASSERT_EQ(2, GetSystemMetrics(SM_CMONITORS)) << "the two-monitor screen of the harness is not in use";
    AddPhoto("solid_0.png");
    AddPhoto("solid_1.png");
    UseEveryMonitor(0);
    HWND window = StartShow(1);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(1, PhotoScreenCount());
    HWND second = FindWindowA("VRXSaverBlankingClass", NULL);
    ASSERT_NE(nullptr, second);
    ASSERT_TRUE(Tick(window));
    EXPECT_EQ(0, NonBlackPixels(second, 0, 0, 480, 480, 9));
}

}  // namespace
