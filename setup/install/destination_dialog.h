// The destination directory dialog with its folder browser, and the dialog
// that offers to create a directory that does not exist.
#pragma once

#include "framework.h"
#include "setup_dialogs.h"

// Longest text the destination edit and its data exchange take.
#define DESTINATION_MAX_CHARS 260

// Caption-sized form of a path: whole up to 30 characters, else its first 3,
// "....", and its last 23.
CString ShortenPathForDisplay(const CString& path);

class CCreateDirectoryDlg : public CDialog {
public:
    CCreateDirectoryDlg();

    CString path;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnShowWindow(BOOL bShow, UINT nStatus);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    DECLARE_MESSAGE_MAP()
};

class CDestinationDlg : public CDialog {
public:
    CDestinationDlg();

    CCreateDirectoryDlg m_createDlg;
    CExitDlg m_exitDlg;
    CString path;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnBrowse();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    DECLARE_MESSAGE_MAP()

private:
    void SelectEditText();
};

// Makes every level of path in turn from the outermost (the first three
// characters, a drive, are never made), then the whole path; returns TRUE
// when the path can then be made the current directory.
BOOL CreateDirectoryLevels(const CString& path);
