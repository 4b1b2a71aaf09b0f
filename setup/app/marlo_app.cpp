// CMarloApp: start-up of the setup program and its About command.
#include "marlo_app.h"

#include "main_frame.h"
#include "marlo_doc.h"
#include "marlo_view.h"
#include "resource.h"
#include "setup_dialogs.h"

BEGIN_MESSAGE_MAP(CMarloApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
END_MESSAGE_MAP()

// The one application object.
CMarloApp theApp;

CMarloApp::CMarloApp() {}

BOOL CMarloApp::InitInstance()
{
    Enable3dControlsStatic();
    LoadStdProfileSettings(4);
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CMarloDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CMarloView)));
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;
    return TRUE;
}

void CMarloApp::OnAppAbout()
{
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}
