// CMarloView: the setup's view. It paints the background picture and runs
// the setup sequence from its first timer tick (or at once on Escape).
#pragma once

#include "destination_dialog.h"
#include "framework.h"
#include "setup_dialogs.h"

// Timer that starts the setup sequence.
#define SETUP_TIMER_ID 12345
#define SETUP_TIMER_PERIOD 10
// Where the destination dialog starts.
#define DEFAULT_DESTINATION "C:\\VRX2 Screen Saver"

class CMarloView : public CView {
    DECLARE_DYNCREATE(CMarloView)
public:
    CDestinationDlg m_destinationDlg;
    CExitDlg m_exitDlg;
    CInstallOptionsDlg m_optionsDlg;
    int tickCount;

    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    void OnSize(UINT nType, int cx, int cy);
    void OnDestroy();
    void OnTimer(UINT nIDEvent);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);

    void EnsureBackgroundPicture();
    void RunSetupSequence();
    // Copies and registers what the options dialog selected; posts the quit message.
    BOOL RunInstallation(const char* destination, const char* source);

    BOOL SequenceStarted() const { return m_bSequenceStarted; }

protected:
    CMarloView();
    DECLARE_MESSAGE_MAP()

private:
    // Loads the background picture on a DC of the view and shows it.
    void PaintOpeningPicture();
    void EndSetup();

    BOOL m_bSequenceStarted;
};
