// The real MARLO.EXE run from a distribution medium and driven from outside,
// as a user would: its dialogs found by their titles, their buttons clicked,
// the destination typed into edit 1002, its closing message answered.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace e2e {

extern const char kProductTitle[];      // "Economiseur d'écran VRX2"
extern const char kDestinationTitle[];  // "Destination directory"
extern const char kExitTitle[];         // "Sortir"
extern const char kInstalledMessage[];  // "Fichiers inst. correctement."
const DWORD kTimedOut = 0xDEADBEEF;

std::string DistDirectory();
std::string MarloPath();

// Every visible top-level window of a process, as "class 'title'".
std::vector<std::string> ProcessWindows(DWORD processId);

class SetupRun {
public:
    ~SetupRun();
    // Starts build\dist\MARLO.EXE with medium as its current directory.
    bool Start(const std::string& medium);
    DWORD Id() const { return child_.Id(); }

    // A visible, enabled dialog (#32770) of that title, or NULL after timeoutMs.
    HWND WaitDialog(const char* title, DWORD timeoutMs = 20000);
    // The options dialog: the dialog of the product's title with check box 1000.
    HWND WaitOptions(DWORD timeoutMs = 20000);

    // In the options dialog: leaves the boxes as wanted, then OK.
    bool ChooseAndConfirm(bool saver, bool sound);
    // In the destination dialog: types path into edit 1002 and presses
    // "Installer"; confirms the create dialog when the path does not exist.
    bool AcceptDestination(const std::string& path);

    // Lets the run go to its end, answering the product's message boxes with
    // OK and collecting their texts. Any other dialog left standing is
    // recorded in unexpected. The exit code, or kTimedOut.
    DWORD Finish(DWORD timeoutMs = 60000);

    // The button that answers the shell's "Confirm file overwrite" question
    // ("Yes to &all", "&No", "Cancel"...); NULL leaves it unexpected.
    const char* overwriteAnswer = NULL;
    int overwriteQuestions = 0;

    std::vector<std::string> messages;    // texts of the message boxes answered
    std::vector<std::string> unexpected;  // dialogs nobody asked for

private:
    vrxtest::ChildProcess child_;
};

// A program run to its end with arguments from directory while its
// top-level windows are looked at every millisecond or so; with
// stopAtFirstWindow it is ended as soon as one is visible. The exit code, or
// kTimedOut.
struct WatchedRun {
    DWORD exitCode = kTimedOut;
    std::vector<std::string> windows;  // "class 'title'" of each visible window seen
};
WatchedRun RunWatched(const std::string& program, const std::string& arguments, const std::string& directory,
                      DWORD timeoutMs = 60000, bool stopAtFirstWindow = false);

// Clicks a button of another process's dialog.
void Click(HWND dialog, int id);
// A control's text, read through WM_GETTEXT.
std::string ItemText(HWND dialog, int id);
// The child window of a dialog that carries this text, or NULL.
HWND FindChildByText(HWND dialog, const char* text);
// Texts of the static controls of a dialog, joined by " | ".
std::string DialogTexts(HWND dialog);

}  // namespace e2e
