// CWinApp: start-up, command line, templates, the message loop.
#include "win_app.h"

#include <stdlib.h>
#include <string.h>

#include "dc.h"
#include "doc_template.h"
#include "framework_ids.h"
#include "gdi_objects.h"
#include "wnd.h"

#include <commdlg.h>

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

namespace {
CWinApp* g_pApp = NULL;
}

CWinApp* AfxGetApp() { return g_pApp; }
CWnd* AfxGetMainWnd() { return g_pApp ? g_pApp->m_pMainWnd : NULL; }
HINSTANCE AfxGetInstanceHandle()
{
    return g_pApp && g_pApp->m_hInstance ? g_pApp->m_hInstance : ::GetModuleHandleA(NULL);
}
HINSTANCE AfxGetResourceHandle() { return AfxGetInstanceHandle(); }
LPCSTR AfxGetAppName() { return g_pApp && g_pApp->m_pszAppName ? g_pApp->m_pszAppName : ""; }

int AfxMessageBox(LPCSTR lpszText, UINT nType)
{
    CWnd* pMain = AfxGetMainWnd();
    return ::MessageBoxA(pMain ? pMain->GetSafeHwnd() : NULL, lpszText, AfxGetAppName(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType);
}

void CCommandLineInfo::ParseParam(LPCSTR lpszParam, BOOL bFlag, BOOL)
{
    if (bFlag)
        return;  // no switches of this framework change the start-up
    if (m_strFileName.IsEmpty()) {
        m_strFileName = lpszParam;
        m_nShellCommand = FileOpen;
    }
}

CWinApp::CWinApp(LPCSTR lpszAppName) : m_pszAppName(lpszAppName)
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    for (CSingleDocTemplate* pTemplate : m_templates)
        delete pTemplate;
    if (g_pApp == this)
        g_pApp = NULL;
}

void CWinApp::AttachInstance(HINSTANCE hInstance)
{
    m_hInstance = hInstance;
    if (!m_pszAppName) {
        if (!m_strAppName.LoadString(AFX_IDS_APP_TITLE)) {
            char path[MAX_PATH];
            DWORD n = ::GetModuleFileNameA(hInstance, path, MAX_PATH);
            path[n < MAX_PATH ? n : MAX_PATH - 1] = '\0';
            char* name = strrchr(path, '\\');
            name = name ? name + 1 : path;
            char* dot = strrchr(name, '.');
            if (dot)
                *dot = '\0';
            m_strAppName = name;
        }
        m_pszAppName = m_strAppName;
    }
    if (!m_pszProfileName) {
        m_strProfileName = CString(m_pszAppName) + ".INI";
        m_pszProfileName = m_strProfileName;
    }
}

int CWinApp::WinMainEntry(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow)
{
    AttachInstance(hInstance);
    m_lpCmdLine = lpCmdLine;
    m_nCmdShow = nCmdShow;
    int exitCode = 0;
    if (!InitApplication() || !InitInstance()) {
        if (m_pMainWnd && ::IsWindow(m_pMainWnd->GetSafeHwnd())) {
            CWnd* pMain = m_pMainWnd;
            m_pMainWnd = NULL;
            pMain->DestroyWindow();
        }
        exitCode = ExitInstance();
        return exitCode;
    }
    return Run();
}

BOOL CWinApp::InitApplication() { return TRUE; }
BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::Run()
{
    MSG msg = {};
    LONG idleCount = 0;
    int quitCode = 0;
    for (;;) {
        while (!::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++))
                break;
        }
        BOOL got = ::GetMessageA(&msg, NULL, 0, 0);
        if (got == 0) {
            quitCode = (int)msg.wParam;
            break;
        }
        if (got == -1)
            break;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
        idleCount = 0;
    }
    // The quit message ends the loop; the windows go with it.
    if (m_pMainWnd && ::IsWindow(m_pMainWnd->GetSafeHwnd())) {
        CWnd* pMain = m_pMainWnd;
        m_pMainWnd = NULL;
        pMain->DestroyWindow();
    }
    ExitInstance();
    return quitCode;
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    if (lCount == 0) {
        CWnd::DeleteTempMap();
        CDC::DeleteTempMap();
        CPalette::DeleteTempMap();
    }
    return FALSE;
}

int CWinApp::ExitInstance() { return 0; }

void CWinApp::AddDocTemplate(CSingleDocTemplate* pTemplate) { m_templates.push_back(pTemplate); }

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    for (int i = 1; i < __argc; i++) {
        LPCSTR param = __argv[i];
        BOOL bFlag = (param[0] == '/' || param[0] == '-');
        rCmdInfo.ParseParam(bFlag ? param + 1 : param, bFlag, i == __argc - 1);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        OnFileNew();
        return m_pMainWnd != NULL;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != NULL;
    case CCommandLineInfo::FileNothing:
        return TRUE;
    }
    return FALSE;
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR lpszFileName)
{
    if (m_templates.empty())
        return NULL;
    return m_templates.front()->OpenDocumentFile(lpszFileName);
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    m_recentFiles.clear();
    for (UINT i = 1; i <= nMaxMRU; i++) {
        char key[16];
        char value[MAX_PATH];
        wsprintfA(key, "File%u", i);
        ::GetPrivateProfileStringA("Recent File List", key, "", value, sizeof value, m_pszProfileName);
        if (value[0])
            m_recentFiles.push_back(value);
    }
}

void CWinApp::OnFileNew()
{
    if (m_templates.empty())
        return;
    m_templates.front()->OpenDocumentFile(NULL);
}

void CWinApp::OnFileOpen()
{
    char path[MAX_PATH] = "";
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;  // the size Windows 98 and NT 4.0 accept
    ofn.hwndOwner = m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : NULL;
    ofn.lpstrFilter = "All Files (*.*)\0*.*\0";
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof path;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (::GetOpenFileNameA(&ofn))
        OpenDocumentFile(path);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd)
        m_pMainWnd->SendMessage(WM_CLOSE);
}
