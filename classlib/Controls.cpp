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
