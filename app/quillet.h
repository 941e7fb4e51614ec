// The application object: runs the main window as the program's one modal loop.
#pragma once

#include "classlib/App.h"

class CQuilletApp : public CWinApp {
public:
    CQuilletApp() = default;
    ~CQuilletApp() override = default;

    // Runs the main window and answers false, so the program ends when it closes.
    BOOL InitInstance() override;

protected:
    DECLARE_MESSAGE_MAP()
};

extern CQuilletApp theApp;
