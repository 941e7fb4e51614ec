#include "classlib/Text.h"

#include <cstring>
#include <cwchar>

std::wstring WideFrom936(const char* text, int length) {
    if (!text) return std::wstring();
    if (length < 0) length = static_cast<int>(strlen(text));
    if (length == 0) return std::wstring();
    const int wide = MultiByteToWideChar(CP_PROGRAM, 0, text, length, nullptr, 0);
    std::wstring out(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(CP_PROGRAM, 0, text, length, &out[0], wide);
    return out;
}

CString StringFromWide(const wchar_t* text, int length) {
    if (!text) return CString();
    if (length < 0) length = static_cast<int>(wcslen(text));
    if (length == 0) return CString();
    const int bytes = WideCharToMultiByte(CP_PROGRAM, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_PROGRAM, 0, text, length, &out[0], bytes, nullptr, nullptr);
    return CString(out);
}

bool CString::LoadString(UINT id) {
    const wchar_t* resource = nullptr;
    // With a zero buffer size LoadStringW hands out a pointer into the resource itself.
    const int length = LoadStringW(GetModuleHandleW(nullptr), id,
                                   reinterpret_cast<LPWSTR>(&resource), 0);
    if (length <= 0 || !resource) {
        Empty();
        return false;
    }
    *this = StringFromWide(resource, length);
    return true;
}
