// CView: the child window of a frame that shows a document and paints
// through OnDraw.
#pragma once

#include "wnd.h"

class CDocument;
class CFrameWnd;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    CFrameWnd* GetParentFrame() const;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, LPVOID lpParam = NULL) override;
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnPrepareDC(CDC* pDC);
    BOOL OnCmdMsg(UINT nID, int nCode) override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnPaint();
    void OnDestroy();

    CDocument* m_pDocument = NULL;

protected:
    CView() = default;
    DECLARE_MESSAGE_MAP()
    void PostNcDestroy() override;
};
