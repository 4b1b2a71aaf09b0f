// The framework tests' application object and a plain top-level window.
#pragma once

#include "framework.h"

namespace fwtest {

// The application object, attached to the test program on first use (its
// title comes from the program's string table).
CWinApp& TestApp();

// A visible top-level framework window, destroyed with the object.
class TopWindow : public CWnd {
public:
    explicit TopWindow(const char* title, int x = 40, int y = 40);
};

}  // namespace fwtest
