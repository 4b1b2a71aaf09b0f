// The setup's small dialogs: what to install, the second chance to install,
// and About.
#pragma once

#include "framework.h"

class CInstallOptionsDlg : public CDialog {
public:
    CInstallOptionsDlg();

    int accepted;      // 1: closed by OK, 0: closed by cancel
    int installSaver;  // check box "Inst. économ. écran"
    int installSound;  // check box "Inst. config. son"

    void OnOK() override;
    void OnCancel() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

class CExitDlg : public CDialog {
public:
    CExitDlg();
};

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
};
