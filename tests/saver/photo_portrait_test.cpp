// Photos on every monitor on the harness's layout with a portrait monitor:
// a portrait photo fitted to each monitor's own shape.
#include <gtest/gtest.h>

#include <string>

#include "photo_slideshow_fixture.h"

using namespace vrxtest;
using namespace picturetest;
using namespace phototest;

namespace {

TEST_F(PhotoMonitorsTest, APortraitMonitorGetsPortraitFittedPhotos)
{
    ASSERT_EQ(800, GetSystemMetrics(SM_CYVIRTUALSCREEN)) << "the portrait layout of the harness is not in use";
    AddPhoto("portrait_exif6.jpg", "a.jpg");
    AddPhoto("portrait_exif6.jpg", "b.jpg");
    UseEveryMonitor(1);
    HWND window = StartShow();
    ASSERT_NE(nullptr, window);
    ASSERT_EQ(2, PhotoScreenCount());
    HWND second = SecondWindow();
    ASSERT_NE(nullptr, second);
    // Upright 1200 x 1600: 360 x 480 on the primary, 480 x 640 at y 80 on
    // the portrait monitor; red above blue on both.
    EXPECT_EQ(360, ShownPhotoOn(0)->width);
    EXPECT_EQ(480, ShownPhotoOn(1)->width);
    EXPECT_EQ(640, ShownPhotoOn(1)->height);
    EXPECT_EQ(ColourText(kBlack), ColourText(PixelOf(second, 240, 40)));
    EXPECT_TRUE(Near(kRed, PixelOf(second, 240, 200), 24)) << ColourText(PixelOf(second, 240, 200));
    EXPECT_TRUE(Near(kBlue, PixelOf(second, 240, 600), 24)) << ColourText(PixelOf(second, 240, 600));
    EXPECT_EQ(ColourText(kBlack), ColourText(PixelOf(second, 240, 760)));
}

}  // namespace
