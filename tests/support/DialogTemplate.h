// Reads a dialog template resource (classic or extended) back into plain values, so
// tests can check a template word for word.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace wintest {

struct TemplateItem {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0;
    std::wstring className;  // predefined classes by name: Button, Edit, Static, ...
    std::wstring text;
};

struct DialogTemplate {
    bool extended = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring title;
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charset = 0;
    std::wstring typeface;
    std::vector<TemplateItem> items;
};

// False when the module has no such template.
bool ReadDialogTemplate(UINT id, DialogTemplate* out);

}  // namespace wintest
