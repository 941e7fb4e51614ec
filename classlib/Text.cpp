#include "classlib/Text.h"

#include <cstdio>
#include <vector>

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

int CString::Find(const char* part) const {
    const size_t at = m_text.find(part ? part : "");
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

CString CString::Left(int count) const {
    if (count < 0) count = 0;
    return CString(m_text.substr(0, static_cast<size_t>(count)));
}

CString CString::Mid(int first, int count) const {
    if (first < 0) first = 0;
    if (first >= GetLength()) return CString();
    return CString(m_text.substr(static_cast<size_t>(first),
                                 count < 0 ? std::string::npos : static_cast<size_t>(count)));
}

void CString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int needed = vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::vector<char> buffer(static_cast<size_t>(needed > 0 ? needed : 0) + 1);
    vsnprintf(buffer.data(), buffer.size(), format, again);
    va_end(again);
    m_text.assign(buffer.data(), static_cast<size_t>(needed > 0 ? needed : 0));
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
