// The tooltip control.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "classlib/Wnd.h"

class CToolTipCtrl : public CWnd {
public:
    bool Create(CWnd* parent, DWORD style = 0);
    // One tool: a window's rectangle under an id, showing the text.
    bool AddTool(CWnd* window, const char* text, const RECT& rect, UINT_PTR toolId);
    void UpdateTipText(const char* text, CWnd* window, UINT_PTR toolId);
    // Lets the tooltip see a mouse message bound for one of its tools.
    void RelayEvent(MSG* msg);
};
