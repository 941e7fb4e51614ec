// Text of the program: code page 936 bytes in CString. The conversion pair below is
// the one place where that text crosses into the UTF-16 of the W functions, so
// Chinese shows correctly whatever the system's ANSI code page is.
#pragma once

#include <windows.h>

#include <string>

constexpr UINT CP_PROGRAM = 936;

std::wstring WideFrom936(const char* text, int length = -1);
class CString;
CString StringFromWide(const wchar_t* text, int length = -1);

class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}
    CString(const std::string& text) : m_text(text) {}

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    operator const char*() const { return m_text.c_str(); }
    const std::string& Bytes() const { return m_text; }

    CString& operator=(const char* text) { m_text = text ? text : ""; return *this; }
    CString& operator+=(const CString& more) { m_text += more.m_text; return *this; }
    CString& operator+=(const char* more) { m_text += more ? more : ""; return *this; }
    friend CString operator+(CString a, const CString& b) { return a += b; }
    friend CString operator+(CString a, const char* b) { return a += b; }
    friend CString operator+(const char* a, const CString& b) { return CString(a) += b; }
    bool operator==(const CString& o) const { return m_text == o.m_text; }
    bool operator==(const char* o) const { return m_text == (o ? o : ""); }

    // Loads a string-table entry of the program's module; false when absent or empty.
    bool LoadString(UINT id);

    std::wstring Wide() const { return WideFrom936(m_text.c_str(), GetLength()); }

private:
    std::string m_text;
};
