// The crossfade drawn on a real window of the 24-bit screen and read back
// pixel by pixel: the frames made from prepared pictures, the blend at its
// fractions, a whole paced sequence of steps, and the frames it refuses.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "crossfade.h"
#include "picture_test_support.h"
#include "test_support.h"

using namespace vrxtest;
using picturetest::ColourText;

namespace {

const LONG kWidth = 96;
const LONG kHeight = 64;
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kBlack = RGB(0, 0, 0);

// A prepared picture of one colour (0x00RRGGBB pixels) at x, y.
struct SolidPicture {
    SolidPicture(COLORREF colour, LONG x, LONG y, LONG width, LONG height)
        : pixels(static_cast<size_t>(width) * height,
                 (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour))
    {
        picture.x = x;
        picture.y = y;
        picture.width = width;
        picture.height = height;
        picture.pixels = pixels.data();
    }
    std::vector<DWORD> pixels;
    PreparedPicture picture = {};
};

class CrossfadeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CrossfadeAvailable()) << "AlphaBlend of msimg32.dll was not found";
        window_ = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "crossfade", WS_POPUP | WS_VISIBLE, 10, 10, kWidth, kHeight,
                                  NULL, NULL, NULL, NULL);
        ASSERT_NE(nullptr, window_);
        dc_ = GetDC(window_);
        for (CrossfadeFrame* frame : {&from_, &to_, &work_})
            ASSERT_TRUE(CreateCrossfadeFrame(kWidth, kHeight, frame));
    }
    void TearDown() override
    {
        for (CrossfadeFrame* frame : {&from_, &to_, &work_})
            ReleaseCrossfadeFrame(frame);
        if (dc_)
            ReleaseDC(window_, dc_);
        if (window_)
            DestroyWindow(window_);
    }

    // Draws one step and reads the window back once GDI is done.
    COLORREF DrawAt(LONG fraction, int x = kWidth / 2, int y = kHeight / 2)
    {
        EXPECT_TRUE(DrawCrossfade(dc_, 0, 0, &from_, &to_, &work_, fraction)) << "fraction " << fraction;
        GdiFlush();
        return PixelOf(window_, x, y);
    }

    HWND window_ = NULL;
    HDC dc_ = NULL;
    CrossfadeFrame from_ = {}, to_ = {}, work_ = {};
};

TEST_F(CrossfadeTest, HalfwayBetweenRedAndBlueIsTheirMixAndTheEndsAreExact)
{
    SolidPicture red(kRed, 0, 0, kWidth, kHeight), blue(kBlue, 0, 0, kWidth, kHeight);
    PutPictureInFrame(&red.picture, &from_);
    PutPictureInFrame(&blue.picture, &to_);

    EXPECT_EQ(ColourText(kRed), ColourText(DrawAt(0))) << "at 0 the old picture";
    COLORREF half = DrawAt(CROSSFADE_FULL / 2 + 1);
    EXPECT_TRUE(Near(RGB(128, 0, 128), half, 3)) << "at 1/2: " << ColourText(half);
    EXPECT_EQ(ColourText(kBlue), ColourText(DrawAt(CROSSFADE_FULL))) << "at 1 the new picture";
    EXPECT_EQ(ColourText(kBlue), ColourText(PixelOf(window_, 0, 0)));
    EXPECT_EQ(ColourText(kBlue), ColourText(PixelOf(window_, kWidth - 1, kHeight - 1)));
}

// Steps paced over the whole duration, as the window timer drives them: the
// red picture turns blue a little more at every step, and no step shows
// black where either picture is, nor anything but black where neither is.
TEST_F(CrossfadeTest, APacedSequenceNeverShowsBlackBetweenThePictures)
{
    SolidPicture red(kRed, 8, 0, kWidth - 16, kHeight), blue(kBlue, 8, 0, kWidth - 16, kHeight);
    PutPictureInFrame(&red.picture, &from_);
    PutPictureInFrame(&blue.picture, &to_);
    EXPECT_EQ(0, CrossfadeFraction(0));
    EXPECT_EQ(CROSSFADE_FULL, CrossfadeFraction(CROSSFADE_DURATION_MS));
    EXPECT_EQ(CROSSFADE_FULL, CrossfadeFraction(10 * CROSSFADE_DURATION_MS)) << "late steps end on the new one";
    UINT step = CrossfadeStepInterval(dc_);
    ASSERT_GE(step, 10u);
    ASSERT_LE(step, 50u);

    int lastRed = 256, lastBlue = -1, steps = 0;
    for (DWORD elapsed = 0;; elapsed += step) {
        LONG fraction = CrossfadeFraction(elapsed);
        COLORREF inside = DrawAt(fraction);
        ++steps;
        ASSERT_NE(kBlack, inside) << "black at " << elapsed << " ms";
        ASSERT_LE(GetRValue(inside), lastRed) << "at " << elapsed << " ms: " << ColourText(inside);
        ASSERT_GE(GetBValue(inside), lastBlue) << "at " << elapsed << " ms: " << ColourText(inside);
        ASSERT_GE(GetRValue(inside) + GetBValue(inside), 253) << "a dimmed blend " << ColourText(inside);
        ASSERT_EQ(kBlack, PixelOf(window_, 2, kHeight / 2)) << "the border at " << elapsed << " ms";
        lastRed = GetRValue(inside);
        lastBlue = GetBValue(inside);
        if (fraction == CROSSFADE_FULL)
            break;
    }
    EXPECT_EQ(ColourText(kBlue), ColourText(PixelOf(window_, kWidth / 2, kHeight / 2)));
    EXPECT_GE(steps, static_cast<int>(CROSSFADE_DURATION_MS / step)) << "a step every " << step << " ms";
}

// A picture fitted to another area is clipped to the frame, black around it.
TEST_F(CrossfadeTest, AFrameHoldsThePictureAtItsPlaceOnBlack)
{
    SolidPicture red(kRed, kWidth - 10, 20, 30, 10);
    PutPictureInFrame(&red.picture, &to_);
    EXPECT_EQ(ColourText(kRed), ColourText(DrawAt(CROSSFADE_FULL, kWidth - 1, 20)));
    EXPECT_EQ(ColourText(kRed), ColourText(PixelOf(window_, kWidth - 10, 29)));
    EXPECT_EQ(ColourText(kBlack), ColourText(PixelOf(window_, kWidth - 11, 25)));
    EXPECT_EQ(ColourText(kBlack), ColourText(PixelOf(window_, kWidth - 5, 30)));

    PreparedPicture empty = {};
    PutPictureInFrame(&empty, &to_);
    EXPECT_EQ(ColourText(kBlack), ColourText(DrawAt(CROSSFADE_FULL, kWidth - 1, 20))) << "an empty picture";
}

TEST_F(CrossfadeTest, FramesOfDifferentSizesOrNoneAreRefusedWithNothingDrawn)
{
    SolidPicture red(kRed, 0, 0, kWidth, kHeight);
    PutPictureInFrame(&red.picture, &from_);
    ASSERT_TRUE(DrawCrossfade(dc_, 0, 0, &from_, &to_, &work_, 0));
    CrossfadeFrame smaller = {};
    ASSERT_TRUE(CreateCrossfadeFrame(kWidth, kHeight - 1, &smaller));
    EXPECT_FALSE(DrawCrossfade(dc_, 0, 0, &from_, &smaller, &work_, 100));
    EXPECT_FALSE(DrawCrossfade(dc_, 0, 0, &from_, &to_, &smaller, 100)) << "a work frame of another size";
    ReleaseCrossfadeFrame(&smaller);
    EXPECT_FALSE(DrawCrossfade(dc_, 0, 0, &from_, &smaller, &work_, 100)) << "a released frame";
    GdiFlush();
    EXPECT_EQ(ColourText(kRed), ColourText(PixelOf(window_, kWidth / 2, kHeight / 2))) << "nothing drawn";

    CrossfadeFrame none = {};
    EXPECT_FALSE(CreateCrossfadeFrame(0, 10, &none));
    EXPECT_FALSE(CreateCrossfadeFrame(100000, 100000, &none)) << "40 GB of pixels";
    EXPECT_EQ(nullptr, none.pixels);
}

}  // namespace
