// The harness's second layout: a 640 x 480 primary monitor with a 480 x 800
// one, taller than wide, to its right. Wine reports both at their sizes, and
// the full-screen saver covers the portrait one with its blanking window.
#include "monitor_test_support.h"

#include <string>
#include <vector>

using namespace vrxtest;
using namespace monitortest;

namespace {

class PortraitMonitorTest : public SaverWindowTest {
protected:
    void TearDown() override
    {
        if (document_)
            DestroyWindow(document_);
        SaverWindowTest::TearDown();
    }
    HWND document_ = NULL;
};

TEST_F(PortraitMonitorTest, WineReportsBothMonitorsAndThePortraitOneIsCovered)
{
    ASSERT_EQ(2, GetSystemMetrics(SM_CMONITORS)) << "the portrait layout of the harness is not in use";
    EXPECT_EQ(640, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(480, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(1120, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(800, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    std::vector<RECT> others = OtherMonitors();
    ASSERT_EQ(1u, others.size());
    const RECT portrait = others[0];
    ASSERT_EQ("640,0-1120,800", RectText(portrait)) << "480 x 800 to the right of the primary";

    POINT low = {portrait.left + 240, portrait.bottom - 20};  // below the primary's height
    document_ = ShowWhiteWindow(portrait);
    ASSERT_TRUE(ScreenShows(low, kWhite)) << "the document is not on the portrait monitor";
    ASSERT_NE(nullptr, CreateFullScreen());
    std::vector<HWND> blanking = BlankingWindowsOfThread();
    ASSERT_EQ(1u, blanking.size());
    RECT cover;
    GetWindowRect(blanking[0], &cover);
    EXPECT_EQ(RectText(portrait), RectText(cover));
    for (POINT p : {POINT{portrait.left, portrait.top}, low, POINT{portrait.right - 1, portrait.bottom - 1}})
        EXPECT_TRUE(ScreenShows(p, kBlack)) << "screen pixel " << p.x << ", " << p.y << " is " << std::hex
                                            << ScreenPixel(p.x, p.y);
}

}  // namespace
