// CDialog: the modal run and the dialog procedure that feeds the message map.
#include "dialog.h"

#include "win_app.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

HWND CDialog::FindOwner() const
{
    if (m_pParentWnd && m_pParentWnd->GetSafeHwnd())
        return m_pParentWnd->GetSafeHwnd();
    CWnd* pMain = AfxGetMainWnd();
    HWND hOwner = pMain ? pMain->GetSafeHwnd() : NULL;
    if (!hOwner)
        return NULL;
    // A dialog opened from another modal dialog is owned by that dialog,
    // which stays disabled in turn.
    HWND hPopup = ::GetLastActivePopup(hOwner);
    if (hPopup && hPopup != hOwner && ::IsWindowVisible(hPopup) && ::IsWindowEnabled(hPopup))
        return hPopup;
    return hOwner;
}

int CDialog::DoModal()
{
    HWND hOwner = FindOwner();
    INT_PTR result = ::DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), hOwner,
                                       DialogProc, (LPARAM)this);
    if (m_hWnd)
        Detach();
    // DialogBoxParam gives 0 for a missing owner and -1 for a missing
    // template; both mean that the dialog never ran.
    return result <= 0 ? -1 : (int)result;
}

void CDialog::CenterOverOwner()
{
    HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    RECT area;
    if (hOwner && ::IsWindowVisible(hOwner) && !::IsIconic(hOwner))
        ::GetWindowRect(hOwner, &area);
    else
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RECT rect;
    ::GetWindowRect(m_hWnd, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    // Keep the whole dialog on the screen.
    RECT screen;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    if (x + width > screen.right)
        x = screen.right - width;
    if (y + height > screen.bottom)
        y = screen.bottom - height;
    if (x < screen.left)
        x = screen.left;
    if (y < screen.top)
        y = screen.top;
    ::SetWindowPos(m_hWnd, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDialog::EndDialog(int nResult) { ::EndDialog(m_hWnd, nResult); }

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    UINT nCode = HIWORD(wParam);
    // A handler in the map comes first; then the standard buttons.
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    if (nCode == BN_CLICKED || lParam == 0) {
        if (nID == IDOK) {
            OnOK();
            return TRUE;
        }
        if (nID == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_INITDIALOG) {
        *pResult = OnInitDialog();
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

LRESULT CDialog::DefWindowProc(UINT, WPARAM, LPARAM)
{
    // The dialog manager does the default processing once the procedure
    // returns FALSE.
    m_bDefaultRequested = TRUE;
    return 0;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    CDialog* pDlg = static_cast<CDialog*>(FromHandlePermanent(hDlg));
    if (!pDlg && message == WM_INITDIALOG) {
        pDlg = reinterpret_cast<CDialog*>(lParam);
        pDlg->Attach(hDlg);
    }
    if (!pDlg)
        return FALSE;
    BOOL savedDefault = pDlg->m_bDefaultRequested;
    pDlg->m_bDefaultRequested = FALSE;
    LRESULT result = pDlg->WindowProc(message, wParam, lParam);
    BOOL handled = !pDlg->m_bDefaultRequested;
    pDlg->m_bDefaultRequested = savedDefault;
    if (message == WM_NCDESTROY)
        pDlg->Detach();
    if (message == WM_INITDIALOG) {
        if (!(::GetWindowLongA(hDlg, GWL_STYLE) & (DS_ABSALIGN | DS_CENTER)))
            pDlg->CenterOverOwner();
        return (INT_PTR)result;
    }
    if (!handled)
        return FALSE;
    ::SetWindowLongPtrA(hDlg, DWLP_MSGRESULT, (LONG_PTR)result);
    return TRUE;
}
