// Dialog data exchange: moving values between controls and members, and the
// length check of texts.
#pragma once

#include "cstring.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;  // TRUE: controls -> members
    CWnd* m_pDlgWnd;
    BOOL m_bFailed = FALSE;   // a check refused; later exchanges do nothing

    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Refuses the exchange: focus (and the selection) go back to the last control.
    void Fail();
    HWND LastControl() const { return m_hWndLastControl; }
    BOOL LastControlIsEdit() const { return m_bEditLastControl; }

private:
    HWND m_hWndLastControl = NULL;
    BOOL m_bEditLastControl = FALSE;
};

// Check box <-> 0 (clear), 1 (ticked), 2 (indeterminate).
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// Control text <-> string.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// Text of at most nChars characters: sets the edit's limit when filling the
// controls, refuses a longer text with a message when reading them back.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
