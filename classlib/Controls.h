// Wrappers of the standard controls: static, button, edit and list box.
#pragma once

#include <windows.h>

#include "classlib/Wnd.h"

class CStatic : public CWnd {};

class CButton : public CWnd {
public:
    // Owner-drawn buttons paint here; the parent hands WM_DRAWITEM back to the button.
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}
    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }

protected:
    DECLARE_MESSAGE_MAP()
};

class CEdit : public CWnd {
public:
    void SetSel(int start, int end) { SendMessage(EM_SETSEL, start, end); }
    void SetLimitText(UINT limit) { SendMessage(EM_SETLIMITTEXT, limit); }
    UINT GetLimitText() const { return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT)); }
};

class CListBox : public CWnd {
public:
    // Inserts at an exact position, even in a sorted list box; answers the index or LB_ERR.
    int InsertString(int index, const char* text);
    int AddString(const char* text);
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int index) { return static_cast<int>(SendMessage(LB_SETCURSEL, index)); }
    CString GetText(int index) const;
};
