#include "classlib/Dc.h"

#include "classlib/Wnd.h"

CPaintDC::CPaintDC(CWnd* window) : m_hWnd(window->GetSafeHwnd()) {
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC() {
    if (m_hDC) ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(CWnd* window) : m_hWnd(window ? window->GetSafeHwnd() : nullptr) {
    m_hDC = ::GetDC(m_hWnd);
}

CClientDC::~CClientDC() {
    if (m_hDC) ::ReleaseDC(m_hWnd, m_hDC);
}

bool DrawResourceBitmap(CDCHandle dc, UINT bitmapId) {
    CBitmap bitmap;
    BITMAP size{};
    if (!bitmap.LoadBitmap(bitmapId) || !bitmap.GetBitmap(&size)) return false;
    CDC memory;
    if (!memory.CreateCompatibleDC(dc)) return false;
    CSelection selected(memory, bitmap);
    return dc.BitBlt(0, 0, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
}
