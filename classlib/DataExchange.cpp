#include "classlib/DataExchange.h"

#include <cstdio>
#include <string>

#include "classlib/AmountParser.h"
#include "classlib/App.h"

const char DDX_NOT_A_WHOLE_NUMBER[] = "请输入一个整数（-2147483648 到 2147483647）。";

HWND CDataExchange::PrepareCtrl(int id) {
    m_lastControl = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), id);
    return m_lastControl;
}

void CDataExchange::Fail() {
    if (m_lastControl) {
        ::SetFocus(m_lastControl);
        ::SendMessageW(m_lastControl, EM_SETSEL, 0, -1);
    }
    throw Failure{};
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.GetSafeHwnd()) return;  // bound once, at the first exchange
    control.SubclassWindow(dx->PrepareCtrl(id));
}

void DDX_Text(CDataExchange* dx, int id, int32_t& value) {
    HWND edit = dx->PrepareCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        char digits[16];
        snprintf(digits, sizeof digits, "%d", static_cast<int>(value));
        ::SetWindowTextW(edit, WideFrom936(digits).c_str());
        return;
    }
    const std::wstring text = WindowTextW(edit);
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 text");
    if (!ParseInt32(reinterpret_cast<const char16_t*>(text.c_str()), text.size(), &value)) {
        AfxMessageBox(DDX_NOT_A_WHOLE_NUMBER, MB_ICONEXCLAMATION);
        dx->Fail();
    }
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
    HWND edit = dx->PrepareCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        ::SetWindowTextW(edit, value.Wide().c_str());
        return;
    }
    const std::wstring text = WindowTextW(edit);
    value = StringFromWide(text.c_str(), static_cast<int>(text.size()));
}
