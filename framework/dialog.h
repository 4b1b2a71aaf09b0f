// CDialog: a modal dialog over a resource template, with data exchange
// between its controls and its members.
#pragma once

#include "data_exchange.h"
#include "wnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);

    // Runs the dialog owned by the parent given at construction or, without
    // one, by the main window (or the modal dialog now in front of it), which
    // stays disabled until the dialog ends. IDOK, IDCANCEL, or -1 when the
    // dialog could not be created.
    virtual int DoModal();
    void EndDialog(int nResult);
    // Controls -> members (TRUE) or members -> controls (FALSE); FALSE when a
    // check refused the values.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    UINT GetTemplateId() const { return m_nIDTemplate; }

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);
    HWND FindOwner() const;
    // Dialogs whose template gives no position open centred over their owner.
    void CenterOverOwner();

    BOOL m_bDefaultRequested = FALSE;
};
