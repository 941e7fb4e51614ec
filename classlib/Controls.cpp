#include "classlib/Controls.h"

#include <string>

BEGIN_MESSAGE_MAP(CButton, CWnd)
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

int CListBox::InsertString(int index, const char* text) {
    const std::wstring wide = WideFrom936(text);
    return static_cast<int>(SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(wide.c_str())));
}

int CListBox::AddString(const char* text) {
    const std::wstring wide = WideFrom936(text);
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str())));
}

CString CListBox::GetText(int index) const {
    const LRESULT length = SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length == LB_ERR) return CString();
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT got = SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&wide[0]));
    return got == LB_ERR ? CString() : StringFromWide(wide.c_str(), static_cast<int>(got));
}
