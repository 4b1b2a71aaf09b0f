// CMarloApp: the setup program's application object.
#pragma once

#include "framework.h"

class CMarloApp : public CWinApp {
public:
    CMarloApp();
    BOOL InitInstance() override;
    // 0, or the exit code of an unattended installation.
    int ExitInstance() override;
    void OnAppAbout();

protected:
    DECLARE_MESSAGE_MAP()
};
