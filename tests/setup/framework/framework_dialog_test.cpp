// CDialog with the tests' own templates: text exchange with its length limit
// (the limit set on the edit, a longer text refused with the framework's
// message and the dialog kept), and the owner rule of modal dialogs.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "dialog_script.h"
#include "framework.h"
#include "framework_test_app.h"
#include "framework_test_ids.h"
#include "test_support.h"

using namespace fwtest;
using namespace setuptest;
using namespace vrxtest;

namespace {

class CLimitedTextDlg : public CDialog {
public:
    CLimitedTextDlg() : CDialog(IDD_FW_TEXT) {}
    CString text;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_FW_EDIT, text);
        DDV_MaxChars(pDX, text, 10);
    }
};

// Opens a dialog of its own from its "Open" button, through its message map.
class COuterDlg : public CDialog {
public:
    explicit COuterDlg(CWnd* pParent = NULL) : CDialog(IDD_FW_OUTER, pParent) {}
    int innerResult = 0;
    void OnOpen()
    {
        CDialog inner(IDD_FW_PLAIN);
        innerResult = inner.DoModal();
    }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COuterDlg, CDialog)
    ON_BN_CLICKED(IDC_FW_OPEN, OnOpen)
END_MESSAGE_MAP()

std::string EditText(HWND dialog)
{
    char text[64] = "";
    GetDlgItemTextA(dialog, IDC_FW_EDIT, text, sizeof text);
    return text;
}

class FrameworkDialogTest : public ::testing::Test {
protected:
    void SetUp() override { TestApp().m_pMainWnd = NULL; }
    void TearDown() override
    {
        script_.Stop();
        TestApp().m_pMainWnd = NULL;
    }
    DialogScript script_;
};

// ---- Text exchange and its length limit -----------------------------------

TEST_F(FrameworkDialogTest, TheEditGetsTheTextAndTheLimit)
{
    CLimitedTextDlg dialog;
    dialog.text = "hello";
    std::string shown;
    int limit = 0;
    script_.OnDialog("Limited text", [&](HWND dlg) {
        shown = EditText(dlg);
        limit = (int)SendDlgItemMessageA(dlg, IDC_FW_EDIT, EM_GETLIMITTEXT, 0, 0);
    });
    script_.Click("Limited text", IDCANCEL);
    script_.Start();
    EXPECT_EQ(IDCANCEL, dialog.DoModal()) << script_.Report();
    EXPECT_EQ("hello", shown);
    EXPECT_EQ(10, limit) << "the edit's limit after the exchange";
    EXPECT_EQ(std::string("hello"), std::string(dialog.text));
}

TEST_F(FrameworkDialogTest, ATextOfTheLimitIsTakenOnOk)
{
    CLimitedTextDlg dialog;
    script_.OnDialog("Limited text", [](HWND dlg) { SetDlgItemTextA(dlg, IDC_FW_EDIT, "0123456789"); });
    script_.Click("Limited text", IDOK);
    script_.Start();
    EXPECT_EQ(IDOK, dialog.DoModal()) << script_.Report();
    EXPECT_EQ(std::string("0123456789"), std::string(dialog.text));
}

TEST_F(FrameworkDialogTest, ALongerTextIsRefusedWithAMessageAndTheDialogStays)
{
    CLimitedTextDlg dialog;
    dialog.text = "hello";
    std::vector<std::string> message;
    bool stillOpen = false;
    HWND focus = NULL, edit = NULL;
    DWORD selection = 0;
    // WM_SETTEXT passes the edit's own limit, as a program's code can.
    script_.OnDialog("Limited text", [](HWND dlg) { SetDlgItemTextA(dlg, IDC_FW_EDIT, "0123456789A"); });
    script_.Click("Limited text", IDOK);
    script_.OnDialog("Framework Test", [&](HWND box) {
        message = ChildTexts(box);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    script_.OnDialog("Limited text", [&](HWND dlg) {
        stillOpen = true;
        edit = GetDlgItem(dlg, IDC_FW_EDIT);
        focus = GetFocus();
        selection = (DWORD)SendMessageA(edit, EM_GETSEL, 0, 0);
    });
    script_.Click("Limited text", IDCANCEL);
    script_.Start();
    EXPECT_EQ(IDCANCEL, dialog.DoModal()) << script_.Report();
    EXPECT_TRUE(script_.Failures().empty()) << script_.Report();
    bool said = false;
    for (const std::string& text : message)
        said |= text == "Please enter no more than 10 characters.";
    EXPECT_TRUE(said) << "no message titled with the application's name says the limit";
    EXPECT_TRUE(stillOpen) << "the dialog closed on a refused text";
    EXPECT_EQ(edit, focus) << "the focus is not back on the edit";
    EXPECT_EQ(0u, LOWORD(selection));
    EXPECT_EQ(11u, HIWORD(selection)) << "the refused text is not selected";
    // The exchange has stored the text before the check refused it; what
    // keeps it from the caller is that the dialog never ends with IDOK.
    EXPECT_EQ(std::string("0123456789A"), std::string(dialog.text));
}

// ---- The owner rule ----------------------------------------------------------

TEST_F(FrameworkDialogTest, TheMainWindowOwnsAModalDialogAndIsDisabledWhileItRuns)
{
    TopWindow main("main window");
    ASSERT_TRUE(main.GetSafeHwnd() != NULL);
    TestApp().m_pMainWnd = &main;
    HWND owner = NULL;
    bool mainEnabled = true;
    script_.OnDialog("Inner", [&](HWND dlg) {
        owner = GetWindow(dlg, GW_OWNER);
        mainEnabled = IsWindowEnabled(main.GetSafeHwnd()) != FALSE;
    });
    script_.Click("Inner", IDOK);
    script_.Start();
    CDialog dialog(IDD_FW_PLAIN);
    EXPECT_EQ(IDOK, dialog.DoModal()) << script_.Report();
    EXPECT_EQ(main.GetSafeHwnd(), owner) << "the dialog is not owned by the main window";
    EXPECT_FALSE(mainEnabled) << "the main window was enabled under the dialog";
    EXPECT_TRUE(main.IsWindowEnabled()) << "the main window stayed disabled";
    EXPECT_TRUE(dialog.GetSafeHwnd() == NULL) << "the object kept the destroyed dialog";
}

TEST_F(FrameworkDialogTest, ADialogOpenedFromAModalDialogIsOwnedByIt)
{
    TopWindow main("main window");
    TestApp().m_pMainWnd = &main;
    HWND outer = NULL, innerOwner = NULL;
    bool outerEnabled = true, mainEnabled = true, outerEnabledAfter = false;
    script_.OnDialog("Outer", [&](HWND dlg) {
        outer = dlg;
        PostMessageA(GetDlgItem(dlg, IDC_FW_OPEN), BM_CLICK, 0, 0);
    });
    script_.OnDialog("Inner", [&](HWND dlg) {
        innerOwner = GetWindow(dlg, GW_OWNER);
        outerEnabled = IsWindowEnabled(outer) != FALSE;
        mainEnabled = IsWindowEnabled(main.GetSafeHwnd()) != FALSE;
        PostMessageA(GetDlgItem(dlg, IDCANCEL), BM_CLICK, 0, 0);
    });
    script_.OnDialog("Outer", [&](HWND dlg) { outerEnabledAfter = IsWindowEnabled(dlg) != FALSE; });
    script_.Click("Outer", IDOK);
    script_.Start();
    COuterDlg dialog;
    EXPECT_EQ(IDOK, dialog.DoModal()) << script_.Report();
    EXPECT_TRUE(script_.Failures().empty()) << script_.Report();
    EXPECT_EQ(IDCANCEL, dialog.innerResult) << "the button's handler did not run the inner dialog";
    EXPECT_EQ(outer, innerOwner) << "the inner dialog is not owned by the outer one";
    EXPECT_FALSE(outerEnabled) << "the outer dialog was enabled under the inner one";
    EXPECT_FALSE(mainEnabled) << "the main window was enabled under the inner dialog";
    EXPECT_TRUE(outerEnabledAfter) << "the outer dialog stayed disabled";
    EXPECT_TRUE(main.IsWindowEnabled());
}

TEST_F(FrameworkDialogTest, AParentGivenAtConstructionOwnsTheDialog)
{
    TopWindow main("main window");
    TopWindow other("other window", 400, 40);
    TestApp().m_pMainWnd = &main;
    HWND owner = NULL;
    bool otherEnabled = true;
    script_.OnDialog("Outer", [&](HWND dlg) {
        owner = GetWindow(dlg, GW_OWNER);
        otherEnabled = IsWindowEnabled(other.GetSafeHwnd()) != FALSE;
    });
    script_.Click("Outer", IDCANCEL);
    script_.Start();
    COuterDlg dialog(&other);
    EXPECT_EQ(IDCANCEL, dialog.DoModal()) << script_.Report();
    EXPECT_EQ(other.GetSafeHwnd(), owner);
    EXPECT_FALSE(otherEnabled);
    EXPECT_TRUE(other.IsWindowEnabled());
}

TEST_F(FrameworkDialogTest, AMissingTemplateReturnsTheFailureResult)
{
    TopWindow main("main window");
    TestApp().m_pMainWnd = &main;
    CDialog dialog(4242);
    EXPECT_EQ(-1, dialog.DoModal());
    EXPECT_TRUE(main.IsWindowEnabled()) << "a dialog that never ran left the main window disabled";
}

}  // namespace
