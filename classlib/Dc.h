// Device contexts, in the two kinds of the GDI wrappers: a CDC owns a memory context it
// made and deletes it; a CDCHandle borrows a context (handed in with WM_ERASEBKGND,
// WM_CTLCOLOR* or WM_DRAWITEM) and frees nothing. CPaintDC and CClientDC borrow their
// context from the window for their lifetime and give it back as they got it.
//
// Nothing saves or restores a context's state. An object selected into a context is
// selected with a CSelection, which puts the previous object back before the selected
// one can go; other settings (modes, colours, clipping) answer a message or die with the
// context.
#pragma once

#include <windows.h>

#include <string>
#include <type_traits>

#include "classlib/GdiObject.h"
#include "classlib/Text.h"
#include "classlib/Types.h"

class CWnd;

template <bool t_bManaged>
class CDCT : private CHandleCopy<t_bManaged> {
public:
    CDCT() = default;
    // A handle borrows the context; a managed wrapper takes it over.
    explicit CDCT(HDC dc) : m_hDC(dc) {}
    // Any context can be lent to a handle.
    template <bool t_bOther, bool t_bBorrows = !t_bManaged, std::enable_if_t<t_bBorrows, int> = 0>
    CDCT(const CDCT<t_bOther>& other) : m_hDC(other.GetSafeHdc()) {}
    ~CDCT() {
        if (t_bManaged && m_hDC) ::DeleteDC(m_hDC);
    }

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    // A memory context compatible with another (or with the screen for null).
    bool CreateCompatibleDC(HDC other) {
        static_assert(t_bManaged, "only an owner makes a context");
        if (m_hDC) ::DeleteDC(m_hDC);
        m_hDC = ::CreateCompatibleDC(other);
        return m_hDC != nullptr;
    }

    int SelectClipRgn(HRGN region) { return ::SelectClipRgn(m_hDC, region); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    COLORREF SetTextColor(COLORREF colour) { return ::SetTextColor(m_hDC, colour); }
    UINT SetTextAlign(UINT flags) { return ::SetTextAlign(m_hDC, flags); }
    bool TextOut(int x, int y, const CString& text) {
        const std::wstring wide = text.Wide();
        return ::TextOutW(m_hDC, x, y, wide.c_str(), static_cast<int>(wide.size())) != FALSE;
    }
    CSize GetTextExtent(const CString& text) const {
        const std::wstring wide = text.Wide();
        CSize size;
        ::GetTextExtentPoint32W(m_hDC, wide.c_str(), static_cast<int>(wide.size()), &size);
        return size;
    }
    bool GetTextMetrics(TEXTMETRICW* metrics) const { return ::GetTextMetricsW(m_hDC, metrics) != FALSE; }

    bool BitBlt(int x, int y, int width, int height, HDC source, int sx, int sy, DWORD rop) {
        return ::BitBlt(m_hDC, x, y, width, height, source, sx, sy, rop) != FALSE;
    }
    bool FillRgn(HRGN region, HBRUSH brush) { return ::FillRgn(m_hDC, region, brush) != FALSE; }
    bool BeginPath() { return ::BeginPath(m_hDC) != FALSE; }
    bool EndPath() { return ::EndPath(m_hDC) != FALSE; }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }

protected:
    HDC m_hDC = nullptr;
};

using CDC = CDCT<true>;
using CDCHandle = CDCT<false>;

class CPaintDC : public CDCHandle {
public:
    explicit CPaintDC(CWnd* window);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};

// The client area of a window, or the whole screen for null.
class CClientDC : public CDCHandle {
public:
    explicit CClientDC(CWnd* window);
    ~CClientDC();
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;

private:
    HWND m_hWnd;
};

// Selects an object into a context for one drawing step, and the previous one back at
// its end. Declared after the object, it ends before the object goes.
class CSelection {
public:
    CSelection(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(::SelectObject(dc, object)) {}
    ~CSelection() { ::SelectObject(m_dc, m_previous); }
    CSelection(const CSelection&) = delete;
    CSelection& operator=(const CSelection&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// Copies a bitmap resource 1:1 to the top-left corner of a context, at the bitmap's own
// size. The bitmap is loaded for the call and deleted after it: nothing is cached.
bool DrawResourceBitmap(CDCHandle dc, UINT bitmapId);
