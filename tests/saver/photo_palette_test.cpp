// A photo on the 8-bit palette screen, shown through the halftone palette.
#include <gtest/gtest.h>

#include "photo_slideshow_fixture.h"
#include "test_support.h"

using namespace vrxtest;
using namespace picturetest;
using namespace phototest;

namespace {

using PhotoPaletteTest = PhotoSlideshowTest;

TEST_F(PhotoPaletteTest, OnAPaletteScreenPhotosAreShownRecognisably)
{
    if (ScreenDepth() > 8)
        GTEST_SKIP() << "for the 8-bit palette screen";
    AddPhoto("scene.png");
    UsePhotos(1);
    HWND window = StartShow(1);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ("", SceneMismatch(window, 0, 0, 640, 480, 64)) << "through the halftone palette";
}

}  // namespace
