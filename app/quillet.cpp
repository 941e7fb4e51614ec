#include "app/quillet.h"

#include "app/quilletDlg.h"

CQuilletApp theApp;

BEGIN_MESSAGE_MAP(CQuilletApp, CWinApp)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

BOOL CQuilletApp::InitInstance() {
    Enable3dControls();
    CQuilletDlg dialog;
    // The library clears the reference when the window goes, before the object does.
    // cppcheck-suppress danglingLifetime
    m_pMainWnd = &dialog;
    m_mainResult = dialog.DoModal();
    return FALSE;
}
