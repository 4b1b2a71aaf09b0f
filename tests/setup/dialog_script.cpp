// The timer-driven dialog script.
#include "dialog_script.h"

#include <map>

#include "test_support.h"

namespace setuptest {

namespace {
std::map<UINT_PTR, DialogScript*>& Scripts()
{
    static std::map<UINT_PTR, DialogScript*> scripts;
    return scripts;
}

BOOL CALLBACK CollectDialogs(HWND window, LPARAM lParam)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == GetCurrentProcessId() && vrxtest::ClassName(window) == "#32770" && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectTexts(HWND window, LPARAM lParam)
{
    reinterpret_cast<std::vector<std::string>*>(lParam)->push_back(vrxtest::WindowText(window));
    return TRUE;
}
}  // namespace

HWND OwnDialog(const char* title)
{
    HWND found = vrxtest::FindProcessWindow(GetCurrentProcessId(), "#32770", title);
    return found && IsWindowVisible(found) && IsWindowEnabled(found) ? found : NULL;
}

std::vector<std::string> ChildTexts(HWND window)
{
    std::vector<std::string> texts;
    EnumChildWindows(window, CollectTexts, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

void EndOwnDialogs()
{
    std::vector<HWND> dialogs;
    EnumWindows(CollectDialogs, reinterpret_cast<LPARAM>(&dialogs));
    for (HWND dialog : dialogs)
        EndDialog(dialog, IDCANCEL);
}

DialogScript::DialogScript() = default;

DialogScript::~DialogScript() { Stop(); }

DialogScript& DialogScript::Then(const std::string& name, Step step)
{
    steps_.emplace_back(name, std::move(step));
    return *this;
}

DialogScript& DialogScript::OnDialog(const char* title, std::function<void(HWND)> action)
{
    std::string wanted = title;
    return Then("dialog \"" + wanted + "\"", [wanted, action] {
        HWND dialog = OwnDialog(wanted.c_str());
        if (!dialog)
            return false;
        action(dialog);
        return true;
    });
}

DialogScript& DialogScript::Click(const char* title, int id)
{
    return OnDialog(title, [id](HWND dialog) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); });
}

void DialogScript::Start(DWORD stepTimeoutMs)
{
    stepTimeout_ = stepTimeoutMs;
    stepStarted_ = GetTickCount();
    timer_ = SetTimer(NULL, 0, 30, Tick);
    Scripts()[timer_] = this;
}

void DialogScript::Stop()
{
    if (timer_) {
        KillTimer(NULL, timer_);
        Scripts().erase(timer_);
        timer_ = 0;
    }
}

std::string DialogScript::Report() const
{
    std::string report;
    for (const std::string& failure : failures_)
        report += "timed out waiting for " + failure + "; ";
    if (!Finished())
        report += "stopped before step " + std::to_string(next_ + 1) + " (" + steps_[next_].first + ")";
    return report;
}

void CALLBACK DialogScript::Tick(HWND, UINT, UINT_PTR id, DWORD)
{
    auto it = Scripts().find(id);
    if (it != Scripts().end())
        it->second->RunTick();
}

void DialogScript::RunTick()
{
    // A step's action can open a nested modal loop; ticks inside it wait.
    if (inTick_)
        return;
    inTick_ = true;
    if (!failures_.empty()) {
        EndOwnDialogs();  // whatever comes up after a failure is closed too
    } else if (next_ < steps_.size()) {
        if (steps_[next_].second()) {
            next_++;
            stepStarted_ = GetTickCount();
        } else if (GetTickCount() - stepStarted_ > stepTimeout_) {
            failures_.push_back(steps_[next_].first);
            next_ = steps_.size();
            EndOwnDialogs();
        }
    }
    inTick_ = false;
}

}  // namespace setuptest
