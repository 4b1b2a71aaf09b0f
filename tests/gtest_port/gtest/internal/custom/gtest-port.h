// GoogleTest's port settings for this project's toolchain. The win32 thread
// model of MinGW-w64's libstdc++ has no std::mutex nor std::condition_variable,
// on which GoogleTest builds its Notification; this one waits on a Win32
// event. GoogleTest's mutexes and thread-local storage already use Win32.
#pragma once

#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
public:
    Notification() : event_(CreateEventA(NULL, TRUE, FALSE, NULL)) {}
    ~Notification() { CloseHandle(event_); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { SetEvent(event_); }
    void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

private:
    HANDLE event_;
};

}  // namespace internal
}  // namespace testing
