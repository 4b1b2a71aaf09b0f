// Drives this process's own modal dialogs from a thread timer: each step is
// tried on every tick until it reports done, inside whatever modal loop runs.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace setuptest {

class DialogScript {
public:
    using Step = std::function<bool()>;

    DialogScript();
    ~DialogScript();

    // Adds a step; it is retried every tick until it returns true.
    DialogScript& Then(const std::string& name, Step step);
    // Steps that wait for the dialog of that title and act on it.
    DialogScript& OnDialog(const char* title, std::function<void(HWND)> action);
    DialogScript& Click(const char* title, int id);

    void Start(DWORD stepTimeoutMs = 8000);
    void Stop();
    bool Finished() const { return next_ >= steps_.size(); }
    // Names of steps that timed out (their dialogs were then ended with IDCANCEL).
    const std::vector<std::string>& Failures() const { return failures_; }
    std::string Report() const;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void RunTick();

    std::vector<std::pair<std::string, Step>> steps_;
    size_t next_ = 0;
    DWORD stepStarted_ = 0;
    DWORD stepTimeout_ = 8000;
    UINT_PTR timer_ = 0;
    bool inTick_ = false;
    std::vector<std::string> failures_;
};

// A visible, enabled dialog of this process with that title, or NULL.
HWND OwnDialog(const char* title);
// Every text of a window's children, in order (message box contents).
std::vector<std::string> ChildTexts(HWND window);
// Ends every dialog of this process with IDCANCEL.
void EndOwnDialogs();

}  // namespace setuptest
