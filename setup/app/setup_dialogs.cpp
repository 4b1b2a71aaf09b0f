// The options, exit and About dialogs.
#include "setup_dialogs.h"

#include "resource.h"

// accepted has no meaning before the first close; 0 keeps it defined.
CInstallOptionsDlg::CInstallOptionsDlg() : CDialog(IDD_INSTALL_OPTIONS), accepted(0), installSaver(0), installSound(0)
{
}

void CInstallOptionsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_INSTALL_SAVER, installSaver);
    DDX_Check(pDX, IDC_INSTALL_SOUND, installSound);
}

void CInstallOptionsDlg::OnOK()
{
    accepted = 1;
    CDialog::OnOK();
}

void CInstallOptionsDlg::OnCancel()
{
    accepted = 0;
    CDialog::OnCancel();
}

CExitDlg::CExitDlg() : CDialog(IDD_EXIT) {}

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
