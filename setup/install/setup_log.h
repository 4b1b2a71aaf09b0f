// The unattended setup's log: lines added to the end of the file that its
// command line names, or written nowhere.
#pragma once

#include <windows.h>

#include <string>

class SetupLog {
public:
    SetupLog() = default;
    ~SetupLog();
    SetupLog(const SetupLog&) = delete;
    SetupLog& operator=(const SetupLog&) = delete;

    // Opens (or creates) path to add lines at its end. FALSE when it cannot.
    BOOL Open(const std::string& path);
    // One line, ended by CR LF; nothing when no file is open.
    void Line(const std::string& text);

private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
};
