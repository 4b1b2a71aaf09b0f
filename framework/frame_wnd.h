// CFrameWnd: a top-level window holding one view, with the template's menu
// and icon; commands go to the view, the frame, then the application.
#pragma once

#include "wnd.h"

struct CCreateContext;
class CDocument;
class CView;

// Framework style bit (never passed to the window manager): the document's
// title is added to the frame's caption.
#define FWS_ADDTOTITLE 0x00008000L

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd() = default;

    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void OnUpdateFrameTitle();
    void RecalcLayout();

    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pView) { m_pViewActive = pView; }
    CDocument* GetActiveDocument() const;
    BOOL OnCmdMsg(UINT nID, int nCode) override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    void OnClose();

protected:
    DECLARE_MESSAGE_MAP()
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CWnd* CreateView(CCreateContext* pContext, UINT nID);
    void PostNcDestroy() override;

    CView* m_pViewActive = NULL;
    CString m_strTitle;
    BOOL m_bAddToTitle = FALSE;
    UINT m_nIDResource = 0;
};
