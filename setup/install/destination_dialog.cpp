// The destination directory dialog, its folder browser, and the directory
// creation dialog.
#include "destination_dialog.h"

#include <direct.h>
#include <shlobj.h>

#include "resource.h"

// ---- Helpers ----------------------------------------------------------------

CString ShortenPathForDisplay(const CString& path)
{
    if (path.GetLength() <= 30)
        return path;
    return path.Left(3) + "...." + path.Right(23);
}

BOOL CreateDirectoryLevels(const CString& path)
{
    for (int i = 4; i <= path.GetLength(); i++) {
        if (path[i - 1] == '\\')
            _mkdir(path.Left(i - 1));
    }
    _mkdir(path);
    return _chdir(path) == 0;
}

// ---- CCreateDirectoryDlg ----------------------------------------------------

BEGIN_MESSAGE_MAP(CCreateDirectoryDlg, CDialog)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CCreateDirectoryDlg::CCreateDirectoryDlg() : CDialog(IDD_CREATE_DIRECTORY) {}

void CCreateDirectoryDlg::DoDataExchange(CDataExchange* pDX) { CDialog::DoDataExchange(pDX); }

BOOL CCreateDirectoryDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    return TRUE;
}

void CCreateDirectoryDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CString display = ShortenPathForDisplay(path);
    SetWindowText("'" + display + "' n'existe pas");
    GetDlgItem(IDOK)->SetWindowText("Cr\351er r\351pertoire '" + display + "'");
    GetDlgItem(IDCANCEL)->SetWindowText("S\351lect. autre r\351pertoire");
    CDialog::OnShowWindow(bShow, nStatus);
}

void CCreateDirectoryDlg::OnOK()
{
    if (!CreateDirectoryLevels(path)) {
        MessageBox("Unable to access directory", "Error", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CDialog::OnOK();
}

// ---- CDestinationDlg --------------------------------------------------------

BEGIN_MESSAGE_MAP(CDestinationDlg, CDialog)
    ON_BN_CLICKED(IDC_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CDestinationDlg::CDestinationDlg() : CDialog(IDD_DESTINATION) {}

void CDestinationDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_DESTINATION_PATH, path);
    DDV_MaxChars(pDX, path, DESTINATION_MAX_CHARS);
}

void CDestinationDlg::SelectEditText()
{
    CWnd* pEdit = GetDlgItem(IDC_DESTINATION_PATH);
    pEdit->SendMessage(EM_SETSEL, 0, -1);
    pEdit->SendMessage(EM_SCROLLCARET);
    pEdit->SetFocus();
}

BOOL CDestinationDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SendDlgItemMessage(IDC_DESTINATION_PATH, EM_LIMITTEXT, DESTINATION_MAX_CHARS);
    SelectEditText();
    return FALSE;  // the focus is set
}

void CDestinationDlg::OnBrowse()
{
    IMalloc* pMalloc = NULL;
    if (FAILED(::SHGetMalloc(&pMalloc)) || !pMalloc)
        return;
    char* buffer = static_cast<char*>(pMalloc->Alloc(MAX_PATH));
    if (!buffer) {
        pMalloc->Release();
        return;
    }
    buffer[0] = '\0';
    LPITEMIDLIST root = NULL;
    if (SUCCEEDED(::SHGetSpecialFolderLocation(m_hWnd, CSIDL_DRIVES, &root)) && root) {
        BROWSEINFOA info = {};
        info.hwndOwner = m_hWnd;
        info.pidlRoot = root;
        info.pszDisplayName = buffer;
        info.lpszTitle = "Destination directory";
        info.ulFlags = 0;
        LPITEMIDLIST chosen = ::SHBrowseForFolderA(&info);
        if (chosen) {
            // Without a file-system path the buffer keeps the folder's display name.
            ::SHGetPathFromIDListA(chosen, buffer);
            path = buffer;
            GetDlgItem(IDC_DESTINATION_PATH)->SetWindowText(path);
            SelectEditText();
            pMalloc->Free(chosen);
        }
        pMalloc->Free(root);
    }
    pMalloc->Free(buffer);
    pMalloc->Release();
}

void CDestinationDlg::OnOK()
{
    CString typed;
    GetDlgItem(IDC_DESTINATION_PATH)->GetWindowText(typed);
    if (_chdir(typed) != 0) {
        m_createDlg.path = typed;
        if (m_createDlg.DoModal() != IDOK)
            return;
    }
    CDialog::OnOK();
}

void CDestinationDlg::OnCancel()
{
    if (m_exitDlg.DoModal() == IDCANCEL)
        CDialog::OnCancel();
}
