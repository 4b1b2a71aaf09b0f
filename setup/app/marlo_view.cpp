// CMarloView: construction, the start timer, painting and destruction.
#include "marlo_view.h"

#include "background_picture.h"
#include "dib_image.h"

IMPLEMENT_DYNCREATE(CMarloView, CView)

BEGIN_MESSAGE_MAP(CMarloView, CView)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

CMarloView::CMarloView() : tickCount(0), m_bSequenceStarted(FALSE) {}

BOOL CMarloView::PreCreateWindow(CREATESTRUCT& cs) { return CView::PreCreateWindow(cs); }

void CMarloView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    SetTimer(SETUP_TIMER_ID, SETUP_TIMER_PERIOD, NULL);
}

void CMarloView::OnDraw(CDC* pDC)
{
    static RECT s_clientRect;
    GetClientRect(&s_clientRect);
    pDC->FillSolidRect(&s_clientRect, RGB(0, 0, 0));
    if (!g_pBackgroundImage)
        return;
    if (g_nDisplayMode == 1)
        g_pBackgroundImage->DrawCentered(pDC, TRUE);
    else
        g_pBackgroundImage->DrawStretched(pDC, CRect(s_clientRect), TRUE);
}

void CMarloView::OnSize(UINT nType, int cx, int cy) { CView::OnSize(nType, cx, cy); }

void CMarloView::OnDestroy()
{
    CView::OnDestroy();
    KillTimer(SETUP_TIMER_ID);
    if (g_pBackgroundImage) {
        delete g_pBackgroundImage;
        g_pBackgroundImage = NULL;
    }
}
