// CSingleDocTemplate.
#include "doc_template.h"

#include "document.h"
#include "frame_wnd.h"
#include "view.h"
#include "win_app.h"

IMPLEMENT_DYNAMIC(CSingleDocTemplate, CCmdTarget)

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                       CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
    m_strDocStrings.LoadString(nIDResource);
}

CSingleDocTemplate::~CSingleDocTemplate() { delete m_pOnlyDoc; }

BOOL CSingleDocTemplate::GetDocString(CString& rString, DocStringIndex index) const
{
    rString.Empty();
    int start = 0;
    for (int field = 0; field < (int)index; field++) {
        start = m_strDocStrings.Find('\n', start);
        if (start < 0)
            return FALSE;
        start++;
    }
    int end = m_strDocStrings.Find('\n', start);
    rString = end < 0 ? m_strDocStrings.Mid(start) : m_strDocStrings.Mid(start, end - start);
    return TRUE;
}

CFrameWnd* CSingleDocTemplate::CreateNewFrame(CDocument* pDoc)
{
    CObject* pObject = m_pFrameClass ? m_pFrameClass->CreateObject() : NULL;
    CFrameWnd* pFrame = (pObject && pObject->IsKindOf(RUNTIME_CLASS(CFrameWnd))) ? static_cast<CFrameWnd*>(pObject)
                                                                                 : NULL;
    if (!pFrame) {
        delete pObject;
        return NULL;
    }
    CCreateContext context;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pCurrentDoc = pDoc;
    // LoadFrame deletes the object itself when the window cannot be made.
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL, &context))
        return NULL;
    return pFrame;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible)
{
    CWinApp* pApp = AfxGetApp();
    BOOL created = FALSE;
    CFrameWnd* pFrame = NULL;
    if (!m_pOnlyDoc) {
        CObject* pObject = m_pDocClass ? m_pDocClass->CreateObject() : NULL;
        if (!pObject || !pObject->IsKindOf(RUNTIME_CLASS(CDocument))) {
            delete pObject;
            return NULL;
        }
        m_pOnlyDoc = static_cast<CDocument*>(pObject);
        m_pOnlyDoc->m_pDocTemplate = this;
        created = TRUE;
    } else if (pApp && pApp->m_pMainWnd && pApp->m_pMainWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        pFrame = static_cast<CFrameWnd*>(pApp->m_pMainWnd);
    }
    // The one document outlives its frame: when the frame has gone, the
    // document gets a new one.
    BOOL newFrame = FALSE;
    if (!pFrame) {
        pFrame = CreateNewFrame(m_pOnlyDoc);
        if (!pFrame) {
            if (created) {
                delete m_pOnlyDoc;
                m_pOnlyDoc = NULL;
            }
            return NULL;
        }
        newFrame = TRUE;
    }

    CDocument* pDoc = m_pOnlyDoc;
    BOOL ok;
    if (lpszPathName == NULL) {
        CString title;
        GetDocString(title, fileNewName);
        if (title.IsEmpty())
            title = "Untitled";
        ok = pDoc->OnNewDocument();
        if (ok)
            pDoc->SetTitle(title);
    } else {
        ok = pDoc->OnOpenDocument(lpszPathName);
    }
    if (!ok) {
        if (newFrame) {
            if (pApp && pApp->m_pMainWnd == pFrame)
                pApp->m_pMainWnd = NULL;
            pFrame->DestroyWindow();
        }
        if (created) {
            delete m_pOnlyDoc;
            m_pOnlyDoc = NULL;
        }
        return NULL;
    }
    if (newFrame)
        pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
    return pDoc;
}
