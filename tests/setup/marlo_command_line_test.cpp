// MARLO.EXE started with a file name: a file that cannot be opened ends the
// program with the framework's message before the setup sequence starts; a
// file that opens changes nothing the user sees, not even the title.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "marlo_process.h"
#include "test_support.h"

using namespace vrxtest;
using namespace marlotest;

namespace {

BOOL CALLBACK CollectText(HWND child, LPARAM lParam)
{
    char text[512];
    LRESULT n = SendMessageA(child, WM_GETTEXT, sizeof text, (LPARAM)text);
    reinterpret_cast<std::vector<std::string>*>(lParam)->push_back(std::string(text, n > 0 ? (size_t)n : 0));
    return TRUE;
}

std::vector<std::string> Texts(HWND window)
{
    std::vector<std::string> texts;
    EnumChildWindows(window, CollectText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

TEST(MarloCommandLine, AFileThatCannotBeOpenedEndsTheProgramWithTheFrameworksMessage)
{
    MarloProcess marlo;
    ASSERT_TRUE(marlo.Start("no-such-document.doc"));
    HWND box = marlo.WaitDialog("Marlo");
    ASSERT_TRUE(box != NULL) << "no message titled with the application's title";
    bool said = false;
    for (const std::string& text : Texts(box))
        said |= text == "The document no-such-document.doc could not be opened.";
    EXPECT_TRUE(said) << "the message does not name the document";
    EXPECT_TRUE(FindProcessWindow(marlo.Child().Id(), "#32770", kFrameTitle) == NULL)
        << "the options dialog came up beside the message";
    Click(box, IDOK);
    EXPECT_EQ(0u, marlo.WaitExit()) << "exit code after the failed start";
}

TEST(MarloCommandLine, AFileThatOpensLeavesTheTitleAndTheSetupAsTheyAre)
{
    std::string directory = MakeScratchDirectory("command-line");
    std::string document = JoinPath(directory, "setup.doc");
    WriteFileBytes(document, "nothing", 7);
    MarloProcess marlo;
    ASSERT_TRUE(marlo.Start("\"" + document + "\""));
    HWND options = marlo.WaitDialog(kFrameTitle);
    ASSERT_TRUE(options != NULL) << "the options dialog did not appear";
    HWND frame = marlo.Frame();
    EXPECT_TRUE(frame != NULL) << "the frame's title is not \"" << kFrameTitle << "\"";
    Click(options, IDCANCEL);
    HWND exitDlg = marlo.WaitDialog(kExitTitle);
    ASSERT_TRUE(exitDlg != NULL);
    Click(exitDlg, IDCANCEL);
    EXPECT_EQ(0u, marlo.WaitExit());
    EXPECT_EQ(7u, ReadFileBytes(document).size()) << "the document was written";
    RemoveTree(directory);
}

}  // namespace
