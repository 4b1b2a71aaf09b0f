// CMarloApp: start-up of the setup program and its About command.
#include "marlo_app.h"

#include "main_frame.h"
#include "marlo_doc.h"
#include "marlo_view.h"
#include "resource.h"
#include "setup_dialogs.h"
#include "silent_installation.h"

BEGIN_MESSAGE_MAP(CMarloApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
END_MESSAGE_MAP()

// The one application object.
CMarloApp theApp;

namespace {

// The unattended installation's result, the program's exit code.
int s_silentExitCode = 0;

}  // namespace

CMarloApp::CMarloApp() {}

BOOL CMarloApp::InitInstance()
{
    // MARLO.EXE /S ...: installed before any window exists, and no window
    // is ever made; the program then ends with the installation's exit code.
    SilentCommand silent = ParseSilentCommand(m_lpCmdLine);
    if (silent.silent) {
        s_silentExitCode = RunSilentInstallation(silent, ProgramDirectory());
        return FALSE;
    }
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

int CMarloApp::ExitInstance() { return s_silentExitCode; }

void CMarloApp::OnAppAbout()
{
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}
