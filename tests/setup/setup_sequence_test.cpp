// The setup sequence in-process: the real frame and view created through the
// template, the first tick or Escape starting the sequence, the dialogs driven
// from a timer, and the installation run's arguments recorded.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "background_picture.h"
#include "dialog_script.h"
#include "dib_image.h"
#include "setup_fixture.h"
#include "test_support.h"

using namespace setuptest;
using namespace vrxtest;

namespace {

const char kFrameTitle[] = "Economiseur d'\xE9" "cran VRX2";

std::string CurrentDirectory()
{
    char buffer[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(MAX_PATH, buffer);
    return std::string(buffer, n < MAX_PATH ? n : 0);
}

void SetEditText(HWND dialog, const std::string& text)
{
    SendMessageA(GetDlgItem(dialog, 1002), WM_SETTEXT, 0, (LPARAM)text.c_str());
}

class SetupSequenceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_installation = InstallationCall();
        start_ = CurrentDirectory();
        destination_ = MakeScratchDirectory("sequence-destination");
        view_ = OpenSetupWindow();
        ASSERT_TRUE(view_ != NULL) << "the template made no setup view";
    }
    void TearDown() override
    {
        script_.Stop();
        CloseSetupWindow();
        TakeQuitMessage();
        SetCurrentDirectoryA(start_.c_str());
        RemoveTree(destination_);
    }

    // Pumps until the sequence has posted its quit message. (A plain pump
    // would take the quit message and drop it.)
    bool RunUntilQuit(DWORD timeoutMs = 20000) { return PumpUntilQuit(timeoutMs, &quitCode_) != FALSE; }

    // Accepts the scratch destination in the destination dialog.
    void AcceptDestination()
    {
        std::string path = destination_;
        script_.OnDialog("Destination directory", [path](HWND dialog) { SetEditText(dialog, path); })
            .Click("Destination directory", IDOK);
    }

    std::string start_;
    std::string destination_;
    CMarloView* view_ = NULL;
    DialogScript script_;
    int quitCode_ = -1;
};

TEST_F(SetupSequenceTest, PaintBeforeTheFirstTickIsBlackAndClosingThenDeletesNothing)
{
    KillTimer(view_->GetSafeHwnd(), 12345);
    EXPECT_TRUE(g_pBackgroundImage == NULL) << "a picture object exists before the first tick";
    InvalidateRect(view_->GetSafeHwnd(), NULL, TRUE);
    UpdateWindow(view_->GetSafeHwnd());
    RECT client;
    GetClientRect(view_->GetSafeHwnd(), &client);
    for (int y = 0; y < client.bottom; y += client.bottom / 7 + 1)
        for (int x = 0; x < client.right; x += client.right / 9 + 1)
            ASSERT_TRUE(Near(RGB(0, 0, 0), PixelOf(view_->GetSafeHwnd(), x, y), 8))
                << "pixel (" << x << ", " << y << ") is " << std::hex << PixelOf(view_->GetSafeHwnd(), x, y);
    CloseSetupWindow();
    EXPECT_TRUE(g_pBackgroundImage == NULL);
    EXPECT_EQ(0, g_installation.calls);
}

TEST_F(SetupSequenceTest, FrameCoversTheScreenAndCarriesTheIcon)
{
    KillTimer(view_->GetSafeHwnd(), 12345);
    HWND frame = TestApp().m_pMainWnd->GetSafeHwnd();
    RECT rect;
    GetWindowRect(frame, &rect);
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), rect.right);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), rect.bottom);
    EXPECT_EQ(std::string(kFrameTitle), WindowText(frame));
    EXPECT_TRUE(GetClassLongPtrA(frame, GCLP_HICON) != 0) << "the frame's class has no icon";
    EXPECT_TRUE(SendMessageA(frame, WM_GETICON, ICON_SMALL, 0) != 0) << "the frame has no small icon";
    // The view fills the frame's client area.
    RECT frameClient, viewRect;
    GetClientRect(frame, &frameClient);
    GetWindowRect(view_->GetSafeHwnd(), &viewRect);
    EXPECT_EQ(frameClient.right, viewRect.right - viewRect.left);
    EXPECT_EQ(frameClient.bottom, viewRect.bottom - viewRect.top);
    EXPECT_EQ(0xE900, GetDlgCtrlID(view_->GetSafeHwnd()));
}

TEST_F(SetupSequenceTest, TheFrameTitleNeverTakesTheDocumentsName)
{
    KillTimer(view_->GetSafeHwnd(), 12345);
    HWND frame = TestApp().m_pMainWnd->GetSafeHwnd();
    CDocument* doc = view_->GetDocument();
    ASSERT_TRUE(doc != NULL) << "the view has no document";
    EXPECT_EQ(std::string("Marlo"), std::string(doc->GetTitle())) << "the new document's name";
    EXPECT_EQ(std::string(kFrameTitle), WindowText(frame));
    doc->SetTitle("Other.doc");
    EXPECT_EQ(std::string(kFrameTitle), WindowText(frame)) << "the document's name reached the title";
    // A second File New keeps the frame and its title.
    TestApp().OnFileNew();
    EXPECT_EQ(frame, TestApp().m_pMainWnd->GetSafeHwnd()) << "File New made another frame";
    EXPECT_EQ(std::string(kFrameTitle), WindowText(frame));
}

TEST_F(SetupSequenceTest, FirstTickShowsThePictureThenOkInstallsBothIntoTheAcceptedDirectory)
{
    bool sawPicture = false;
    int ticksDuringOptions = -1;
    script_.OnDialog(kFrameTitle, [&](HWND dialog) {
        ticksDuringOptions = view_->tickCount;
        sawPicture = g_pBackgroundImage && g_pBackgroundImage->GetBitmap() != NULL;
        EXPECT_EQ(BST_CHECKED, SendMessageA(GetDlgItem(dialog, 1000), BM_GETCHECK, 0, 0));
        EXPECT_EQ(BST_CHECKED, SendMessageA(GetDlgItem(dialog, 1001), BM_GETCHECK, 0, 0));
        EXPECT_EQ(TestApp().m_pMainWnd->GetSafeHwnd(), GetWindow(dialog, GW_OWNER));
        EXPECT_FALSE(IsWindowEnabled(TestApp().m_pMainWnd->GetSafeHwnd())) << "the frame is enabled";
    });
    script_.Click(kFrameTitle, IDOK);
    AcceptDestination();
    script_.Start();
    ASSERT_TRUE(RunUntilQuit()) << script_.Report();
    EXPECT_TRUE(script_.Failures().empty()) << script_.Report();
    EXPECT_EQ(0, quitCode_);
    EXPECT_TRUE(sawPicture) << "the picture was not loaded when the options dialog came up";
    EXPECT_EQ(0, ticksDuringOptions) << "the sequence runs inside the first tick";
    EXPECT_EQ(1, view_->tickCount);
    EXPECT_EQ(1, view_->m_optionsDlg.accepted);
    ASSERT_EQ(1, g_installation.calls);
    EXPECT_EQ(destination_, g_installation.destination);
    EXPECT_EQ(start_, g_installation.source) << "the source is the directory at the start";
    EXPECT_EQ(1, g_installation.installSaver);
    EXPECT_EQ(1, g_installation.installSound);
    EXPECT_EQ(destination_, CurrentDirectory()) << "the accepted directory is the current one";
    EXPECT_TRUE(IsWindowEnabled(TestApp().m_pMainWnd->GetSafeHwnd())) << "the frame stayed disabled";
    CloseSetupWindow();
    EXPECT_TRUE(g_pBackgroundImage == NULL) << "the picture outlived the view";
}

// The colour of the background resource at (x, y) from its top-left corner.
COLORREF BackgroundPixel(int x, int y)
{
    HRSRC found = FindResourceA(NULL, MAKEINTRESOURCEA(149), (LPCSTR)RT_BITMAP);
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(NULL, found)));
    const RGBQUAD* table = reinterpret_cast<const RGBQUAD*>(data + 40);
    const RGBQUAD& c = table[data[40 + 1024 + (size_t)(479 - y) * 640 + x]];
    return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
}

TEST_F(SetupSequenceTest, EveryPaintAfterTheLoadShowsThePictureCentredOnBlack)
{
    int checked = 0, wrong = 0;
    std::string firstWrong;
    script_.OnDialog(kFrameTitle, [&](HWND dialog) {
        HWND view = view_->GetSafeHwnd();
        // Scribble over the view, then let it repaint itself.
        HDC dc = GetDC(view);
        RECT client;
        GetClientRect(view, &client);
        FillRect(dc, &client, (HBRUSH)GetStockObject(WHITE_BRUSH));
        ReleaseDC(view, dc);
        InvalidateRect(view, NULL, TRUE);
        UpdateWindow(view);
        RECT box;
        GetWindowRect(dialog, &box);
        MapWindowPoints(NULL, view, reinterpret_cast<POINT*>(&box), 2);
        int left = (client.right - 640) / 2, top = (client.bottom - 480) / 2;
        for (int y = 1; y < client.bottom; y += 13) {
            for (int x = 2; x < client.right; x += 11) {
                POINT p = {x, y};
                if (PtInRect(&box, p))
                    continue;
                int px = x - left, py = y - top;
                COLORREF want = px >= 0 && px < 640 && py >= 0 && py < 480 ? BackgroundPixel(px, py) : RGB(0, 0, 0);
                COLORREF got = PixelOf(view, x, y);
                checked++;
                if (got != want && wrong++ == 0)
                    firstWrong = "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
            }
        }
    });
    script_.Click(kFrameTitle, IDCANCEL).Click("Sortir", IDCANCEL);
    script_.Start();
    ASSERT_TRUE(RunUntilQuit()) << script_.Report();
    EXPECT_GT(checked, 500);
    EXPECT_EQ(0, wrong) << "view pixels that are not the centred picture on black, first at " << firstWrong;
}

TEST_F(SetupSequenceTest, OkWithOneBoxClearedInstallsOnlyTheOther)
{
    script_.Click(kFrameTitle, 1001).Click(kFrameTitle, IDOK);
    AcceptDestination();
    script_.Start();
    ASSERT_TRUE(RunUntilQuit()) << script_.Report();
    ASSERT_EQ(1, g_installation.calls) << script_.Report();
    EXPECT_EQ(1, g_installation.installSaver);
    EXPECT_EQ(0, g_installation.installSound);
}

TEST_F(SetupSequenceTest, SortirKeepsThePresetChoicesAndInstallerInstallsBoth)
{
    int accepted = -1, saver = -1, sound = -1;
    script_.Click(kFrameTitle, 1000).Click(kFrameTitle, 1001).Click(kFrameTitle, IDCANCEL);
    script_.OnDialog("Sortir", [&](HWND) {
        accepted = view_->m_optionsDlg.accepted;
        saver = view_->m_optionsDlg.installSaver;
        sound = view_->m_optionsDlg.installSound;
    });
    script_.Click("Sortir", IDOK);
    script_.OnDialog("Destination directory", [](HWND dialog) {
        char text[64] = "";
        GetDlgItemTextA(dialog, 1002, text, sizeof text);
        EXPECT_STREQ("C:\\VRX2 Screen Saver", text);
    });
    AcceptDestination();
    script_.Start();
    ASSERT_TRUE(RunUntilQuit()) << script_.Report();
    EXPECT_EQ(0, accepted) << "accepted after \"Sortir\"";
    EXPECT_EQ(1, saver) << "installSaver after \"Sortir\" with the box cleared";
    EXPECT_EQ(1, sound) << "installSound after \"Sortir\" with the box cleared";
    ASSERT_EQ(1, g_installation.calls) << script_.Report();
    EXPECT_EQ(1, g_installation.installSaver);
    EXPECT_EQ(1, g_installation.installSound);
}

TEST_F(SetupSequenceTest, CancelInTheDestinationDialogInstallsNothing)
{
    script_.Click(kFrameTitle, IDOK).Click("Destination directory", IDCANCEL).Click("Sortir", IDCANCEL);
    script_.Start();
    ASSERT_TRUE(RunUntilQuit()) << script_.Report();
    EXPECT_TRUE(script_.Failures().empty()) << script_.Report();
    EXPECT_EQ(0, quitCode_);
    EXPECT_EQ(0, g_installation.calls);
    EXPECT_EQ(start_, CurrentDirectory()) << "a directory never accepted became current";
}

// A modal run that fails gives -1. Such a result ends the setup with nothing
// installed: the user has confirmed nothing, after "Sortir" not even to go on.
TEST_F(SetupSequenceTest, AnExitOrDestinationDialogThatFailsEndsTheSetupWithNothingInstalled)
{
    script_.Click(kFrameTitle, IDCANCEL).OnDialog("Sortir", [](HWND dialog) { EndDialog(dialog, -1); });
    script_.Start();
    ASSERT_TRUE(RunUntilQuit()) << script_.Report();
    EXPECT_TRUE(script_.Failures().empty()) << script_.Report();
    EXPECT_EQ(0, quitCode_);
    EXPECT_EQ(0, g_installation.calls) << "installed after the exit dialog failed";
    EXPECT_TRUE(OwnDialog("Destination directory") == NULL);
}

TEST_F(SetupSequenceTest, ADestinationDialogThatFailsEndsTheSetupWithNothingInstalled)
{
    script_.Click(kFrameTitle, IDOK).OnDialog("Destination directory", [](HWND dialog) { EndDialog(dialog, -1); });
    script_.Start();
    ASSERT_TRUE(RunUntilQuit()) << script_.Report();
    EXPECT_TRUE(script_.Failures().empty()) << script_.Report();
    EXPECT_EQ(0, quitCode_);
    EXPECT_EQ(0, g_installation.calls) << "installed into the preset destination nobody confirmed";
    EXPECT_EQ(start_, CurrentDirectory());
}

TEST_F(SetupSequenceTest, EscapeBeforeTheFirstTickCreatesThePictureFirstAndRunsTheSequenceOnce)
{
    int dialogsSeen = 0;
    bool pictureDuringOptions = false;
    script_.OnDialog(kFrameTitle, [&](HWND) {
        dialogsSeen++;
        pictureDuringOptions = g_pBackgroundImage != NULL;
    });
    script_.Click(kFrameTitle, IDCANCEL).Click("Sortir", IDCANCEL);
    script_.Start();
    // Straight to the view, before any tick was handled.
    SendMessageA(view_->GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    EXPECT_TRUE(script_.Finished()) << script_.Report();
    EXPECT_TRUE(pictureDuringOptions) << "the sequence ran without a picture object";
    int code = -1;
    EXPECT_TRUE(TakeQuitMessage(&code)) << "no quit message after \"Sortir\" twice";
    EXPECT_EQ(0, code);

    // Neither another Escape nor the timer starts it again.
    SendMessageA(view_->GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PumpFor(300);
    EXPECT_TRUE(OwnDialog(kFrameTitle) == NULL) << "the options dialog came up a second time";
    EXPECT_EQ(1, dialogsSeen);
    EXPECT_FALSE(TakeQuitMessage()) << "a second run posted another quit message";
    EXPECT_EQ(0, view_->tickCount) << "the timer was not killed by Escape";
    EXPECT_EQ(0, g_installation.calls);
}

TEST_F(SetupSequenceTest, ADestinationThatDoesNotFitItsBufferIsRefusedWithAMessage)
{
    // 260 characters that name an existing directory: "C:\.\.\...\<scratch>".
    std::string tail = destination_.substr(3);
    std::string longPath = "C:\\";
    if ((260 - longPath.size() - tail.size()) % 2)
        longPath += "x\\..\\";  // five characters, to make the rest even
    while (longPath.size() + tail.size() < 260)
        longPath += ".\\";
    longPath += tail;
    ASSERT_EQ(260u, longPath.size());

    std::vector<std::string> messageTexts;
    bool frameEnabledUnderMessage = false;
    HWND messageOwner = NULL;
    script_.Click(kFrameTitle, IDOK);
    script_.OnDialog("Destination directory", [&](HWND dialog) { SetEditText(dialog, longPath); });
    script_.Click("Destination directory", IDOK);
    // Either the directory cannot be entered at that length (the create
    // dialog, then its error) or the sequence refuses the path: no run.
    script_.Then("the refusal", [&] {
        if (HWND create = OwnDialog(("'" + longPath.substr(0, 3) + "...." + longPath.substr(237) + "' n'existe pas").c_str())) {
            PostMessageA(GetDlgItem(create, IDCANCEL), BM_CLICK, 0, 0);
            messageTexts.push_back("create dialog");
            return true;
        }
        if (HWND error = OwnDialog("Error")) {
            messageTexts = ChildTexts(error);
            frameEnabledUnderMessage = IsWindowEnabled(TestApp().m_pMainWnd->GetSafeHwnd()) != FALSE;
            messageOwner = GetWindow(error, GW_OWNER);
            PostMessageA(error, WM_COMMAND, IDOK, 0);
            return true;
        }
        return false;
    });
    // Back in the destination dialog with the text as it was typed.
    std::string shownAgain;
    script_.OnDialog("Destination directory", [&](HWND dialog) {
        char text[300] = "";
        GetDlgItemTextA(dialog, 1002, text, sizeof text);
        shownAgain = text;
    });
    script_.Click("Destination directory", IDCANCEL).Click("Sortir", IDCANCEL);
    script_.Start();
    ASSERT_TRUE(RunUntilQuit()) << script_.Report();
    EXPECT_TRUE(script_.Failures().empty()) << script_.Report();
    EXPECT_EQ(longPath, shownAgain) << "the destination dialog after the refusal";
    EXPECT_EQ(0, g_installation.calls) << "a path of 260 characters reached the installation run as \""
                                       << g_installation.destination << "\"";
    ASSERT_FALSE(messageTexts.empty());
    bool explained = false;
    for (const std::string& text : messageTexts)
        explained |= text == "create dialog" ||
                     text == "Le chemin de destination est trop long : 259 caract\xE8res au plus.";
    EXPECT_TRUE(explained) << "the refusal gave no reason";
    if (messageTexts.front() != "create dialog") {
        EXPECT_EQ(TestApp().m_pMainWnd->GetSafeHwnd(), messageOwner) << "the message is not owned by the frame";
        EXPECT_FALSE(frameEnabledUnderMessage) << "the frame (and its Exit menu) was enabled under the message";
    }
}

}  // namespace
