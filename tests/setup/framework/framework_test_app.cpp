// The framework tests' application object and top-level windows.
#include "framework_test_app.h"

namespace fwtest {

CWinApp& TestApp()
{
    static CWinApp app;
    static bool attached = false;
    if (!attached) {
        app.AttachInstance(GetModuleHandleA(NULL));
        attached = true;
    }
    return app;
}

TopWindow::TopWindow(const char* title, int x, int y)
{
    CreateEx(0, NULL, title, WS_POPUP | WS_CAPTION | WS_VISIBLE, x, y, 300, 200, NULL, NULL);
}

}  // namespace fwtest
