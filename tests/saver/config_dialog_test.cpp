// The configuration dialog and the About box of the real VRXSaver.scr, driven
// from outside as a user would: typing into the edit, leaving it with Tab or
// a click, the scroll bar's arrows, the buttons, Enter and Escape; the
// settings key is read back byte for byte.
#include <gtest/gtest.h>

#include <windows.h>

#include <string.h>

#include <string>
#include <vector>

#include "test_support.h"

using namespace vrxtest;

namespace {

const char kConfigTitle[] = "Economiseur d'\xE9" "cran VRX2";
const char kAboutTitle[] = "A prop. \xE9" "co. \xE9" "cran VRX2";
const int kFullscreenBox = 1000;
const int kRateEdit = 1001;
const int kRateArrows = 1002;
const int kAboutButton = 1004;

std::string SaverPath() { return JoinPath(ProgramDirectory(), "VRXSaver.scr"); }

// Text of a control of another process, asked of the control itself.
std::string ControlText(HWND control)
{
    char text[256] = "";
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                             5000, &length))
        return "<no answer>";
    return std::string(text, length);
}

LRESULT SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

HWND FocusOfThreadOf(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, NULL), &info))
        return NULL;
    return info.hwndFocus;
}

void PostKey(HWND window, WORD key)
{
    UINT scan = MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
    PostMessageA(window, WM_KEYDOWN, key, 1 | (scan << 16));
    PostMessageA(window, WM_KEYUP, key, 1 | (scan << 16) | 0xC0000000u);
}

// A dialog of the process once it is up. The dialog window exists before its
// controls do; it is shown only after they are made and WM_INITDIALOG ran.
HWND WaitForShownDialog(DWORD processId, const char* title)
{
    HWND dialog = WaitForProcessWindow(processId, "#32770", title, 10000);
    if (!dialog || !PumpUntil([dialog] { return IsWindowVisible(dialog) != FALSE; }, 5000))
        return NULL;
    return dialog;
}

void PostClick(HWND window, int x, int y)
{
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// One run of the saver's configuration mode and the controls of its dialog.
class ConfigSession {
public:
    ~ConfigSession()
    {
        if (saver_.Running())
            saver_.Kill();
    }

    bool Open(const char* arguments = "")
    {
        if (!saver_.Start(SaverPath(), arguments))
            return false;
        dialog = WaitForShownDialog(saver_.Id(), kConfigTitle);
        if (!dialog)
            return false;
        // The first tab stop has the focus once WM_INITDIALOG has returned.
        if (!PumpUntil([this] { return FocusOfThreadOf(dialog) != NULL; }, 5000))
            return false;
        edit = GetDlgItem(dialog, kRateEdit);
        arrows = GetDlgItem(dialog, kRateArrows);
        fullscreen = GetDlgItem(dialog, kFullscreenBox);
        return edit && arrows && fullscreen;
    }

    HWND Focus() const { return FocusOfThreadOf(dialog); }

    // Moves into the edit as the Tab key would (the dialog selects its text).
    bool EnterEdit()
    {
        PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
        return PumpUntil([this] { return Focus() == edit; }, 5000);
    }

    bool Type(const std::string& text)
    {
        return SendTo(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) == TRUE;
    }

    // Tab out of the edit; true once the focus has moved on.
    bool TabOut()
    {
        PostKey(edit, VK_TAB);
        return PumpUntil([this] { return Focus() != edit && Focus() != NULL; }, 5000);
    }

    bool Checked() const { return SendTo(fullscreen, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    std::string Rate() const { return ControlText(edit); }
    LRESULT ArrowsPosition() const { return SendTo(arrows, SBM_GETPOS, 0, 0); }

    void Scroll(WORD code)
    {
        SendTo(dialog, WM_VSCROLL, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(arrows));
    }

    // Clicks a button (as BM_CLICK does: press, release, notify) and, for the
    // buttons that close the dialog, waits for the end of the process.
    void Click(int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

    bool Running() const { return saver_.Running(); }
    bool WaitForEnd() { return saver_.WaitPumping(10000); }
    DWORD ExitCode() const { return saver_.ExitCode(); }
    DWORD ProcessId() const { return saver_.Id(); }

    HWND dialog = NULL;
    HWND edit = NULL;
    HWND arrows = NULL;
    HWND fullscreen = NULL;

private:
    ChildProcess saver_;
};

// Every value of the settings key, as stored.
struct KeySnapshot {
    RegValue path, fullscreen, rate, saverMarker, soundMarker, previous;
};

KeySnapshot TakeSnapshot()
{
    KeySnapshot s;
    s.path = ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, "Installed path");
    s.fullscreen = ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, "Fullscreen");
    s.rate = ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, "UpdateRate");
    s.saverMarker = ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, "Screen Saver Installed");
    s.soundMarker = ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, "Sound Scheme Installed");
    s.previous = ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, "Previous Saver");
    return s;
}

void ExpectSameValue(const RegValue& before, const RegValue& after, const char* name)
{
    EXPECT_EQ(before.present, after.present) << name << ": present before " << before.present << ", after "
                                             << after.present;
    EXPECT_EQ(before.type, after.type) << name << ": type before " << before.type << ", after " << after.type;
    EXPECT_EQ(before.bytes, after.bytes) << name << ": bytes before \"" << before.Text() << "\" ("
                                         << before.bytes.size() << "), after \"" << after.Text() << "\" ("
                                         << after.bytes.size() << ")";
}

void ExpectNumberValue(const char* name, DWORD expected)
{
    RegValue value = ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, name);
    ASSERT_TRUE(value.present) << name << " missing";
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), value.type) << name << ": type";
    ASSERT_EQ(4u, value.bytes.size()) << name << ": size";
    EXPECT_EQ(expected, value.Number()) << name;
}

class ConfigDialogTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey); }
    void TearDown() override { DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey); }

    void StoreSettings(const std::string& path, DWORD fullscreen, DWORD rate)
    {
        WriteText(HKEY_LOCAL_MACHINE, kSettingsKey, "Installed path", path);
        WriteNumber(HKEY_LOCAL_MACHINE, kSettingsKey, "Fullscreen", fullscreen);
        WriteNumber(HKEY_LOCAL_MACHINE, kSettingsKey, "UpdateRate", rate);
    }
};

TEST_F(ConfigDialogTest, OpensWithTheStoredSettingsOrTwoAndUncheckedWithoutTheKey)
{
    struct Case {
        bool key;
        DWORD fullscreen, rate;
        const char* shown;
        bool checked;
    } cases[] = {{false, 0, 0, "2", false}, {true, 1, 37, "37", true}, {true, 0, 100, "100", false},
                 {true, 5, 1, "1", true}, {true, 0, 250, "250", false}};
    for (const Case& c : cases) {
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey);
        if (c.key)
            StoreSettings("C:\\VRX2 Screen Saver", c.fullscreen, c.rate);
        ConfigSession session;
        ASSERT_TRUE(session.Open()) << "no configuration dialog";
        EXPECT_EQ(c.shown, session.Rate()) << "stored rate " << c.rate << (c.key ? "" : " (no key)");
        EXPECT_EQ(c.checked, session.Checked()) << "stored Fullscreen " << c.fullscreen;
        EXPECT_EQ(50, session.ArrowsPosition()) << "the arrows start in the middle of 1-100";
        EXPECT_EQ(GetDlgItem(session.dialog, IDOK), session.Focus()) << "the first tab stop has the focus";
        session.Click(IDCANCEL);
        ASSERT_TRUE(session.WaitForEnd());
        EXPECT_FALSE(!c.key && KeyExists(HKEY_LOCAL_MACHINE, kSettingsKey)) << "opening wrote the key";
    }
}

TEST_F(ConfigDialogTest, LeavingTheEditHoldsItsNumberToOneToHundred)
{
    struct Case {
        const char* typed;
        const char* shown;
    } cases[] = {{"250", "100"},
                 {"0", "1"},
                 {"-5", "1"},
                 {"42", "42"},
                 {"100", "100"},
                 {"101", "100"},
                 {"abc", "1"},
                 {"", "1"},
                 {"  17 s", "17"},
                 {"+8", "8"},
                 // Digit runs beyond 32 bits must not wrap around into 1-100.
                 {"4294967297", "100"},
                 {"-4294967254", "1"},
                 {"99999999999999999999999999", "100"}};
    ConfigSession session;
    ASSERT_TRUE(session.Open());
    for (const Case& c : cases) {
        ASSERT_TRUE(session.EnterEdit()) << "the edit did not take the focus";
        ASSERT_TRUE(session.Type(c.typed));
        ASSERT_TRUE(session.TabOut()) << "Tab did not leave the edit";
        EXPECT_EQ(c.shown, session.Rate()) << "typed \"" << c.typed << "\" and left the edit with Tab";
    }
    // Clicking the check box leaves the edit as well, and ticks the box.
    ASSERT_TRUE(session.EnterEdit());
    ASSERT_TRUE(session.Type("250"));
    RECT box;
    GetClientRect(session.fullscreen, &box);
    PostClick(session.fullscreen, box.right - 4, box.bottom / 2);
    ASSERT_TRUE(PumpUntil([&] { return session.Focus() == session.fullscreen; }, 5000))
        << "the click did not move the focus to the check box";
    EXPECT_EQ("100", session.Rate()) << "typed 250, then clicked the check box";
    // The focus moves on the button going down, the tick comes with it going up.
    EXPECT_TRUE(PumpUntil([&] { return session.Checked(); }, 5000)) << "the click ticks the check box";
    session.Click(IDCANCEL);
    ASSERT_TRUE(session.WaitForEnd());
    EXPECT_EQ(0u, session.ExitCode());
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSettingsKey)) << "Cancel wrote the key";
}

// Enter in the edit presses OK without the edit losing the focus first, so
// OK holds the number to 1-100 itself.
TEST_F(ConfigDialogTest, EnterInTheEditStoresTheClampedNumber)
{
    struct Case {
        const char* typed;
        DWORD stored;
    } cases[] = {{"-5", 1},  {"250", 100}, {"   7", 7}, {"", 1}, {"12abc", 12}, {"4294967297", 100},
                 {"-4294967254", 1}, {"000000000000000000000000000000000000000000000000000000000000000064", 64}};
    for (const Case& c : cases) {
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey);
        ConfigSession session;
        ASSERT_TRUE(session.Open());
        ASSERT_TRUE(session.EnterEdit());
        ASSERT_TRUE(session.Type(c.typed));
        PostKey(session.edit, VK_RETURN);
        ASSERT_TRUE(session.WaitForEnd()) << "Enter did not end the dialog";
        EXPECT_EQ(1u, session.ExitCode()) << "exit code after OK";
        SCOPED_TRACE(std::string("typed \"") + c.typed + "\"");
        ExpectNumberValue("UpdateRate", c.stored);
    }
}

TEST_F(ConfigDialogTest, OkWithoutTheKeyCreatesItWithAnEmptyInstalledPath)
{
    ConfigSession session;
    ASSERT_TRUE(session.Open());
    session.Click(IDOK);
    ASSERT_TRUE(session.WaitForEnd());
    EXPECT_EQ(1u, session.ExitCode()) << "exit code after OK";
    RegValue path = ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, "Installed path");
    ASSERT_TRUE(path.present) << "OK did not write \"Installed path\"";
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), path.type);
    EXPECT_EQ(0u, path.bytes.size()) << "the empty path is stored with length 0, got \"" << path.Text() << "\"";
    ExpectNumberValue("Fullscreen", 0);
    ExpectNumberValue("UpdateRate", 2);
}

TEST_F(ConfigDialogTest, OkWritesTheBoxAndTheNumberWithTheInstalledPathAsRead)
{
    const std::string path = "D:\\\xC9" "conomiseurs\\VRX2";  // stored without its NUL
    StoreSettings(path, 0, 10);
    WriteText(HKEY_LOCAL_MACHINE, kSettingsKey, "Screen Saver Installed", "Yes");
    RegValue marker = ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, "Screen Saver Installed");

    ConfigSession session;
    ASSERT_TRUE(session.Open());
    session.Click(kFullscreenBox);
    ASSERT_TRUE(PumpUntil([&] { return session.Checked(); }, 5000)) << "the click did not tick the box";
    ASSERT_TRUE(session.EnterEdit());
    ASSERT_TRUE(session.Type("33"));
    session.Click(IDOK);
    ASSERT_TRUE(session.WaitForEnd());
    EXPECT_EQ(1u, session.ExitCode());

    RegValue stored = ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, "Installed path");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), stored.type);
    EXPECT_EQ(path, stored.Text()) << "the installed path is written back as it was read, without NUL";
    ExpectNumberValue("Fullscreen", 1);
    ExpectNumberValue("UpdateRate", 33);
    ExpectSameValue(marker, ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, "Screen Saver Installed"),
                    "Screen Saver Installed");
}

TEST_F(ConfigDialogTest, OkTurnsAnyNonzeroFullscreenIntoOneAndAClearedBoxIntoZero)
{
    StoreSettings("C:\\VRX2 Screen Saver", 5, 10);
    {
        ConfigSession session;
        ASSERT_TRUE(session.Open());
        session.Click(IDOK);
        ASSERT_TRUE(session.WaitForEnd());
        ExpectNumberValue("Fullscreen", 1);
    }
    {
        ConfigSession session;
        ASSERT_TRUE(session.Open());
        ASSERT_TRUE(session.Checked());
        session.Click(kFullscreenBox);
        ASSERT_TRUE(PumpUntil([&] { return !session.Checked(); }, 5000)) << "the click did not clear the box";
        session.Click(IDOK);
        ASSERT_TRUE(session.WaitForEnd());
        ExpectNumberValue("Fullscreen", 0);
        ExpectNumberValue("UpdateRate", 10);
    }
}

TEST_F(ConfigDialogTest, CancelAndEscapeAfterChangesLeaveTheKeyAsItWas)
{
    StoreSettings("C:\\VRX2 Screen Saver", 0, 250);  // out of range: only a hand edit makes that
    WriteText(HKEY_LOCAL_MACHINE, kSettingsKey, "Previous Saver", "None");
    for (bool escape : {false, true}) {
        KeySnapshot before = TakeSnapshot();
        ConfigSession session;
        ASSERT_TRUE(session.Open());
        session.Click(kFullscreenBox);
        ASSERT_TRUE(PumpUntil([&] { return session.Checked(); }, 5000));
        ASSERT_TRUE(session.EnterEdit());
        ASSERT_TRUE(session.Type("7"));
        session.Scroll(SB_LINEUP);
        ASSERT_TRUE(session.TabOut());
        if (escape)
            PostKey(session.Focus(), VK_ESCAPE);
        else
            session.Click(IDCANCEL);
        ASSERT_TRUE(session.WaitForEnd()) << (escape ? "Escape" : "Cancel") << " did not end the dialog";
        EXPECT_EQ(0u, session.ExitCode()) << "exit code after " << (escape ? "Escape" : "Cancel");
        KeySnapshot after = TakeSnapshot();
        ExpectSameValue(before.path, after.path, "Installed path");
        ExpectSameValue(before.fullscreen, after.fullscreen, "Fullscreen");
        ExpectSameValue(before.rate, after.rate, "UpdateRate");
        ExpectSameValue(before.previous, after.previous, "Previous Saver");
        ExpectSameValue(before.saverMarker, after.saverMarker, "Screen Saver Installed");
    }
}

TEST_F(ConfigDialogTest, TheArrowsStepByOneAndWrapAndOtherCodesOnlyWrap)
{
    struct Case {
        const char* typed;
        WORD code;
        const char* shown;
        LRESULT position;  // of the scroll bar afterwards (it starts at 50)
    } cases[] = {{"100", SB_LINEUP, "1", 1},
                 {"1", SB_LINEDOWN, "100", 100},
                 {"42", SB_LINEUP, "43", 50},
                 {"42", SB_LINEDOWN, "41", 50},
                 {"99", SB_LINEUP, "100", 50},
                 {"2", SB_LINEDOWN, "1", 50},
                 {"42", SB_PAGEUP, "42", 50},
                 {"42", SB_PAGEDOWN, "42", 50},
                 {"42", SB_THUMBTRACK, "42", 50},
                 {"42", SB_THUMBPOSITION, "42", 50},
                 {"42", SB_TOP, "42", 50},
                 {"42", SB_BOTTOM, "42", 50},
                 {"0", SB_PAGEUP, "100", 100},
                 {"101", SB_PAGEDOWN, "1", 1},
                 {"0", SB_LINEUP, "1", 50},
                 {"abc", SB_LINEDOWN, "100", 100},
                 {"abc", SB_LINEUP, "1", 50},
                 {"-5", SB_LINEUP, "100", 100},
                 {"250", SB_LINEDOWN, "1", 1},
                 {"4294967297", SB_LINEUP, "1", 1},
                 {"-4294967254", SB_LINEDOWN, "100", 100},
                 {"250", SB_ENDSCROLL, "250", 50}};
    ConfigSession session;
    ASSERT_TRUE(session.Open());
    for (const Case& c : cases) {
        SendTo(session.arrows, SBM_SETPOS, 50, TRUE);
        ASSERT_TRUE(session.Type(c.typed));
        session.Scroll(c.code);
        SCOPED_TRACE(std::string("\"") + c.typed + "\" and scroll code " + std::to_string(c.code));
        EXPECT_EQ(c.shown, session.Rate());
        EXPECT_EQ(c.position, session.ArrowsPosition()) << "scroll bar position";
        if (c.code != SB_ENDSCROLL) {
            EXPECT_EQ(session.edit, session.Focus()) << "the edit has the focus afterwards";
            DWORD selection = static_cast<DWORD>(SendTo(session.edit, EM_GETSEL, 0, 0));
            EXPECT_EQ(0u, LOWORD(selection)) << "selection start";
            EXPECT_EQ(strlen(c.shown), HIWORD(selection)) << "selection end: the whole number is selected";
        }
    }
    session.Click(IDCANCEL);
    ASSERT_TRUE(session.WaitForEnd());
}

// A real click on each arrow of the scroll bar, which tracks the mouse in a
// loop of its own and notifies the dialog.
TEST_F(ConfigDialogTest, ClickingTheArrowsStepsTheNumber)
{
    StoreSettings("", 0, 42);
    ConfigSession session;
    ASSERT_TRUE(session.Open());
    RECT bar;
    GetClientRect(session.arrows, &bar);
    PostClick(session.arrows, bar.right / 2, 1);
    ASSERT_TRUE(PumpUntil([&] { return session.Rate() != "42"; }, 5000)) << "the upper arrow did nothing";
    EXPECT_EQ("43", session.Rate()) << "one click on the upper arrow of 42";
    PostClick(session.arrows, bar.right / 2, bar.bottom - 2);
    ASSERT_TRUE(PumpUntil([&] { return session.Rate() != "43"; }, 5000)) << "the lower arrow did nothing";
    EXPECT_EQ("42", session.Rate()) << "one click on the lower arrow of 43";
    session.Click(IDOK);
    ASSERT_TRUE(session.WaitForEnd());
    ExpectNumberValue("UpdateRate", 42);
}

TEST_F(ConfigDialogTest, TheAboutBoxHasNoOwnerAndOnlyItsOkButtonClosesIt)
{
    ConfigSession session;
    ASSERT_TRUE(session.Open("/c"));
    session.Click(kAboutButton);
    HWND about = WaitForShownDialog(session.ProcessId(), kAboutTitle);
    ASSERT_NE(nullptr, about) << "no About box after clicking \"A prop. de\"";
    EXPECT_EQ(nullptr, GetWindow(about, GW_OWNER)) << "the About box has no owner";
    EXPECT_TRUE(IsWindowEnabled(session.dialog)) << "the configuration dialog stays enabled";

    // Escape, the close box and the Cancel command are all ignored.
    ASSERT_TRUE(PumpUntil([&] { return FocusOfThreadOf(about) == GetDlgItem(about, IDOK); }, 5000))
        << "the OK button of the About box has no focus";
    PostKey(GetDlgItem(about, IDOK), VK_ESCAPE);
    PumpFor(300);
    EXPECT_TRUE(IsWindow(about)) << "Escape closed the About box";
    PostMessageA(about, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpFor(300);
    EXPECT_TRUE(IsWindow(about)) << "the close box closed the About box";
    PostMessageA(about, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    PumpFor(300);
    EXPECT_TRUE(IsWindow(about)) << "the Cancel command closed the About box";

    // The configuration dialog still answers while the About box is up.
    session.Scroll(SB_LINEUP);
    EXPECT_EQ("3", session.Rate()) << "the upper arrow of 2 while the About box is open";

    PostMessageA(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(about); }, 5000)) << "OK did not close the About box";
    EXPECT_TRUE(IsWindow(session.dialog)) << "closing the About box closed the configuration dialog";
    EXPECT_TRUE(session.Running());
    session.Click(IDCANCEL);
    ASSERT_TRUE(session.WaitForEnd());
    EXPECT_EQ(0u, session.ExitCode());
}

}  // namespace

namespace {

// The running dialog as the user sees it: the controls' classes, texts read
// back from the windows, styles and their places in dialog units.
TEST_F(ConfigDialogTest, TheRunningDialogShowsTheFrenchTextsAndTheLayout)
{
    ConfigSession session;
    ASSERT_TRUE(session.Open());
    EXPECT_EQ(kConfigTitle, WindowText(session.dialog));
    RECT client;
    GetClientRect(session.dialog, &client);
    struct Control {
        int id;
        const char* className;
        const char* text;
        int x, y, cx, cy;
        DWORD style;  // bits that must be set
    } controls[] = {
        {1, "Button", "OK", 7, 72, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
        {1000, "Button", "Aff. images plein \xE9" "cran", 31, 46, 107, 10, BS_AUTOCHECKBOX | BS_LEFTTEXT | WS_TABSTOP},
        {2, "Button", "Cancel", 62, 71, 50, 14, WS_TABSTOP},
        {1001, "Edit", "2", 115, 18, 25, 12, WS_TABSTOP | ES_AUTOHSCROLL},
        {1004, "Button", "A prop. de", 117, 71, 50, 14, WS_TABSTOP},
        {1002, "ScrollBar", "", 141, 18, 8, 11, SBS_VERT},
    };
    for (const Control& c : controls) {
        SCOPED_TRACE("control " + std::to_string(c.id));
        HWND control = GetDlgItem(session.dialog, c.id);
        ASSERT_NE(nullptr, control);
        EXPECT_STRCASEEQ(c.className, ClassName(control).c_str());
        EXPECT_EQ(c.text, ControlText(control));
        DWORD style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
        EXPECT_EQ(c.style | WS_CHILD | WS_VISIBLE, style & (c.style | WS_CHILD | WS_VISIBLE))
            << std::hex << "style 0x" << style;
        // Dialog units to pixels from the dialog's own client size (176 x 93 units).
        RECT r;
        GetWindowRect(control, &r);
        MapWindowPoints(NULL, session.dialog, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_NEAR(MulDiv(c.x, client.right, 176), r.left, 2) << "left";
        EXPECT_NEAR(MulDiv(c.y, client.bottom, 93), r.top, 2) << "top";
        EXPECT_NEAR(MulDiv(c.cx, client.right, 176), r.right - r.left, 2) << "width";
        EXPECT_NEAR(MulDiv(c.cy, client.bottom, 93), r.bottom - r.top, 2) << "height";
    }
    HWND edit = GetDlgItem(session.dialog, 1001);
    EXPECT_TRUE(GetWindowLongA(edit, GWL_EXSTYLE) & WS_EX_RIGHT) << "the number is right-aligned";
    EXPECT_TRUE((GetWindowLongA(edit, GWL_STYLE) & WS_BORDER) || (GetWindowLongA(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE))
        << "the edit has a border";

    // The labels without an identifier, found by their texts.
    std::vector<std::string> labels;
    for (HWND child = GetWindow(session.dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetDlgCtrlID(child) == 0xFFFF || GetDlgCtrlID(child) == -1)
            labels.push_back(ControlText(child));
    std::vector<std::string> expected = {"Options", "Affichage", "Dur\xE9" "e image (sec)"};
    EXPECT_EQ(expected, labels) << "the group boxes and the label, in template order";

    session.Click(IDCANCEL);
    ASSERT_TRUE(session.WaitForEnd());
}

TEST_F(ConfigDialogTest, TheAboutBoxShowsThreeCentredSunkenCreditLines)
{
    ConfigSession session;
    ASSERT_TRUE(session.Open());
    session.Click(kAboutButton);
    HWND about = WaitForShownDialog(session.ProcessId(), kAboutTitle);
    ASSERT_NE(nullptr, about);
    std::vector<std::string> credits;
    for (HWND child = GetWindow(about, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == IDOK)
            continue;
        EXPECT_STRCASEEQ("Static", ClassName(child).c_str());
        DWORD style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
        EXPECT_EQ(static_cast<DWORD>(SS_CENTER), style & SS_TYPEMASK) << std::hex << "style 0x" << style;
        EXPECT_TRUE(style & SS_SUNKEN) << std::hex << "style 0x" << style;
        EXPECT_TRUE(style & WS_GROUP) << std::hex << "style 0x" << style;
        credits.push_back(ControlText(child));
    }
    std::vector<std::string> expected = {"Economiseur d'\xE9" "cran VRX2\nVersion 1.0.0.1",
                                         "Copyright \xA9 Quandrel\nTous droits r\xE9serv\xE9s",
                                         "Merci d'avoir choisi VRX2 !"};
    EXPECT_EQ(expected, credits);
    EXPECT_EQ("OK", ControlText(GetDlgItem(about, IDOK)));
    PostMessageA(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(about); }, 5000));
    session.Click(IDCANCEL);
    ASSERT_TRUE(session.WaitForEnd());
}

}  // namespace
