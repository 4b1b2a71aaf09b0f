// CMainFrame.
#include "main_frame.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.x = 0;
    cs.y = 0;
    cs.cx = ::GetSystemMetrics(SM_CXSCREEN);
    cs.cy = ::GetSystemMetrics(SM_CYSCREEN);
    // The whole style: no sizing frame, no minimise or maximise box, and no
    // document name added to the title.
    cs.style = WS_VISIBLE | WS_CLIPCHILDREN | WS_SYSMENU;
    cs.dwExStyle = 0;
    cs.lpszName = "Economiseur d'\351cran VRX2";
    return CFrameWnd::PreCreateWindow(cs);
}
