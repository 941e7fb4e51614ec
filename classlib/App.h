// The application object and the library's main routine.
#pragma once

#include <windows.h>

#include "classlib/Text.h"
#include "classlib/Wnd.h"

constexpr UINT ID_HELP = 0xE146;

class CWinApp : public CCmdTarget {
public:
    // With no name the executable's base name is used.
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;

    // Called once from the main routine; false ends the program without a message loop.
    virtual BOOL InitInstance() { return TRUE; }
    virtual int Run();
    virtual int ExitInstance() { return 0; }

    // Dialogs and their controls are drawn three-dimensionally by Windows itself.
    BOOL Enable3dControls() { return TRUE; }
    HICON LoadIcon(UINT id) const;
    const char* AppName() const { return m_appName; }

    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;

protected:
    // The default handler of the Help command: the program ships no help content.
    void OnHelp();
    DECLARE_MESSAGE_MAP()

private:
    CString m_appName;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();

// The library's main routine: initialises, calls InitInstance, then Run or ExitInstance.
int AfxWinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show);

// The application's message box: owned by the active window of the program, captioned
// with the application's name.
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);
