// CWnd: window ownership, message dispatch and the common window operations.
#include "wnd.h"

#include <stdio.h>

#include "temp_map.h"
#include "win_app.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

namespace {

const char kObjectProperty[] = "VrxFrameworkObject";
CWnd* g_pWndInit = NULL;  // the object whose window is being created
BOOL g_bLastCreateAttached = FALSE;

CTempMap<HWND, CWnd>& TempWindows()
{
    static CTempMap<HWND, CWnd> map;
    return map;
}

}  // namespace

HWND AfxCreateHookedWindow(CWnd* pWnd, const CREATESTRUCT& cs)
{
    g_pWndInit = pWnd;
    g_bLastCreateAttached = FALSE;
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, (DWORD)cs.style, cs.x, cs.y, cs.cx,
                                  cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    g_bLastCreateAttached = (g_pWndInit == NULL);
    g_pWndInit = NULL;
    return hWnd;
}

BOOL AfxLastCreateAttached() { return g_bLastCreateAttached; }

CWnd::~CWnd()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
        // The object goes before its window: the window must not keep a
        // pointer to it.
        HWND hWnd = m_hWnd;
        Detach();
        ::DestroyWindow(hWnd);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd ? static_cast<CWnd*>(::GetPropA(hWnd, kObjectProperty)) : NULL;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return NULL;
    CWnd* pWnd = FromHandlePermanent(hWnd);
    return pWnd ? pWnd : TempWindows().Lookup(hWnd);
}

void CWnd::DeleteTempMap() { TempWindows().Clear(); }

BOOL CWnd::Attach(HWND hWnd)
{
    if (!hWnd || FromHandlePermanent(hWnd))
        return FALSE;
    TempWindows().Remove(hWnd);
    m_hWnd = hWnd;
    return ::SetPropA(hWnd, kObjectProperty, this);
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd && FromHandlePermanent(hWnd) == this)
        ::RemovePropA(hWnd, kObjectProperty);
    m_hWnd = NULL;
    return hWnd;
}

LPCSTR CWnd::RegisterFrameworkClass(UINT nClassStyle, HBRUSH hbrBackground, HICON hIcon)
{
    static char name[64];
    snprintf(name, sizeof name, "VrxFw:%x:%p:%p", nClassStyle, (void*)hbrBackground, (void*)hIcon);
    WNDCLASSA wc;
    HINSTANCE hInstance = AfxGetInstanceHandle();
    if (::GetClassInfoA(hInstance, name, &wc))
        return name;
    wc = WNDCLASSA();
    wc.style = nClassStyle;
    wc.lpfnWndProc = FrameworkWndProc;
    wc.hInstance = hInstance;
    wc.hIcon = hIcon;
    wc.hCursor = ::LoadCursorA(NULL, IDC_ARROW);
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = name;
    return ::RegisterClassA(&wc) ? name : NULL;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = RegisterFrameworkClass(CS_DBLCLKS, (HBRUSH)(COLOR_WINDOW + 1), NULL);
    return cs.lpszClass != NULL;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    CREATESTRUCTA cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = (LONG)dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    g_bLastCreateAttached = FALSE;
    if (!PreCreateWindow(cs))
        return FALSE;
    return AfxCreateHookedWindow(this, cs) != NULL;
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, LPVOID lpParam)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : NULL,
                    (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

void CWnd::GetWindowText(CString& rString) const
{
    int length = ::GetWindowTextLengthA(m_hWnd);
    ::GetWindowTextA(m_hWnd, rString.GetBuffer(length + 1), length + 1);
    rString.ReleaseBuffer();
}

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }

int CWnd::ReleaseDC(CDC* pDC)
{
    if (!pDC)
        return 0;
    HDC hDC = pDC->m_hDC;
    int result = ::ReleaseDC(m_hWnd, hDC);
    pDC->Detach();
    return result;
}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    if (!lpszCaption)
        lpszCaption = AfxGetAppName();
    return ::MessageBoxA(m_hWnd, lpszText, lpszCaption, nType);
}

LRESULT CALLBACK CWnd::FrameworkWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (!pWnd && g_pWndInit) {
        pWnd = g_pWndInit;
        g_pWndInit = NULL;
        pWnd->Attach(hWnd);
    }
    if (!pWnd)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    LRESULT result = pWnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        pWnd->Detach();
        pWnd->PostNcDestroy();
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    CurrentMessage saved = m_currentMsg;
    m_currentMsg = {message, wParam, lParam};
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    m_currentMsg = saved;
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 0;
        return TRUE;
    }
    const AFX_MSGMAP_ENTRY* entry = FindEntry(message, 0, 0);
    if (!entry)
        return FALSE;
    LRESULT result = 0;
    switch (entry->nSig) {
    case AfxSig_v_v:
        (this->*AfxFromSlot<void (CWnd::*)()>(entry->pfn))();
        break;
    case AfxSig_i_create:
        result = (this->*AfxFromSlot<int (CWnd::*)(LPCREATESTRUCT)>(entry->pfn))((LPCREATESTRUCT)lParam);
        break;
    case AfxSig_v_uii:
        (this->*AfxFromSlot<void (CWnd::*)(UINT, int, int)>(entry->pfn))(
            (UINT)wParam, (short)LOWORD(lParam), (short)HIWORD(lParam));
        break;
    case AfxSig_v_u:
        (this->*AfxFromSlot<void (CWnd::*)(UINT)>(entry->pfn))((UINT)wParam);
        break;
    case AfxSig_v_uuu:
        (this->*AfxFromSlot<void (CWnd::*)(UINT, UINT, UINT)>(entry->pfn))(
            (UINT)wParam, LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_v_bu:
        (this->*AfxFromSlot<void (CWnd::*)(BOOL, UINT)>(entry->pfn))((BOOL)wParam, (UINT)lParam);
        break;
    case AfxSig_v_w:
        (this->*AfxFromSlot<void (CWnd::*)(CWnd*)>(entry->pfn))(FromHandle((HWND)wParam));
        break;
    default:
        return FALSE;
    }
    *pResult = result;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM)
{
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_currentMsg.message, m_currentMsg.wParam, m_currentMsg.lParam);
}

void CWnd::PostNcDestroy() {}

int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnTimer(UINT) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
