// Texts that only the tests read back from controls, as UTF-16.
#pragma once

#include <windows.h>

#include <string>

namespace wintest {

// The text of a list-view item (subItem 0) or of one of its columns.
std::wstring ListItemTextW(HWND list, int item, int subItem);

}  // namespace wintest
