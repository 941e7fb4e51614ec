// Wrappers of the standard controls: static, button and list box.
#pragma once

#include <windows.h>

#include "classlib/Wnd.h"

class CStatic : public CWnd {};

class CButton : public CWnd {
public:
    // Owner-drawn buttons paint here; the parent hands WM_DRAWITEM back to the button.
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}

protected:
    DECLARE_MESSAGE_MAP()
};

class CListBox : public CWnd {
public:
    // Inserts at an exact position, even in a sorted list box; answers the index or LB_ERR.
    int InsertString(int index, const char* text);
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int index) { return static_cast<int>(SendMessage(LB_SETCURSEL, index)); }
};
