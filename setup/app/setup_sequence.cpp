// The setup sequence: the view's first tick (or Escape) shows the picture,
// asks what to install and where, and hands over to the installation run.
#include <string.h>

#include "background_picture.h"
#include "dib_image.h"
#include "marlo_view.h"
#include "resource.h"

void CMarloView::OnTimer(UINT nIDEvent)
{
    if (nIDEvent == SETUP_TIMER_ID) {
        EnsureBackgroundPicture();
        if (g_pBackgroundImage && tickCount == 0)
            RunSetupSequence();
        tickCount++;
    }
    CView::OnTimer(nIDEvent);
}

void CMarloView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE) {
        KillTimer(SETUP_TIMER_ID);
        // The same order as the timer path: the picture object first.
        EnsureBackgroundPicture();
        RunSetupSequence();
    }
    CView::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CMarloView::EnsureBackgroundPicture()
{
    if (!g_pBackgroundImage)
        g_pBackgroundImage = new CDibImage;
}

void CMarloView::PaintOpeningPicture()
{
    CRect client;
    GetClientRect(&client);
    CDC* pDC = GetDC();
    if (g_pBackgroundImage &&
        g_pBackgroundImage->LoadFromResource(pDC, IDB_BACKGROUND, AfxGetInstanceHandle(), TRUE)) {
        pDC->FillSolidRect(&client, RGB(0, 0, 0));
        if (g_nDisplayMode == 1)
            g_pBackgroundImage->DrawCentered(pDC, TRUE);
        else
            g_pBackgroundImage->DrawStretched(pDC, client, TRUE);
    }
    KillTimer(SETUP_TIMER_ID);
    ReleaseDC(pDC);
}

void CMarloView::EndSetup() { ::PostQuitMessage(0); }

void CMarloView::RunSetupSequence()
{
    // Once per program, however often a tick or Escape gets here.
    if (m_bSequenceStarted)
        return;
    m_bSequenceStarted = TRUE;

    // Read first: the destination dialog makes the destination current.
    char source[MAX_PATH];
    DWORD length = ::GetCurrentDirectoryA(MAX_PATH, source);
    BOOL sourceKnown = length > 0 && length < MAX_PATH;

    PaintOpeningPicture();
    if (!sourceKnown) {
        CString text;
        text.LoadString(IDS_NO_CURRENT_DIRECTORY);
        MessageBox(text, "Error", MB_OK | MB_ICONEXCLAMATION);
        EndSetup();
        return;
    }

    m_optionsDlg.installSaver = 1;
    m_optionsDlg.installSound = 1;
    // A dialog that cannot be shown installs nothing: the user has not chosen.
    int result = m_optionsDlg.DoModal();
    if (result == -1) {
        EndSetup();
        return;
    }
    if (!m_optionsDlg.accepted) {
        result = m_exitDlg.DoModal();
        if (result == IDCANCEL || result == -1) {
            EndSetup();
            return;
        }
    }
    if (!m_optionsDlg.installSaver && !m_optionsDlg.installSound) {
        EndSetup();
        return;
    }

    char destination[MAX_PATH];
    m_destinationDlg.path = DEFAULT_DESTINATION;
    for (;;) {
        result = m_destinationDlg.DoModal();
        if (result == IDCANCEL || result == -1) {
            EndSetup();
            return;
        }
        if (m_destinationDlg.path.GetLength() < MAX_PATH)
            break;
        // Never cut a path short: ask again, with the text as it was.
        CString text;
        text.LoadString(IDS_PATH_TOO_LONG);
        MessageBox(text, "Error", MB_OK | MB_ICONEXCLAMATION);
    }
    memcpy(destination, (LPCSTR)m_destinationDlg.path, (size_t)m_destinationDlg.path.GetLength() + 1);

    RunInstallation(destination, source);
}
