// Device contexts, in the two kinds of the GDI wrappers: a CDC owns a memory context it
// made and deletes it; a CDCHandle borrows a context (handed in with WM_ERASEBKGND,
// WM_CTLCOLOR* or WM_DRAWITEM) and frees nothing. CPaintDC and CClientDC borrow their
// context from the window for their lifetime and give it back as they got it.
//
// Nothing saves or restores a context's whole state. An object is selected with a
// CSelection, which puts the previous one back before the selected object can go. Other
// settings (modes, colours, clipping) go with a memory context or with a window's
// context when it is given back; on a context borrowed from a message they are the
// answer to it (WM_CTLCOLOR*) or the drawing code puts them back.
#pragma once

#include <windows.h>

#include <string>
#include <type_traits>

#include "classlib/GdiObject.h"
#include "classlib/Text.h"
#include "classlib/Types.h"

class CWnd;

// A borrowed context: the handle alone, a plain value.
template <bool t_bManaged>
class CDCBaseT {
protected:
    HDC m_hDC = nullptr;
};

// An owned memory context: deleted with its wrapper, never copied.
template <>
class CDCBaseT<true> {
public:
    CDCBaseT(const CDCBaseT&) = delete;
    CDCBaseT& operator=(const CDCBaseT&) = delete;

    // A memory context compatible with another (or with the screen for null).
    bool CreateCompatibleDC(HDC other) {
        if (m_hDC) ::DeleteDC(m_hDC);
        m_hDC = ::CreateCompatibleDC(other);
        return m_hDC != nullptr;
    }

protected:
    CDCBaseT() = default;
    ~CDCBaseT() {
        if (m_hDC) ::DeleteDC(m_hDC);
    }
    HDC m_hDC = nullptr;
};

template <bool t_bManaged>
class CDCT : public CDCBaseT<t_bManaged> {
public:
    CDCT() = default;
    // A handle borrows the context; a managed wrapper takes it over.
    explicit CDCT(HDC dc) { m_hDC = dc; }
    // Any context can be lent to a handle.
    template <bool t_bOther, bool t_bBorrows = !t_bManaged, std::enable_if_t<t_bBorrows, int> = 0>
    CDCT(const CDCT<t_bOther>& other) {
        m_hDC = other.GetSafeHdc();
    }

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

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
    using CDCBaseT<t_bManaged>::m_hDC;
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
