// The real MARLO.EXE driven from outside: its full-screen frame, the
// background on black, the options and exit dialogs and the way to the
// destination dialog, read back byte for byte.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "marlo_process.h"
#include "test_support.h"

using namespace vrxtest;
using namespace marlotest;

namespace {

const DWORD kTimedOut = 0xDEADBEEF;

// The background picture as the build generated it: 8-bit, bottom-up.
struct Background {
    std::vector<BYTE> file;
    const BITMAPINFOHEADER* info() const
    {
        return reinterpret_cast<const BITMAPINFOHEADER*>(file.data() + sizeof(BITMAPFILEHEADER));
    }
    COLORREF At(int x, int y) const
    {
        const BITMAPFILEHEADER* fh = reinterpret_cast<const BITMAPFILEHEADER*>(file.data());
        const RGBQUAD* table = reinterpret_cast<const RGBQUAD*>(file.data() + sizeof(BITMAPFILEHEADER) + 40);
        int row = (info()->biWidth + 3) & ~3;
        BYTE index = file[fh->bfOffBits + (size_t)(info()->biHeight - 1 - y) * row + x];
        return RGB(table[index].rgbRed, table[index].rgbGreen, table[index].rgbBlue);
    }
};

Background LoadBackground()
{
    Background b;
    b.file = ReadFileBytes(JoinPath(JoinPath(BuildDirectory(), "setup"), "background.bmp"));
    return b;
}

class MarloProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FileExists(MarloPath())) << "no " << MarloPath();
        ASSERT_TRUE(marlo_.Start()) << "MARLO.EXE did not start";
        options_ = marlo_.WaitDialog(kFrameTitle);
        ASSERT_TRUE(options_ != NULL) << "the options dialog did not appear";
    }

    // Ends a run that is still at the options dialog: "Sortir" twice.
    void QuitFromOptions()
    {
        Click(options_, IDCANCEL);
        HWND exitDlg = marlo_.WaitDialog(kExitTitle);
        ASSERT_TRUE(exitDlg != NULL) << "no exit dialog after \"Sortir\"";
        Click(exitDlg, IDCANCEL);
        EXPECT_EQ(0u, marlo_.WaitExit()) << "exit code after \"Sortir\" twice";
    }

    MarloProcess marlo_;
    HWND options_ = NULL;
};

TEST_F(MarloProcessTest, FrameCoversTheScreenWithAFixedTitleAndIsDisabledUnderTheDialogs)
{
    HWND frame = marlo_.Frame();
    ASSERT_TRUE(frame != NULL) << "no frame titled \"" << kFrameTitle << "\"";
    EXPECT_EQ(frame, GetWindow(options_, GW_OWNER)) << "the options dialog is not owned by the frame";
    RECT rect;
    GetWindowRect(frame, &rect);
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), rect.right) << "frame width";
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), rect.bottom) << "frame height";
    LONG style = GetWindowLongA(frame, GWL_STYLE);
    EXPECT_EQ(0x12080000, style & 0x12080000) << std::hex << "style " << style;
    EXPECT_EQ(0, style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) << std::hex << "style " << style;
    EXPECT_EQ(0, GetWindowLongA(frame, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE) << "extended style";
    EXPECT_FALSE(IsWindowEnabled(frame)) << "the frame is enabled while the options dialog is up";

    Click(options_, IDCANCEL);
    HWND exitDlg = marlo_.WaitDialog(kExitTitle);
    ASSERT_TRUE(exitDlg != NULL);
    EXPECT_FALSE(IsWindowEnabled(frame)) << "the frame is enabled while the exit dialog is up";
    EXPECT_EQ(std::string(kFrameTitle), WindowText(frame)) << "the title changed";
    Click(exitDlg, IDCANCEL);
    EXPECT_EQ(0u, marlo_.WaitExit());
}

TEST_F(MarloProcessTest, OptionsDialogShowsItsTextsWithBothBoxesTicked)
{
    EXPECT_EQ(std::string(kFrameTitle), WindowText(options_));
    EXPECT_EQ("OK", ItemText(options_, IDOK));
    EXPECT_EQ("Sortir", ItemText(options_, IDCANCEL));
    EXPECT_EQ("Inst. \xE9" "conom. \xE9" "cran", ItemText(options_, 1000));
    EXPECT_EQ("Inst. config. son", ItemText(options_, 1001));
    EXPECT_EQ(BST_CHECKED, SendMessageA(GetDlgItem(options_, 1000), BM_GETCHECK, 0, 0)) << "box 1000";
    EXPECT_EQ(BST_CHECKED, SendMessageA(GetDlgItem(options_, 1001), BM_GETCHECK, 0, 0)) << "box 1001";
    EXPECT_EQ((LONG)(DS_MODALFRAME | WS_CAPTION | WS_SYSMENU | WS_POPUP),
              GetWindowLongA(options_, GWL_STYLE) & (DS_MODALFRAME | WS_CAPTION | WS_SYSMENU | WS_POPUP));
    QuitFromOptions();
}

TEST_F(MarloProcessTest, BackgroundIsCentredInTheViewOverBlack)
{
    ASSERT_GT(ScreenDepth(), 8) << "the screen's DC of the palette screen reads black";
    Background picture = LoadBackground();
    ASSERT_EQ(308278u, picture.file.size()) << "size of the generated background";
    HWND view = marlo_.View();
    ASSERT_TRUE(view != NULL) << "the frame has no view";
    RECT client;
    GetClientRect(view, &client);
    int x0 = (client.right - 640) / 2, y0 = (client.bottom - 480) / 2;
    RECT dialog;
    GetWindowRect(options_, &dialog);
    MapWindowPoints(NULL, view, reinterpret_cast<POINT*>(&dialog), 2);

    int checked = 0;
    for (int y = 2; y < client.bottom; y += 37) {
        for (int x = 3; x < client.right; x += 41) {
            POINT p = {x, y};
            if (PtInRect(&dialog, p))
                continue;
            int px = x - x0, py = y - y0;
            COLORREF expected = (px >= 0 && px < 640 && py >= 0 && py < 480) ? picture.At(px, py) : RGB(0, 0, 0);
            COLORREF got = ScreenPixelOf(view, x, y);
            ASSERT_TRUE(Near(expected, got, 8)) << "view pixel (" << x << ", " << y << "): expected " << std::hex
                                                << expected << ", got " << got;
            checked++;
        }
    }
    EXPECT_GT(checked, 50) << "too few pixels outside the dialog";
    QuitFromOptions();
}

TEST_F(MarloProcessTest, OkWithBothBoxesClearedEndsAtOnce)
{
    Click(options_, 1000);
    Click(options_, 1001);
    ASSERT_TRUE(PumpUntil([&] {
        return SendMessageA(GetDlgItem(options_, 1000), BM_GETCHECK, 0, 0) == BST_UNCHECKED &&
               SendMessageA(GetDlgItem(options_, 1001), BM_GETCHECK, 0, 0) == BST_UNCHECKED;
    }, 5000)) << "the boxes did not clear";
    Click(options_, IDOK);
    HWND destination = NULL;
    PumpUntil([&] {
        destination = FindProcessWindow(marlo_.Child().Id(), "#32770", NULL);
        return !marlo_.Child().Running() || (destination && destination != options_);
    }, 10000);
    EXPECT_TRUE(destination == NULL || destination == options_)
        << "a dialog titled \"" << WindowText(destination) << "\" appeared";
    EXPECT_EQ(0u, marlo_.WaitExit());
}

TEST_F(MarloProcessTest, SortirTwiceEndsWithoutTheDestinationDialog)
{
    Click(options_, IDCANCEL);
    HWND exitDlg = marlo_.WaitDialog(kExitTitle);
    ASSERT_TRUE(exitDlg != NULL);
    EXPECT_EQ("Installer", ItemText(exitDlg, IDOK));
    EXPECT_EQ("Sortir", ItemText(exitDlg, IDCANCEL));
    HWND text = FindWindowExA(exitDlg, NULL, "Static", NULL);
    ASSERT_TRUE(text != NULL);
    EXPECT_EQ("Un ou plusieurs \xE9l\xE9ments non install\xE9s. Pour poursuivre inst., cliquez Install, sinon "
              "cliquez SORTIR. Vous pouvez ex\xE9" "cuter cette application \xE0 nouveau pour poursuivre inst..",
              WindowText(text));
    Click(exitDlg, IDCANCEL);
    EXPECT_EQ(0u, marlo_.WaitExit());
    EXPECT_TRUE(FindProcessWindow(marlo_.Child().Id(), "#32770", kDestinationTitle) == NULL);
}

TEST_F(MarloProcessTest, EscapeInTheOptionsDialogActsAsSortir)
{
    PostMessageA(options_, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    HWND exitDlg = marlo_.WaitDialog(kExitTitle);
    ASSERT_TRUE(exitDlg != NULL) << "Escape did not lead to the exit dialog";
    EXPECT_TRUE(WaitGone(options_)) << "the options dialog stayed";
    PostMessageA(exitDlg, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    EXPECT_EQ(0u, marlo_.WaitExit()) << "Escape in the exit dialog did not end the program";
}

TEST_F(MarloProcessTest, InstallerInTheExitDialogGoesOnToThePresetDestination)
{
    Click(options_, 1000);  // cleared before "Sortir": both are installed all the same
    Click(options_, IDCANCEL);
    HWND exitDlg = marlo_.WaitDialog(kExitTitle);
    ASSERT_TRUE(exitDlg != NULL);
    // Enter is the default button, "Installer".
    PostMessageA(exitDlg, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    HWND destination = marlo_.WaitDialog(kDestinationTitle);
    ASSERT_TRUE(destination != NULL) << "no destination dialog after \"Installer\"";
    EXPECT_EQ("C:\\VRX2 Screen Saver", ItemText(destination, 1002));
    EXPECT_EQ("Installer", ItemText(destination, IDOK));
    EXPECT_EQ("Sortir", ItemText(destination, IDCANCEL));
    EXPECT_EQ("Parcourir", ItemText(destination, 1003));
    HWND text = FindWindowExA(destination, NULL, "Static", NULL);
    ASSERT_TRUE(text != NULL);
    EXPECT_EQ("Entrez r\xE9pertoire des destinations des fichiers \xE9" "conomiseur d'\xE9" "cran VRX2.",
              WindowText(text));
    DWORD selection = (DWORD)SendMessageA(GetDlgItem(destination, 1002), EM_GETSEL, 0, 0);
    EXPECT_EQ(0u, LOWORD(selection)) << "selection start";
    EXPECT_EQ(20u, HIWORD(selection)) << "selection end: the whole preset is selected";
    EXPECT_EQ(260, (int)SendMessageA(GetDlgItem(destination, 1002), EM_GETLIMITTEXT, 0, 0));

    // "Sortir", then "Installer" again: back with the text unchanged.
    Click(destination, IDCANCEL);
    exitDlg = marlo_.WaitDialog(kExitTitle);
    ASSERT_TRUE(exitDlg != NULL) << "no exit dialog from the destination dialog";
    EXPECT_EQ(GetWindow(exitDlg, GW_OWNER), destination) << "the exit dialog is not owned by the destination dialog";
    Click(exitDlg, IDOK);
    ASSERT_TRUE(WaitGone(exitDlg));
    EXPECT_TRUE(IsWindow(destination)) << "the destination dialog closed";
    EXPECT_EQ("C:\\VRX2 Screen Saver", ItemText(destination, 1002));

    Click(destination, IDCANCEL);
    exitDlg = marlo_.WaitDialog(kExitTitle);
    ASSERT_TRUE(exitDlg != NULL);
    Click(exitDlg, IDCANCEL);
    EXPECT_EQ(0u, marlo_.WaitExit()) << "\"Sortir\" twice from the destination dialog";
}

TEST_F(MarloProcessTest, AboutCommandReachesTheApplicationAndShowsTheAboutBox)
{
    HWND frame = marlo_.Frame();
    ASSERT_TRUE(frame != NULL);
    // The command travels frame -> view -> document -> application.
    PostMessageA(frame, WM_COMMAND, MAKEWPARAM(57664, 0), 0);
    HWND about = marlo_.WaitDialog("About Marlo");
    ASSERT_TRUE(about != NULL) << "no About dialog";
    HWND label = FindWindowExA(about, NULL, "Static", "Kestrova 2 Setup");
    EXPECT_TRUE(label != NULL) << "no \"Kestrova 2 Setup\" text";
    EXPECT_EQ("OK", ItemText(about, IDOK));
    Click(about, IDOK);
    EXPECT_TRUE(WaitGone(about)) << "OK did not close the About box";
    EXPECT_TRUE(IsWindow(options_)) << "the options dialog went with the About box";
    QuitFromOptions();
}

}  // namespace
