// CDocument.
#include "document.h"

#include <string.h>

#include "file.h"
#include "frame_wnd.h"
#include "framework_ids.h"
#include "view.h"
#include "win_app.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CDocument::~CDocument()
{
    for (CView* pView : m_views)
        pView->m_pDocument = NULL;
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCSTR lpszPathName)
{
    CFile file;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite)) {
        CString format;
        format.LoadString(AFX_IDP_FAILED_TO_OPEN_DOC);
        CString prompt;
        prompt.Format(format.IsEmpty() ? "%s" : (LPCSTR)format, lpszPathName);
        AfxMessageBox(prompt, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    DeleteContents();
    CArchive archive(CArchive::load);
    Serialize(archive);
    file.Close();
    m_strPathName = lpszPathName;
    const char* name = strrchr(lpszPathName, '\\');
    SetTitle(name ? name + 1 : lpszPathName);
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::DeleteContents() {}

void CDocument::SetTitle(LPCSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    for (CView* pView : m_views) {
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame)
            pFrame->OnUpdateFrameTitle();
    }
}

void CDocument::AddView(CView* pView)
{
    m_views.push_back(pView);
    pView->m_pDocument = this;
}

void CDocument::RemoveView(CView* pView)
{
    for (auto it = m_views.begin(); it != m_views.end(); ++it) {
        if (*it == pView) {
            m_views.erase(it);
            break;
        }
    }
    pView->m_pDocument = NULL;
}
