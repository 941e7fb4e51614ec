// The application object: runs the main window as the program's one modal loop.
#pragma once

#include "classlib/App.h"

class CQuilletApp : public CWinApp {
public:
    CQuilletApp() = default;
    ~CQuilletApp() override = default;

    // Runs the main window and answers false, so the program ends when it closes.
    BOOL InitInstance() override;
    // The process ends with the main window's result: 2 (Cancel) for Esc, the system
    // Close command and the close button, 1 (OK) for Enter.
    int ExitInstance() override { return static_cast<int>(m_mainResult); }

protected:
    DECLARE_MESSAGE_MAP()

private:
    INT_PTR m_mainResult = 0;
};

extern CQuilletApp theApp;
