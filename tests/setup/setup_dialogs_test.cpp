// The options and exit dialogs run on their own under the setup frame: every
// way of closing them (buttons, Enter, Escape, the close box) and what it
// leaves in the options dialog's flags.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "dialog_script.h"
#include "setup_dialogs.h"
#include "setup_fixture.h"
#include "test_support.h"

using namespace setuptest;
using namespace vrxtest;

namespace {

const char kOptionsTitle[] = "Economiseur d'\xE9" "cran VRX2";

// Ways of closing a dialog, as the user does them.
void PressEnter(HWND dialog) { PostMessageA(GetFocus() ? GetFocus() : dialog, WM_KEYDOWN, VK_RETURN, 0x001C0001); }
void PressEscape(HWND dialog) { PostMessageA(GetFocus() ? GetFocus() : dialog, WM_KEYDOWN, VK_ESCAPE, 0x00010001); }
void CloseBox(HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }
void ClickOk(HWND dialog) { PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); }
void ClickCancel(HWND dialog) { PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0); }

struct Closing {
    const char* name;
    void (*close)(HWND);
    int result;
};

std::ostream& operator<<(std::ostream& os, const Closing& c) { return os << c.name; }

class SetupDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame_ = OpenIdleSetupFrame();
        ASSERT_TRUE(frame_ != NULL) << "the template made no setup view";
    }
    void TearDown() override
    {
        script_.Stop();
        CloseSetupWindow();
    }
    // Runs a dialog with the script; the dialog's result.
    int Run(CDialog& dialog)
    {
        script_.Start();
        int result = dialog.DoModal();
        script_.Stop();
        return result;
    }
    HWND frame_ = NULL;
    DialogScript script_;
};

// ---- Options dialog -------------------------------------------------------

class OptionsClosingTest : public SetupDialogTest, public ::testing::WithParamInterface<Closing> {};

TEST_P(OptionsClosingTest, BothBoxesClearedThenClosed)
{
    const Closing& how = GetParam();
    CInstallOptionsDlg dialog;
    dialog.installSaver = 1;
    dialog.installSound = 1;
    script_.Click(kOptionsTitle, 1000).Click(kOptionsTitle, 1001);
    script_.Then("both boxes clear", [] {
        HWND dialog = OwnDialog(kOptionsTitle);
        return dialog && IsDlgButtonChecked(dialog, 1000) == BST_UNCHECKED &&
               IsDlgButtonChecked(dialog, 1001) == BST_UNCHECKED;
    });
    script_.OnDialog(kOptionsTitle, how.close);
    EXPECT_EQ(how.result, Run(dialog)) << script_.Report();
    EXPECT_TRUE(script_.Failures().empty()) << script_.Report();
    if (how.result == IDOK) {
        EXPECT_EQ(1, dialog.accepted);
        EXPECT_EQ(0, dialog.installSaver);
        EXPECT_EQ(0, dialog.installSound);
    } else {
        EXPECT_EQ(0, dialog.accepted) << "accepted after " << how.name;
        EXPECT_EQ(1, dialog.installSaver) << "a cancelled dialog transferred box 1000";
        EXPECT_EQ(1, dialog.installSound) << "a cancelled dialog transferred box 1001";
    }
}

INSTANTIATE_TEST_SUITE_P(Ways, OptionsClosingTest,
                         ::testing::Values(Closing{"OK", ClickOk, IDOK}, Closing{"Enter", PressEnter, IDOK},
                                           Closing{"Sortir", ClickCancel, IDCANCEL},
                                           Closing{"Escape", PressEscape, IDCANCEL},
                                           Closing{"the close box", CloseBox, IDCANCEL}));

TEST_F(SetupDialogTest, TheOptionsDialogShowsItsFlagsAndKeepsTheLastClose)
{
    CInstallOptionsDlg dialog;
    dialog.installSaver = 0;
    dialog.installSound = 1;
    UINT saverBox = 99, soundBox = 99;
    bool frameEnabled = true;
    HWND owner = NULL;
    script_.OnDialog(kOptionsTitle, [&](HWND dlg) {
        saverBox = IsDlgButtonChecked(dlg, 1000);
        soundBox = IsDlgButtonChecked(dlg, 1001);
        frameEnabled = IsWindowEnabled(frame_) != FALSE;
        owner = GetWindow(dlg, GW_OWNER);
        PostMessageA(GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(IDOK, Run(dialog)) << script_.Report();
    EXPECT_EQ((UINT)BST_UNCHECKED, saverBox) << "box 1000 with installSaver 0";
    EXPECT_EQ((UINT)BST_CHECKED, soundBox) << "box 1001 with installSound 1";
    EXPECT_EQ(frame_, owner) << "the options dialog is not owned by the frame";
    EXPECT_FALSE(frameEnabled) << "the frame was enabled under the options dialog";
    EXPECT_TRUE(IsWindowEnabled(frame_));
    EXPECT_EQ(1, dialog.accepted);
    EXPECT_EQ(0, dialog.installSaver);
    EXPECT_EQ(1, dialog.installSound);

    // A second run of the same object: Escape now.
    script_ = DialogScript();
    script_.OnDialog(kOptionsTitle, PressEscape);
    EXPECT_EQ(IDCANCEL, Run(dialog)) << script_.Report();
    EXPECT_EQ(0, dialog.accepted) << "accepted keeps the value of the last close";
    EXPECT_EQ(0, dialog.installSaver);
    EXPECT_EQ(1, dialog.installSound);
}

// ---- Exit dialog ------------------------------------------------------------

class ExitClosingTest : public SetupDialogTest, public ::testing::WithParamInterface<Closing> {};

TEST_P(ExitClosingTest, GivesItsResult)
{
    const Closing& how = GetParam();
    CExitDlg dialog;
    HWND owner = NULL;
    script_.OnDialog("Sortir", [&](HWND dlg) {
        owner = GetWindow(dlg, GW_OWNER);
        how.close(dlg);
    });
    EXPECT_EQ(how.result, Run(dialog)) << how.name << "; " << script_.Report();
    EXPECT_TRUE(script_.Failures().empty()) << script_.Report();
    EXPECT_EQ(frame_, owner) << "the exit dialog is not owned by the frame";
    EXPECT_TRUE(IsWindowEnabled(frame_));
}

INSTANTIATE_TEST_SUITE_P(Ways, ExitClosingTest,
                         ::testing::Values(Closing{"Installer", ClickOk, IDOK}, Closing{"Enter", PressEnter, IDOK},
                                           Closing{"Sortir", ClickCancel, IDCANCEL},
                                           Closing{"Escape", PressEscape, IDCANCEL},
                                           Closing{"the close box", CloseBox, IDCANCEL}));

// The width a one-line static text needs in its dialog's font, and the
// width its control has.
BOOL CALLBACK CollectStatics(HWND child, LPARAM lParam)
{
    if (ClassName(child) == "Static" && !(GetWindowLongA(child, GWL_STYLE) & SS_ICON))
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(child);
    return TRUE;
}

TEST_F(SetupDialogTest, TheAboutDialogsLinesFitTheirControls)
{
    CAboutDlg dialog;
    std::vector<std::string> tooLong;
    int lines = 0;
    script_.OnDialog("About Marlo", [&](HWND dlg) {
        std::vector<HWND> statics;
        EnumChildWindows(dlg, CollectStatics, reinterpret_cast<LPARAM>(&statics));
        for (HWND control : statics) {
            std::string text = WindowText(control);
            HDC dc = GetDC(control);
            HGDIOBJ old = SelectObject(dc, (HGDIOBJ)SendMessageA(control, WM_GETFONT, 0, 0));
            SIZE extent = {0, 0};
            GetTextExtentPoint32A(dc, text.c_str(), (int)text.size(), &extent);
            SelectObject(dc, old);
            ReleaseDC(control, dc);
            RECT client;
            GetClientRect(control, &client);
            lines++;
            if (extent.cx > client.right)
                tooLong.push_back("\"" + text + "\" needs " + std::to_string(extent.cx) + " pixels of " +
                                  std::to_string(client.right));
        }
        PostMessageA(GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(IDOK, Run(dialog)) << script_.Report();
    EXPECT_EQ(2, lines) << "text lines of the About dialog";
    for (const std::string& line : tooLong)
        ADD_FAILURE() << line << ": the line is cut off";
}

TEST_F(SetupDialogTest, TheAboutDialogClosesOnOkEnterEscapeAndTheCloseBox)
{
    for (void (*close)(HWND) : {ClickOk, PressEnter, PressEscape, CloseBox}) {
        CAboutDlg dialog;
        script_ = DialogScript();
        script_.OnDialog("About Marlo", close);
        int result = Run(dialog);
        EXPECT_TRUE(result == IDOK || result == IDCANCEL) << "result " << result;
        EXPECT_TRUE(script_.Failures().empty()) << script_.Report();
        EXPECT_TRUE(OwnDialog("About Marlo") == NULL);
    }
}

}  // namespace
