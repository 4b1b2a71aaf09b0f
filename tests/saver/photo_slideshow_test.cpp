// The photo slideshow through the real procedure chain of a saver window in
// this process, on the user's own folder of photos written by ImageMagick:
// every format, the right way up, in proportion, averaged, in order or
// shuffled, bad files passed over, and nothing left behind.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "photo_slideshow_fixture.h"
#include "test_support.h"

using namespace vrxtest;
using namespace picturetest;
using namespace phototest;

namespace {

TEST_F(PhotoSlideshowTest, EveryFormatIsShownTheRightWayUp)
{
    const char* photos[] = {"scene_baseline.jpg", "scene_progressive.jpg", "scene.png",    "scene_two_frames.gif",
                            "scene_two_pages.tif", "scene_rle8.bmp",       "scene_rle4.bmp", "scene_4bit.bmp",
                            "scene_topdown.bmp",  "orientation_6.jpg",    "orientation_8.jpg", "orientation_5.tif",
                            "orientation_3.tif"};
    for (const char* photo : photos)
        AddPhoto(photo);
    UsePhotos(0);
    HWND window = StartShow();
    ASSERT_NE(nullptr, window);
    std::set<std::string> seen;
    for (size_t i = 0; i < std::size(photos); ++i) {
        if (i > 0) {
            ASSERT_TRUE(Tick(window));
        }
        std::string name = BaseName(ShownPhotoPath());
        SCOPED_TRACE(name);
        // Each is the 64 x 48 scene, centred at its own size on 640 x 480.
        int tolerance = name.find(".jpg") != std::string::npos ? 40 : 8;
        EXPECT_EQ("", SceneMismatch(window, 288, 216, 64, 48, tolerance));
        EXPECT_EQ(ColourText(kBlack), ColourText(PixelOf(window, 280, 210))) << "black around the photo";
        seen.insert(name);
    }
    for (const char* photo : photos)
        EXPECT_EQ(1u, seen.count(photo)) << photo << " was never shown";
    EXPECT_FALSE(TakeQuit());
}

TEST_F(PhotoSlideshowTest, KeepingProportionsLetterboxesAndFitsAPortraitPhoto)
{
    AddPhoto("wide_1280x480.png");
    AddPhoto("portrait_exif6.jpg");
    UsePhotos(1);
    HWND window = StartShow();
    ASSERT_NE(nullptr, window);

    ASSERT_TRUE(ShowUntil(window, "wide_1280x480.png"));
    // 640 x 240 at y 120: black above and below, red then blue.
    EXPECT_EQ(ColourText(kBlack), ColourText(PixelOf(window, 320, 100)));
    EXPECT_EQ(ColourText(kRed), ColourText(PixelOf(window, 100, 240)));
    EXPECT_EQ(ColourText(kBlue), ColourText(PixelOf(window, 540, 240)));
    EXPECT_EQ(ColourText(kBlack), ColourText(PixelOf(window, 320, 380)));

    ASSERT_TRUE(ShowUntil(window, "portrait_exif6.jpg"));
    // Upright 1200 x 1600, fitted to 360 x 480 at x 140: red above blue.
    EXPECT_EQ(ColourText(kBlack), ColourText(PixelOf(window, 120, 240)));
    EXPECT_TRUE(Near(kRed, PixelOf(window, 320, 60), 24)) << ColourText(PixelOf(window, 320, 60));
    EXPECT_TRUE(Near(kBlue, PixelOf(window, 320, 420), 24)) << ColourText(PixelOf(window, 320, 420));
    EXPECT_EQ(ColourText(kBlack), ColourText(PixelOf(window, 520, 240)));
}

TEST_F(PhotoSlideshowTest, WithoutKeepingProportionsPhotosAreStretchedAsBitmapsAre)
{
    AddPhoto("wide_1280x480.png");
    UsePhotos(0, 1);
    HWND window = StartShow();
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(ColourText(kRed), ColourText(PixelOf(window, 10, 10))) << "stretched over the whole screen";
    EXPECT_EQ(ColourText(kBlue), ColourText(PixelOf(window, 630, 470)));
    EXPECT_EQ(ColourText(kRed), ColourText(PixelOf(window, 310, 240)));
}

TEST_F(PhotoSlideshowTest, AReductionAveragesEverySourcePixel)
{
    AddPhoto("stripes_2560x1920.png");
    UsePhotos(1);
    HWND window = StartShow();
    ASSERT_NE(nullptr, window);
    std::string mismatch = ClientPixelMismatch(window, [](int, int, COLORREF got) -> std::string {
        return Near(got, RGB(128, 128, 128), 4) ? "" : "an even grey";
    });
    EXPECT_EQ("", mismatch) << "black and white columns reduced 4:1";
}

TEST_F(PhotoSlideshowTest, AFullscreenEnlargementIsSmooth)
{
    AddPhoto("scene.png");
    UsePhotos(1);
    HWND window = StartShow(1);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ("", SceneMismatch(window, 0, 0, 640, 480, 8)) << "64 x 48 enlarged to the whole screen";
    // Across the red-green edge the colours blend over several pixels.
    int blended = 0;
    for (int x = 300; x < 340; ++x) {
        COLORREF got = PixelOf(window, x, 120);
        if (GetRValue(got) > 16 && GetRValue(got) < 240 && GetGValue(got) > 16 && GetGValue(got) < 240)
            ++blended;
    }
    EXPECT_GE(blended, 3) << "pixels between red and green at the edge";
}

TEST_F(PhotoSlideshowTest, SubfoldersAreWalkedOnlyWhenAsked)
{
    AddPhoto("solid_0.png");
    CreateDirectoryA(JoinPath(folder_, "below").c_str(), NULL);
    AddPhoto("solid_1.png", "below\\solid_1.png");
    UsePhotos(0, 0, 0);
    HWND window = StartShow();
    ASSERT_NE(nullptr, window);
    std::vector<std::string> shown = ShowSeveral(window, 3);
    EXPECT_EQ(std::vector<std::string>({"solid_0.png", "solid_0.png", "solid_0.png"}), shown);
    CloseSaverWindow();
    ASSERT_TRUE(WaitForStoppedWorkers(5000));

    UsePhotos(0, 0, 1);
    window = StartShow();
    ASSERT_NE(nullptr, window);
    shown = ShowSeveral(window, 4);
    EXPECT_EQ(2u, std::set<std::string>(shown.begin(), shown.end()).size()) << "both folders' photos";
}

TEST_F(PhotoSlideshowTest, ShuffleShowsEveryPhotoOnceARoundAndNeverTwiceInARow)
{
    for (int i = 0; i < 5; ++i)
        AddPhoto(("solid_" + std::to_string(i) + ".png").c_str());
    UsePhotos(0, 1);
    HWND window = StartShow();
    ASSERT_NE(nullptr, window);
    std::vector<std::string> shown = ShowSeveral(window, 15);
    ASSERT_EQ(15u, shown.size());
    for (size_t round = 0; round < 3; ++round)
        EXPECT_EQ(5u, std::set<std::string>(shown.begin() + round * 5, shown.begin() + round * 5 + 5).size())
            << "round " << round << " shows each photo once";
    for (size_t i = 1; i < shown.size(); ++i)
        EXPECT_NE(shown[i - 1], shown[i]) << "show " << i;
}

TEST_F(PhotoSlideshowTest, FilesThatCannotBeDecodedArePassedOver)
{
    const char* bad[] = {"corrupt.png", "truncated.jpg", "empty.jpg", "text.png", "huge_20000x20000.png"};
    for (const char* photo : bad)
        AddPhoto(photo);
    AddPhoto("solid_2.png");
    UsePhotos(0);
    HWND window = StartShow();
    ASSERT_NE(nullptr, window);
    std::vector<std::string> shown = ShowSeveral(window, 3);
    EXPECT_EQ(std::vector<std::string>({"solid_2.png", "solid_2.png", "solid_2.png"}), shown);
    EXPECT_EQ(ColourText(kBlue), ColourText(PixelOf(window, 320, 240)));
    EXPECT_FALSE(TakeQuit());
}

TEST_F(PhotoSlideshowTest, APhotoRemovedWhileTheSaverRunsIsPassedOver)
{
    for (int i = 0; i < 3; ++i)
        AddPhoto(("solid_" + std::to_string(i) + ".png").c_str());
    UsePhotos(0);
    HWND window = StartShow();
    ASSERT_NE(nullptr, window);
    std::string first = BaseName(ShownPhotoPath());
    // The one after the next, which the worker has not reached yet, goes.
    std::vector<std::string> listing = FilesIn(folder_, "*.png");
    std::string removed;
    for (size_t i = 0; i < listing.size(); ++i)
        if (listing[i] == first)
            removed = listing[(i + 2) % listing.size()];
    ASSERT_FALSE(removed.empty());
    ASSERT_TRUE(DeleteFileA(JoinPath(folder_, removed).c_str()));
    std::vector<std::string> shown = ShowSeveral(window, 5);
    ASSERT_EQ(5u, shown.size());
    for (const std::string& name : shown)
        EXPECT_NE(removed, name);
    EXPECT_FALSE(TakeQuit());
}

TEST_F(PhotoSlideshowTest, WhenNothingCanBeShownTheSaverEndsAfterOneBlackWipe)
{
    AddPhoto("corrupt.png");
    AddPhoto("empty.jpg");
    UsePhotos(0);
    WriteSettings(0, 100);
    HWND window = CreateFullScreen();
    ASSERT_NE(nullptr, window);
    PaintWhite(window);
    LONG style = WipeStyle;
    UpdateWindow(window);
    EXPECT_TRUE(PumpSeeingQuit(5000)) << "the saver ends";
    EXPECT_EQ((style + 1) & 3, WipeStyle) << "one wipe";
    EXPECT_EQ(0, NonBlackPixels(window, 0, 0, 640, 480, 7));
}

TEST_F(PhotoSlideshowTest, WithoutPhotosInTheChosenFoldersTheInstalledPicturesAreShown)
{
    AddSample("solid_320x200_24.bmp", "one.bmp");
    UsePhotos(1);  // the folder is empty
    HWND window = StartShow();
    ASSERT_NE(nullptr, window);
    EXPECT_EQ("one.bmp", BaseName(ShownPhotoPath()));
    EXPECT_EQ(ColourText(Colour(VrxSamples::kSolidFill)), ColourText(PixelOf(window, 320, 240)));
}

TEST_F(PhotoSlideshowTest, ThePreviewShowsPhotosAtItsOwnSize)
{
    AddPhoto("wide_1280x480.png");
    UsePhotos(1);
    WriteSettings(0, 100);
    HWND window = CreatePreview(152, 112);
    ASSERT_NE(nullptr, window);
    UpdateWindow(window);
    ASSERT_TRUE(PumpUntil([] { return ShownPhoto()->pixels != NULL; }, 10000));
    // 152 x 57 at y 27.
    EXPECT_EQ(152, ShownPhoto()->width);
    EXPECT_EQ(57, ShownPhoto()->height);
    EXPECT_EQ(ColourText(kBlack), ColourText(PixelOf(window, 76, 20)));
    EXPECT_EQ(ColourText(kRed), ColourText(PixelOf(window, 30, 56)));
    EXPECT_EQ(ColourText(kBlue), ColourText(PixelOf(window, 120, 56)));
    EXPECT_EQ(ColourText(kBlack), ColourText(PixelOf(window, 76, 90)));
}

TEST_F(PhotoSlideshowTest, ThousandsOfPhotosLeaveObjectsHandlesAndMemoryFlat)
{
    AddPhoto("solid_0.png");
    AddPhoto("scene.png");
    AddPhoto("corrupt.png");
    UsePhotos(1);
    HWND window = StartShow(1);
    ASSERT_NE(nullptr, window);
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(Tick(window));
    SIZE_T memoryBefore = PrivateBytes();
    ULONG_PTR handleBefore = NextHandleValue(), gdiBefore = NextGdiSlot();
    for (int i = 0; i < 2000; ++i)
        ASSERT_TRUE(Tick(window)) << "tick " << i;
    SIZE_T memoryAfter = PrivateBytes();
    EXPECT_LT(NextGdiSlot(), gdiBefore + 16) << "next GDI slot before " << gdiBefore;
    EXPECT_LT(NextHandleValue(), handleBefore + 16 * 4) << "next handle value before " << handleBefore;
    EXPECT_LT(memoryAfter, memoryBefore + 4 * 1024 * 1024) << "private bytes " << memoryBefore << " -> " << memoryAfter;
}

// The crossfade: between two ticks' photos the screen shows blends of both,
// never black, then the new photo; a key during the fade ends the saver.
TEST_F(PhotoSlideshowTest, TheCrossfadeBlendsTheOldPhotoIntoTheNewWithoutBlack)
{
    AddPhoto("solid_0.png");
    AddPhoto("solid_2.png");
    UsePhotos(1);
    WriteNumber(HKEY_CURRENT_USER, kSettingsKey, "Transition", 1);
    HWND window = StartShow(1);
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(PumpUntil([] { return !CrossfadeUnderWay(); }, 5000)) << "the first photo fades in";
    COLORREF before = PixelOf(window, 320, 240);
    LONG style = WipeStyle;
    ASSERT_TRUE(Tick(window));
    ASSERT_TRUE(CrossfadeUnderWay());
    int blends = 0, blacks = 0;
    PumpUntil([&] {
        COLORREF now = PixelOf(window, 320, 240);
        blacks += now == kBlack;
        blends += GetRValue(now) > 8 && GetBValue(now) > 8;
        return !CrossfadeUnderWay();
    }, 5000);
    EXPECT_FALSE(CrossfadeUnderWay()) << "the fade ends after about a second";
    COLORREF after = PixelOf(window, 320, 240);
    EXPECT_NE(ColourText(before), ColourText(after));
    EXPECT_TRUE(after == kRed || after == kBlue) << ColourText(after);
    EXPECT_GE(blends, 1) << "frames mixing red and blue";
    EXPECT_EQ(0, blacks) << "black frames in between";
    EXPECT_EQ(style, WipeStyle) << "no wipe";

    ASSERT_TRUE(Tick(window));
    ASSERT_TRUE(CrossfadeUnderWay());
    SendMessageA(window, WM_KEYDOWN, 'Q', 0);
    EXPECT_TRUE(TakeClose()) << "a key during the fade ends the saver";
}

}  // namespace
