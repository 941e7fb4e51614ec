#include "tests/support/ClassicToolTips.h"

#include <windows.h>
#include <commctrl.h>

namespace {

WNDPROC g_toolTipProc = nullptr;

LRESULT CALLBACK ClassicToolTipProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TTM_ADDTOOLW && reinterpret_cast<const TTTOOLINFOW*>(lParam)->cbSize > TTTOOLINFOW_V2_SIZE) {
        return FALSE;
    }
    return CallWindowProcW(g_toolTipProc, window, message, wParam, lParam);
}

}  // namespace

bool UseClassicToolTips() {
    WNDCLASSEXW toolTips{};
    toolTips.cbSize = sizeof toolTips;
    if (!GetClassInfoExW(GetModuleHandleW(L"comctl32.dll"), TOOLTIPS_CLASSW, &toolTips)) return false;
    g_toolTipProc = toolTips.lpfnWndProc;
    // A class of the program's own instance is found before a global one of that name.
    toolTips.lpfnWndProc = ClassicToolTipProc;
    toolTips.hInstance = GetModuleHandleW(nullptr);
    toolTips.style &= ~CS_GLOBALCLASS;
    return RegisterClassExW(&toolTips) != 0;
}
