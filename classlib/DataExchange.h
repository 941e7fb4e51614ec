// Data exchange between a dialog's members and its controls. Binding attaches a
// member object to a template control once; value exchange runs both ways. A refused
// text stops the whole exchange at that control: the member and all later ones keep
// their values.
#pragma once

#include <windows.h>

#include <cstdint>

#include "classlib/Text.h"
#include "classlib/Wnd.h"

class CDataExchange {
public:
    // Thrown by Fail and caught by CWnd::UpdateData; never leaves the library.
    struct Failure {};

    CDataExchange(CWnd* dialog, bool saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    const bool m_bSaveAndValidate;
    CWnd* const m_pDlgWnd;

    HWND PrepareCtrl(int id);
    // Focuses the last prepared control, selects its text and stops the exchange.
    [[noreturn]] void Fail();

private:
    HWND m_lastControl = nullptr;
};

// The message shown when an edit does not hold a whole number.
extern const char DDX_NOT_A_WHOLE_NUMBER[];

void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, int32_t& value);
void DDX_Text(CDataExchange* dx, int id, CString& value);
