// CMainFrame: the setup's one window, covering the whole screen.
#pragma once

#include "framework.h"

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
};
