#include "classlib/Dc.h"

#include "classlib/Wnd.h"

CDC::~CDC() {
    HDC dc = Release();
    if (dc && m_ownsMemoryDc) ::DeleteDC(dc);
}

void CDC::Take(HDC dc) {
    m_hDC = dc;
    m_saved = dc ? ::SaveDC(dc) : 0;
}

HDC CDC::Release() {
    HDC dc = m_hDC;
    if (dc && m_saved) ::RestoreDC(dc, m_saved);
    m_hDC = nullptr;
    m_saved = 0;
    return dc;
}

bool CDC::CreateCompatibleDC(CDC* other) {
    HDC dc = ::CreateCompatibleDC(other ? other->GetSafeHdc() : nullptr);
    if (!dc) return false;
    Take(dc);
    m_ownsMemoryDc = true;
    return true;
}

bool CDC::TextOut(int x, int y, const CString& text) {
    const std::wstring wide = text.Wide();
    return ::TextOutW(m_hDC, x, y, wide.c_str(), static_cast<int>(wide.size())) != FALSE;
}

CSize CDC::GetTextExtent(const CString& text) const {
    const std::wstring wide = text.Wide();
    SIZE size{0, 0};
    ::GetTextExtentPoint32W(m_hDC, wide.c_str(), static_cast<int>(wide.size()), &size);
    return CSize(size.cx, size.cy);
}

bool CDC::BitBlt(int x, int y, int width, int height, CDC* source, int sx, int sy, DWORD rop) {
    return ::BitBlt(m_hDC, x, y, width, height, source ? source->GetSafeHdc() : nullptr, sx, sy,
                    rop) != FALSE;
}

CPaintDC::CPaintDC(CWnd* window) : m_hWnd(window->GetSafeHwnd()) {
    Take(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC() {
    if (Release()) ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(CWnd* window) : m_hWnd(window ? window->GetSafeHwnd() : nullptr) {
    Take(::GetDC(m_hWnd));
}

CClientDC::~CClientDC() {
    if (HDC dc = Release()) ::ReleaseDC(m_hWnd, dc);
}

CWindowDC::CWindowDC(CWnd* window) : m_hWnd(window ? window->GetSafeHwnd() : nullptr) {
    Take(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC() {
    if (HDC dc = Release()) ::ReleaseDC(m_hWnd, dc);
}
