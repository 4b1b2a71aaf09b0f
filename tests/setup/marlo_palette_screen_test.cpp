// MARLO.EXE on the 8-bit palette screen, where Wine gives no count of static
// colours and the picture cannot load: the dialogs still appear and work.
// (What the view shows there is checked in-process, where its DC can be read.)
#include <gtest/gtest.h>

#include <windows.h>

#include "marlo_process.h"
#include "test_support.h"

using namespace vrxtest;
using namespace marlotest;

TEST(MarloPaletteScreen, ViewStaysBlackAndTheOptionsDialogStillAppears)
{
    ASSERT_EQ(8, ScreenDepth()) << "this test belongs to the 8-bit screen";
    HDC screen = GetDC(NULL);
    int rasterCaps = GetDeviceCaps(screen, RASTERCAPS);
    ReleaseDC(NULL, screen);
    ASSERT_TRUE(rasterCaps & RC_PALETTE) << "the 8-bit screen is no palette device";

    MarloProcess marlo;
    ASSERT_TRUE(marlo.Start());
    HWND options = marlo.WaitDialog(kFrameTitle);
    ASSERT_TRUE(options != NULL) << "the options dialog did not appear";
    EXPECT_EQ(BST_CHECKED, SendMessageA(GetDlgItem(options, 1000), BM_GETCHECK, 0, 0));
    EXPECT_TRUE(marlo.View() != NULL) << "the frame has no view";
    Click(options, IDCANCEL);
    HWND exitDlg = marlo.WaitDialog(kExitTitle);
    ASSERT_TRUE(exitDlg != NULL) << "the exit dialog did not appear";
    Click(exitDlg, IDCANCEL);
    EXPECT_EQ(0u, marlo.WaitExit());
}
