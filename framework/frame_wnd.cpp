// CFrameWnd.
#include "frame_wnd.h"

#include "doc_template.h"
#include "document.h"
#include "framework_ids.h"
#include "view.h"
#include "win_app.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    HINSTANCE hInstance = AfxGetResourceHandle();
    m_nIDResource = nIDResource;
    CString strings;
    strings.LoadString(nIDResource);
    int end = strings.Find('\n');
    m_strTitle = end < 0 ? strings : strings.Left(end);

    CREATESTRUCTA cs = {};
    cs.style = (LONG)dwDefaultStyle;
    cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
    cs.lpszName = m_strTitle;
    cs.hwndParent = pParentWnd ? pParentWnd->GetSafeHwnd() : NULL;
    cs.hMenu = ::LoadMenuA(hInstance, MAKEINTRESOURCEA(nIDResource));
    cs.hInstance = hInstance;
    cs.lpCreateParams = pContext;
    if (!PreCreateWindow(cs)) {
        if (cs.hMenu)
            ::DestroyMenu(cs.hMenu);
        delete this;
        return FALSE;
    }
    m_bAddToTitle = (cs.style & FWS_ADDTOTITLE) != 0;
    DWORD style = (DWORD)cs.style & ~(DWORD)FWS_ADDTOTITLE;

    cs.style = (LONG)style;
    CWinApp* pApp = AfxGetApp();
    BOOL becomesMain = pApp && !pApp->m_pMainWnd;
    if (becomesMain)
        pApp->m_pMainWnd = this;
    HWND hWnd = AfxCreateHookedWindow(this, cs);
    if (!hWnd) {
        if (becomesMain && pApp->m_pMainWnd == this)
            pApp->m_pMainWnd = NULL;
        // Once attached, the window's destruction has deleted this object.
        if (!AfxLastCreateAttached())
            delete this;
        return FALSE;
    }
    HICON hSmall = (HICON)::LoadImageA(hInstance, MAKEINTRESOURCEA(nIDResource), IMAGE_ICON,
                                       ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0);
    if (hSmall)
        SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)hSmall);
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    // The class carries the template's icon.
    if (!cs.lpszClass) {
        HICON hIcon = m_nIDResource ? ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDResource)) : NULL;
        cs.lpszClass = RegisterFrameworkClass(CS_DBLCLKS, (HBRUSH)(COLOR_WINDOW + 1), hIcon);
    }
    return cs.lpszClass != NULL;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CCreateContext* pContext = static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams);
    return OnCreateClient(lpCreateStruct, pContext) ? 0 : -1;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (!pContext || !pContext->m_pNewViewClass)
        return TRUE;
    return CreateView(pContext, AFX_IDW_PANE_FIRST) != NULL;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    if (!pObject || !pObject->IsKindOf(RUNTIME_CLASS(CView))) {
        delete pObject;
        return NULL;
    }
    CView* pView = static_cast<CView*>(pObject);
    // A view that cannot be created deletes itself.
    if (!pView->Create(NULL, NULL, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this, nID, pContext))
        return NULL;
    m_pViewActive = pView;
    return pView;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    (void)pDoc;
    if (m_pViewActive)
        m_pViewActive->OnInitialUpdate();
    OnUpdateFrameTitle();
    if (bMakeVisible) {
        CWinApp* pApp = AfxGetApp();
        int nCmdShow = SW_SHOW;
        if (pApp && pApp->m_pMainWnd == this && pApp->m_nCmdShow != -1) {
            nCmdShow = pApp->m_nCmdShow;
            pApp->m_nCmdShow = -1;
        }
        ShowWindow(nCmdShow);
        UpdateWindow();
    }
}

void CFrameWnd::OnUpdateFrameTitle()
{
    if (!m_bAddToTitle || !m_hWnd)
        return;
    CDocument* pDoc = GetActiveDocument();
    CString title = pDoc && !pDoc->GetTitle().IsEmpty() ? pDoc->GetTitle() + " - " + m_strTitle : m_strTitle;
    SetWindowText(title);
}

CDocument* CFrameWnd::GetActiveDocument() const
{
    return m_pViewActive ? m_pViewActive->GetDocument() : NULL;
}

void CFrameWnd::RecalcLayout()
{
    if (!m_pViewActive || !m_pViewActive->GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    m_pViewActive->MoveWindow(0, 0, client.Width(), client.Height());
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive && m_pViewActive->GetSafeHwnd())
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnClose()
{
    // The documents of this program are never modified: nothing to ask.
    DestroyWindow();
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode)
{
    if (m_pViewActive && m_pViewActive->OnCmdMsg(nID, nCode))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode);
}

void CFrameWnd::PostNcDestroy()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd == this) {
        // The main window is gone: the program ends.
        pApp->m_pMainWnd = NULL;
        ::PostQuitMessage(0);
    }
    delete this;
}
