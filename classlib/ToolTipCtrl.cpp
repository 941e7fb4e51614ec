#include "classlib/ToolTipCtrl.h"

#include <string>

namespace {

// The common controls a program without a manifest gets on Windows (version 5.82) refuse
// a tool whose size field names the later structure with lpReserved; the second
// version's size is what every version takes.
TTTOOLINFOW ToolInfo(CWnd* window, UINT_PTR toolId) {
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = window->GetSafeHwnd();
    info.uId = toolId;
    return info;
}

}  // namespace

bool CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    return CreateEx(0, TOOLTIPS_CLASSW, CString(), WS_POPUP | style, CRect(), parent, 0);
}

bool CToolTipCtrl::AddTool(CWnd* window, const char* text, const RECT& rect, UINT_PTR toolId) {
    std::wstring wide = WideFrom936(text);
    TTTOOLINFOW info = ToolInfo(window, toolId);
    info.rect = rect;
    info.lpszText = &wide[0];
    return SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

void CToolTipCtrl::UpdateTipText(const char* text, CWnd* window, UINT_PTR toolId) {
    std::wstring wide = WideFrom936(text);
    TTTOOLINFOW info = ToolInfo(window, toolId);
    info.lpszText = &wide[0];
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::RelayEvent(MSG* msg) {
    if (m_hWnd) SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
}
