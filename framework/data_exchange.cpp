// Dialog data exchange.
#include "data_exchange.h"

#include "framework_ids.h"
#include "win_app.h"
#include "wnd.h"

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    m_hWndLastControl = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), nIDC);
    m_bEditLastControl = FALSE;
    return m_hWndLastControl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWnd = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWnd;
}

void CDataExchange::Fail()
{
    m_bFailed = TRUE;
    if (m_hWndLastControl) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    if (pDX->m_bFailed)
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (!hWnd)
        return;
    if (pDX->m_bSaveAndValidate) {
        value = (int)::SendMessageA(hWnd, BM_GETCHECK, 0, 0);
    } else {
        ::SendMessageA(hWnd, BM_SETCHECK, (WPARAM)(value >= 0 && value <= 2 ? value : 0), 0);
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    if (pDX->m_bFailed)
        return;
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (!hWnd)
        return;
    if (pDX->m_bSaveAndValidate) {
        int length = ::GetWindowTextLengthA(hWnd);
        ::GetWindowTextA(hWnd, value.GetBuffer(length + 1), length + 1);
        value.ReleaseBuffer();
    } else {
        ::SetWindowTextA(hWnd, value);
    }
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bFailed)
        return;
    if (!pDX->m_bSaveAndValidate) {
        if (pDX->LastControl() && pDX->LastControlIsEdit())
            ::SendMessageA(pDX->LastControl(), EM_LIMITTEXT, (WPARAM)nChars, 0);
        return;
    }
    if (value.GetLength() > nChars) {
        CString format;
        format.LoadString(AFX_IDP_PARSE_STRING_SIZE);
        CString prompt;
        prompt.Format(format.IsEmpty() ? "%d" : (LPCSTR)format, nChars);
        ::MessageBoxA(pDX->m_pDlgWnd->GetSafeHwnd(), prompt, AfxGetAppName(), MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}
