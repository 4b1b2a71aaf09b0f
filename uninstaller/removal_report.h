// What one removal could not do, and the one message that tells the user.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct RemovalReport {
    std::vector<std::string> failures;     // items that are still there
    std::vector<std::string> keptFolders;  // folders kept for the user's own files
    std::vector<std::string> keptFiles;    // installed files changed since, left as they are
    std::vector<std::string> unrecordedFolders;  // installations without a record: no file taken
    bool previousSaverLost = false;        // the saver before ours could not be named again
    bool selfRemovalScheduled = false;
    std::string selfPath;                  // the running uninstaller

    void Fail(const std::string& item) { failures.push_back(item); }
    bool Succeeded() const { return failures.empty(); }
};

// Replaces each "%s" of a resource text by the argument (no printf-style
// formatting, so a path holding '%' is shown as it is).
std::string FillIn(const std::string& pattern, const std::string& argument);

// A text of the string table, in Windows-1252.
std::string LoadText(UINT id);

// The text of the closing message for a finished removal.
std::string ComposeReport(const RemovalReport& report);

// Shows a message of the uninstaller: its caption is the product's name.
int ShowUninstallMessage(const std::string& text, UINT style);
