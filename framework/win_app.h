// CWinApp, the one application object: start-up, command line, document
// templates and the message loop; and the global accessors.
#pragma once

#include <vector>

#include "cmd_target.h"
#include "cstring.h"

class CWnd;
class CDocument;
class CSingleDocTemplate;

class CCommandLineInfo {
public:
    enum { FileNew, FileOpen, FileNothing } m_nShellCommand = FileNew;
    CString m_strFileName;
    // One argument of the command line; flags start with '/' or '-'.
    virtual void ParseParam(LPCSTR lpszParam, BOOL bFlag, BOOL bLast);
    virtual ~CCommandLineInfo() = default;
};

class CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCSTR lpszAppName = NULL);
    ~CWinApp() override;

    LPCSTR m_pszAppName = NULL;
    LPCSTR m_pszProfileName = NULL;
    HINSTANCE m_hInstance = NULL;
    LPSTR m_lpCmdLine = NULL;
    int m_nCmdShow = SW_SHOWNORMAL;
    CWnd* m_pMainWnd = NULL;

    virtual BOOL InitApplication();
    virtual BOOL InitInstance();
    virtual int Run();
    virtual BOOL OnIdle(LONG lCount);
    virtual int ExitInstance();

    void AddDocTemplate(CSingleDocTemplate* pTemplate);
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
    // The recent-file list of the application's profile, nMaxMRU entries at most.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    // Three-dimensional dialog controls are the platform's own now: nothing to do.
    BOOL Enable3dControlsStatic() { return TRUE; }

    const std::vector<CString>& RecentFiles() const { return m_recentFiles; }

    void OnFileNew();
    void OnFileOpen();
    void OnAppExit();

    // Called by WinMain: fills the instance fields, then InitInstance and Run.
    int WinMainEntry(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow);
    // Fills the instance fields and the title without running anything.
    void AttachInstance(HINSTANCE hInstance);

protected:
    DECLARE_MESSAGE_MAP()

private:
    std::vector<CSingleDocTemplate*> m_templates;
    std::vector<CString> m_recentFiles;
    CString m_strAppName;
    CString m_strProfileName;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
LPCSTR AfxGetAppName();
// A message box owned by the main window with the application title.
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK);
