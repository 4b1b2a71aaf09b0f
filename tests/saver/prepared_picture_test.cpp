// PreparePicture called in this process on the photos the build writes
// (<build>/tests/photos): formats, orientations, fit rules, the averaging
// reduction and smooth enlargement, bad files, cancelling, the
// OleLoadPicture path, and what a long run leaves behind.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "imaging_runtime.h"
#include "prepared_picture.h"
#include "test_support.h"

using namespace vrxtest;

namespace {

const DWORD kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF, kBlack = 0;

std::string PhotoPath(const std::string& name)
{
    return JoinPath(JoinPath(BuildDirectory(), "tests\\photos"), name);
}

std::string Hex(DWORD colour)
{
    char text[16];
    wsprintfA(text, "%06X", colour & 0xFFFFFF);
    return text;
}

bool Near(DWORD expected, DWORD got, int tolerance)
{
    for (int shift = 0; shift < 24; shift += 8) {
        int a = (expected >> shift) & 0xFF, b = (got >> shift) & 0xFF;
        if (a - b > tolerance || b - a > tolerance)
            return false;
    }
    return true;
}

std::string Place(const PreparedPicture& p)
{
    std::ostringstream text;
    text << p.x << "," << p.y << " " << p.width << "x" << p.height;
    return text.str();
}

class PreparedPictureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(StartImagingOnThread());
        PrepareThroughOlePicture = 0;
        PreparePhaseDone = NULL;
    }
    void TearDown() override
    {
        PrepareThroughOlePicture = 0;
        PreparePhaseDone = NULL;
        ReleasePreparedPicture(&picture_);
        EndImagingOnThread();
    }

    PrepareResult Prepare(const std::string& path, LONG width, LONG height, BOOL keep = FALSE, BOOL full = FALSE,
                          volatile LONG* cancel = NULL)
    {
        ReleasePreparedPicture(&picture_);
        PictureFit fit = {width, height, keep, full};
        volatile LONG notCancelled = 0;
        return PreparePicture(path.c_str(), &fit, cancel ? cancel : &notCancelled, &picture_);
    }

    DWORD At(LONG x, LONG y) const { return picture_.pixels[y * picture_.width + x] & 0xFFFFFF; }

    // Empty when the picture is the 64 x 48 scene at its own size with the
    // four colours at the centres of its quadrants, else what is wrong.
    std::string SceneMismatch(DWORD topLeft, DWORD topRight, DWORD bottomLeft, DWORD bottomRight, int tolerance)
    {
        if (!picture_.pixels || picture_.width != 64 || picture_.height != 48)
            return "expected 64x48 pixels, got " + Place(picture_) + (picture_.pixels ? "" : " without pixels");
        const DWORD expected[4] = {topLeft, topRight, bottomLeft, bottomRight};
        const LONG xs[4] = {16, 48, 16, 48}, ys[4] = {12, 12, 36, 36};
        std::string wrong;
        for (int q = 0; q < 4; ++q)
            if (!Near(expected[q], At(xs[q], ys[q]), tolerance))
                wrong += " at " + std::to_string(xs[q]) + "," + std::to_string(ys[q]) + " expected " +
                         Hex(expected[q]) + " got " + Hex(At(xs[q], ys[q]));
        return wrong;
    }

    PreparedPicture picture_ = {};
};

TEST_F(PreparedPictureTest, EachFormatShowsTheSceneWithItsColoursInPlace)
{
    const char* scenes[] = {"scene_baseline.jpg", "scene_progressive.jpg", "scene.png",      "scene.tif",
                            "scene_rle8.bmp",     "scene_rle4.bmp",        "scene_4bit.bmp", "scene_topdown.bmp"};
    for (const char* name : scenes) {
        ASSERT_EQ(PREPARE_OK, Prepare(PhotoPath(name), 640, 480)) << name;
        EXPECT_EQ("288,216 64x48", Place(picture_)) << name;
        EXPECT_EQ("", SceneMismatch(kRed, kGreen, kBlue, kWhite, 8)) << name;
    }
    ASSERT_EQ(PREPARE_OK, Prepare(PhotoPath("checker_1bit.bmp"), 640, 480));
    EXPECT_EQ("", SceneMismatch(kBlack, kWhite, kWhite, kBlack, 0)) << "checker_1bit.bmp";
}

TEST_F(PreparedPictureTest, TwoFrameGifAndTwoPageTiffShowTheirFirst)
{
    for (const char* name : {"scene_two_frames.gif", "scene_two_pages.tif"}) {
        ASSERT_EQ(PREPARE_OK, Prepare(PhotoPath(name), 640, 480)) << name;
        EXPECT_EQ("", SceneMismatch(kRed, kGreen, kBlue, kWhite, 0)) << name;
    }
}

TEST_F(PreparedPictureTest, EveryExifOrientationComesOutUpright)
{
    for (int n = 1; n <= 8; ++n) {
        for (const char* extension : {".jpg", ".tif"}) {
            std::string name = "orientation_" + std::to_string(n) + extension;
            ASSERT_EQ(PREPARE_OK, Prepare(PhotoPath(name), 640, 480)) << name;
            EXPECT_EQ("", SceneMismatch(kRed, kGreen, kBlue, kWhite, 8)) << name;
        }
    }
}

TEST_F(PreparedPictureTest, KeptProportionsLetterboxTheScene)
{
    struct Case {
        LONG width, height;
        BOOL fullscreen;
        const char* place;
    } cases[] = {
        {32, 32, FALSE, "0,4 32x24"},       // larger than the area: reduced inside it
        {64, 100, FALSE, "0,26 64x48"},     // fits: its own size, centred
        {201, 100, FALSE, "68,26 64x48"},   // centred, rounding down
        {320, 320, TRUE, "0,40 320x240"},   // enlarged to fit, bars above and below
        {400, 150, TRUE, "100,0 200x150"},  // enlarged to fit, bars left and right
    };
    for (const Case& c : cases) {
        ASSERT_EQ(PREPARE_OK, Prepare(PhotoPath("scene.png"), c.width, c.height, TRUE, c.fullscreen));
        EXPECT_EQ(c.place, Place(picture_)) << "area " << c.width << "x" << c.height << " fullscreen " << c.fullscreen;
        EXPECT_EQ(kRed, At(picture_.width / 4, picture_.height / 4));
        EXPECT_EQ(kWhite, At(picture_.width * 3 / 4, picture_.height * 3 / 4));
    }
}

TEST_F(PreparedPictureTest, WithoutProportionsTheBitmapRulesApply)
{
    struct Case {
        LONG width, height;
        BOOL fullscreen;
        const char* place;
    } cases[] = {
        {100, 40, FALSE, "0,0 100x40"},  // higher than the area: stretched over it
        {201, 77, FALSE, "68,14 64x48"}, // smaller: centred at its own size
        {201, 77, TRUE, "0,0 201x77"},   // fullscreen: stretched over the area
    };
    for (const Case& c : cases) {
        ASSERT_EQ(PREPARE_OK, Prepare(PhotoPath("scene.png"), c.width, c.height, FALSE, c.fullscreen));
        EXPECT_EQ(c.place, Place(picture_)) << "area " << c.width << "x" << c.height << " fullscreen " << c.fullscreen;
        EXPECT_EQ(kGreen, At(picture_.width * 3 / 4, picture_.height / 4));
        EXPECT_EQ(kBlue, At(picture_.width / 4, picture_.height * 3 / 4));
    }
}

TEST_F(PreparedPictureTest, StripesReducedFourToOneAreAnEvenGrey)
{
    ASSERT_EQ(PREPARE_OK, Prepare(PhotoPath("stripes_1280x256.png"), 320, 240, TRUE));
    ASSERT_EQ("0,88 320x64", Place(picture_));
    int wrong = 0;
    std::string first;
    for (LONG y = 0; y < picture_.height; ++y)
        for (LONG x = 0; x < picture_.width; ++x)
            if (!Near(0x808080, At(x, y), 3) && wrong++ == 0)
                first = std::to_string(x) + "," + std::to_string(y) + " is " + Hex(At(x, y));
    EXPECT_EQ(0, wrong) << "pixels other than 808080 +-3, the first at " << first;
}

TEST_F(PreparedPictureTest, EnlargementRisesSmoothlyWithoutSteps)
{
    // Black and white halves of 8 x 8 made 256 x 256: each source pixel
    // spans 32, so the edge rises over about 32 pixels.
    ASSERT_EQ(PREPARE_OK, Prepare(PhotoPath("edge_8x8.png"), 256, 256, TRUE, TRUE));
    ASSERT_EQ("0,0 256x256", Place(picture_));
    int largestStep = 0, between = 0;
    for (LONG x = 1; x < 256; ++x) {
        int left = At(x - 1, 100) & 0xFF, here = At(x, 100) & 0xFF;
        largestStep = here - left > largestStep ? here - left : largestStep;
        EXPECT_GE(here, left) << "the row falls at " << x;
        between += here > 16 && here < 240;
    }
    EXPECT_EQ(0u, At(0, 100));
    EXPECT_EQ(kWhite, At(255, 100));
    EXPECT_LE(largestStep, 12) << "the largest step between neighbours";
    EXPECT_GE(between, 24) << "pixels between black and white";
}

TEST_F(PreparedPictureTest, TransparentPixelsLieOverBlack)
{
    ASSERT_EQ(PREPARE_OK, Prepare(PhotoPath("scene_alpha.png"), 640, 480));
    EXPECT_EQ("", SceneMismatch(kRed, 0x008000, kBlack, kWhite, 2));
}

TEST_F(PreparedPictureTest, BadFilesAreUnreadable)
{
    for (const char* name : {"truncated.jpg", "corrupt.png", "empty.jpg", "text.png", "missing.jpg"}) {
        EXPECT_EQ(PREPARE_UNREADABLE, Prepare(PhotoPath(name), 640, 480)) << name;
        EXPECT_EQ(nullptr, picture_.pixels) << name;
    }
}

int StepsReported = 0;
void CountStep(PreparePhase)
{
    ++StepsReported;
}

TEST_F(PreparedPictureTest, PictureNeedingMoreThan256MegabytesIsTooLarge)
{
    StepsReported = 0;
    PreparePhaseDone = CountStep;
    EXPECT_EQ(PREPARE_TOO_LARGE, Prepare(PhotoPath("huge_20000x20000.png"), 1920, 1080, TRUE));
    EXPECT_EQ(nullptr, picture_.pixels);
    // Refused from its header: no decoder was opened.
    EXPECT_EQ(0, StepsReported) << "steps reported";
}

volatile LONG* CancelAfterFirstBand = NULL;
int BandsDecoded = 0;
void CancelOnFirstBand(PreparePhase finished)
{
    if (finished == PREPARE_PHASE_DECODE && ++BandsDecoded == 1)
        *CancelAfterFirstBand = 1;
}

TEST_F(PreparedPictureTest, CancelStopsAtTheNextBand)
{
    volatile LONG cancel = 1;
    EXPECT_EQ(PREPARE_CANCELLED, Prepare(PhotoPath("scene.png"), 640, 480, FALSE, FALSE, &cancel));
    EXPECT_EQ(nullptr, picture_.pixels);

    cancel = 0;
    CancelAfterFirstBand = &cancel;
    BandsDecoded = 0;
    PreparePhaseDone = CancelOnFirstBand;
    EXPECT_EQ(PREPARE_CANCELLED, Prepare(PhotoPath("stripes_1280x256.png"), 320, 240, TRUE, FALSE, &cancel));
    EXPECT_EQ(1, BandsDecoded) << "bands decoded after the cancel";
    EXPECT_EQ(nullptr, picture_.pixels);
}

TEST_F(PreparedPictureTest, OlePicturePathDecodesJpegAndGif)
{
    PrepareThroughOlePicture = 1;
    for (const char* name : {"scene_baseline.jpg", "scene_two_frames.gif", "orientation_6.jpg"}) {
        ASSERT_EQ(PREPARE_OK, Prepare(PhotoPath(name), 640, 480)) << name;
        EXPECT_EQ("", SceneMismatch(kRed, kGreen, kBlue, kWhite, 8)) << name;
    }
    EXPECT_EQ(PREPARE_UNREADABLE, Prepare(PhotoPath("scene.png"), 640, 480)) << "a PNG, which it does not read";
    EXPECT_EQ(PREPARE_UNREADABLE, Prepare(PhotoPath("truncated.jpg"), 640, 480));
}

// Wine answers 0 to GetGuiResources and GetProcessHandleCount: a kept kernel
// handle shows as the next handle value climbing, a kept GDI object as the
// next GDI slot climbing.
TEST_F(PreparedPictureTest, HundredsOfPreparationsKeepNoObjectHandleOrMemory)
{
    std::string scratch = MakeScratchDirectory("prepared_leaks");
    std::vector<std::string> files;
    for (const char* name : {"scene_baseline.jpg", "scene.png", "scene_two_frames.gif", "scene.tif",
                             "truncated.jpg", "corrupt.png"}) {
        files.push_back(JoinPath(scratch, name));
        CopyFileTo(PhotoPath(name), files.back());
    }
    auto round = [&](int count) {
        for (int i = 0; i < count; ++i) {
            PrepareThroughOlePicture = (i / files.size()) % 3 == 2;
            Prepare(files[i % files.size()], 320, 240, TRUE, TRUE);
        }
        PrepareThroughOlePicture = 0;
        ReleasePreparedPicture(&picture_);
    };
    round(60);
    SIZE_T memoryBefore = PrivateBytes();
    ULONG_PTR handleBefore = NextHandleValue(), gdiBefore = NextGdiSlot();
    round(600);
    SIZE_T memoryAfter = PrivateBytes();
    EXPECT_LT(memoryAfter, memoryBefore + 2 * 1024 * 1024)
        << "private bytes before " << memoryBefore << ", after " << memoryAfter;
    EXPECT_LT(NextHandleValue(), handleBefore + 16 * 4) << "next handle value before " << handleBefore;
    EXPECT_LT(NextGdiSlot(), gdiBefore + 16) << "next GDI slot before " << gdiBefore;
    for (const std::string& file : files)
        EXPECT_TRUE(DeleteFileA(file.c_str())) << file << " is still open, error " << GetLastError();
    RemoveTree(scratch);
}

// A deterministic stream of mutations: bytes replaced, runs zeroed, the
// end cut, sizes in headers made huge.
class Mutator {
public:
    explicit Mutator(unsigned seed) : state_(seed) {}
    unsigned Next(unsigned below)
    {
        state_ = state_ * 1103515245u + 12345u;
        return (state_ >> 8) % below;
    }
    std::vector<BYTE> Mutate(const std::vector<BYTE>& original)
    {
        std::vector<BYTE> bytes = original;
        int edits = 1 + Next(6);
        for (int e = 0; e < edits && !bytes.empty(); ++e) {
            size_t at = Next(static_cast<unsigned>(bytes.size()));
            switch (Next(5)) {
            case 0: bytes[at] = static_cast<BYTE>(Next(256)); break;
            case 1: bytes[at] ^= static_cast<BYTE>(1u << Next(8)); break;
            case 2: for (size_t n = at; n < bytes.size() && n < at + 1 + Next(16); ++n) bytes[n] = 0; break;
            case 3: bytes.resize(at); break;
            default: for (size_t n = at; n < bytes.size() && n < at + 4; ++n) bytes[n] = 0xFF; break;
            }
        }
        return bytes;
    }

private:
    unsigned state_;
};

TEST_F(PreparedPictureTest, MutatedPhotosNeverCrashOrHang)
{
    std::string scratch = MakeScratchDirectory("prepared_mutations");
    const char* seeds[] = {"scene_baseline.jpg", "scene_progressive.jpg", "scene.png", "scene_two_frames.gif"};
    Mutator mutator(19);
    int counts[4] = {};
    for (int i = 0; i < 2400; ++i) {
        const char* seed = seeds[i % 4];
        std::vector<BYTE> bytes = mutator.Mutate(ReadFileBytes(PhotoPath(seed)));
        std::string path = JoinPath(scratch, std::string("mutated_") + seed);
        WriteFileBytes(path, bytes.data(), bytes.size());
        PrepareThroughOlePicture = i % 8 == 7;
        PrepareResult result = Prepare(path, 160, 120, TRUE, TRUE);
        ASSERT_TRUE(result == PREPARE_OK || result == PREPARE_UNREADABLE || result == PREPARE_TOO_LARGE)
            << "result " << result << " for mutation " << i << " of " << seed;
        ++counts[result];
        if (result == PREPARE_OK) {
            ASSERT_NE(nullptr, picture_.pixels) << "mutation " << i;
            ASSERT_TRUE(picture_.x >= 0 && picture_.y >= 0 && picture_.x + picture_.width <= 160 &&
                        picture_.y + picture_.height <= 120)
                << "mutation " << i << " placed at " << Place(picture_);
        } else {
            ASSERT_EQ(nullptr, picture_.pixels) << "mutation " << i;
        }
    }
    EXPECT_GT(counts[PREPARE_OK], 0) << "no mutation was still readable";
    EXPECT_GT(counts[PREPARE_UNREADABLE], 0) << "every mutation was readable";
    RemoveTree(scratch);
}

}  // namespace
