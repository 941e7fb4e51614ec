#include "tests/support/ControlText.h"

#include <commctrl.h>

namespace wintest {

std::wstring ListItemTextW(HWND list, int item, int subItem) {
    wchar_t buffer[260] = {};
    LVITEMW entry{};
    entry.iSubItem = subItem;
    entry.pszText = buffer;
    entry.cchTextMax = 260;
    const LRESULT got = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item),
                                     reinterpret_cast<LPARAM>(&entry));
    return std::wstring(buffer, static_cast<size_t>(got));
}

}  // namespace wintest
