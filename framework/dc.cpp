// CDC, CPaintDC and CClientDC.
#include "dc.h"

#include "temp_map.h"
#include "wnd.h"

IMPLEMENT_DYNCREATE(CDC, CObject)

namespace {
CTempMap<HDC, CDC>& TempDCs()
{
    static CTempMap<HDC, CDC> map;
    return map;
}
}  // namespace

CDC::~CDC()
{
    if (m_bOwned)
        DeleteDC();
}

CDC* CDC::FromHandle(HDC hDC) { return hDC ? TempDCs().Lookup(hDC) : NULL; }

void CDC::DeleteTempMap() { TempDCs().Clear(); }

BOOL CDC::Attach(HDC hDC)
{
    if (!hDC)
        return FALSE;
    m_hDC = hDC;
    m_bOwned = FALSE;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    m_hDC = NULL;
    m_bOwned = FALSE;
    return hDC;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    HDC hDC = ::CreateCompatibleDC(pDC ? pDC->m_hDC : NULL);
    if (!hDC)
        return FALSE;
    m_hDC = hDC;
    m_bOwned = TRUE;
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    HDC hDC = m_hDC;
    m_hDC = NULL;
    m_bOwned = FALSE;
    return hDC ? ::DeleteDC(hDC) : FALSE;
}

CWnd* CDC::GetWindow() const { return CWnd::FromHandle(::WindowFromDC(m_hDC)); }

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    HPALETTE previous = ::SelectPalette(m_hDC, pPalette ? (HPALETTE)pPalette->m_hObject : NULL, bForceBackground);
    return CPalette::FromHandle(previous);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF color)
{
    ::SetBkColor(m_hDC, color);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, NULL, 0, NULL);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color)
{
    CRect rect(x, y, x + cx, y + cy);
    FillSolidRect(&rect, color);
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : NULL, xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop)
{
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : NULL, xSrc, ySrc, nSrcWidth,
                        nSrcHeight, dwRop);
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd()) { Attach(::BeginPaint(m_hWnd, &m_ps)); }

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->GetSafeHwnd() : NULL) { Attach(::GetDC(m_hWnd)); }

CClientDC::~CClientDC()
{
    if (m_hDC)
        ::ReleaseDC(m_hWnd, Detach());
}
