// The in-process setup fixture and the recording installation run.
#include "setup_fixture.h"

#include "main_frame.h"
#include "marlo_doc.h"
#include "resource.h"

namespace setuptest {

InstallationCall g_installation;

CWinApp& TestApp()
{
    static CWinApp app;
    static bool attached = false;
    if (!attached) {
        app.AttachInstance(GetModuleHandleA(NULL));
        app.AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CMarloDoc), RUNTIME_CLASS(CMainFrame),
                                                  RUNTIME_CLASS(CMarloView)));
        attached = true;
    }
    return app;
}

CMarloView* OpenSetupWindow()
{
    CWinApp& app = TestApp();
    app.OnFileNew();
    CWnd* pMain = app.m_pMainWnd;
    if (!pMain || !pMain->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        return NULL;
    CView* pView = static_cast<CFrameWnd*>(pMain)->GetActiveView();
    return pView && pView->IsKindOf(RUNTIME_CLASS(CMarloView)) ? static_cast<CMarloView*>(pView) : NULL;
}

HWND OpenIdleSetupFrame()
{
    CMarloView* view = OpenSetupWindow();
    if (!view)
        return NULL;
    KillTimer(view->GetSafeHwnd(), 12345);
    return TestApp().m_pMainWnd->GetSafeHwnd();
}

void CloseSetupWindow()
{
    CWinApp& app = TestApp();
    if (app.m_pMainWnd) {
        CWnd* pMain = app.m_pMainWnd;
        app.m_pMainWnd = NULL;
        pMain->DestroyWindow();
    }
}

BOOL TakeQuitMessage(int* exitCode)
{
    MSG msg;
    if (!PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE))
        return FALSE;
    if (exitCode)
        *exitCode = (int)msg.wParam;
    return TRUE;
}

BOOL PumpUntilQuit(DWORD timeoutMs, int* exitCode)
{
    DWORD start = GetTickCount();
    MSG msg;
    do {
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                if (exitCode)
                    *exitCode = (int)msg.wParam;
                return TRUE;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < timeoutMs);
    return FALSE;
}

}  // namespace setuptest

// The installation run as the sequence sees it: records what it is handed
// and ends the setup.
BOOL CMarloView::RunInstallation(const char* destination, const char* source)
{
    setuptest::g_installation.calls++;
    setuptest::g_installation.destination = destination;
    setuptest::g_installation.source = source;
    setuptest::g_installation.installSaver = m_optionsDlg.installSaver;
    setuptest::g_installation.installSound = m_optionsDlg.installSound;
    ::PostQuitMessage(0);
    return TRUE;
}
