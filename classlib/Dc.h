// Device contexts. Each one saves the context's state when it takes it and restores
// it before letting it go, so objects selected into it can be deleted afterwards.
#pragma once

#include <windows.h>

#include "classlib/GdiObject.h"
#include "classlib/Text.h"
#include "classlib/Types.h"

class CWnd;

class CDC {
public:
    CDC() = default;
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    // A memory context compatible with another (or with the screen for null).
    bool CreateCompatibleDC(CDC* other);

    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
    HGDIOBJ SelectObject(const CGdiObject& object) { return SelectObject(object.GetSafeHandle()); }
    HGDIOBJ SelectStockObject(int index) { return SelectObject(::GetStockObject(index)); }
    int SelectClipRgn(HRGN region) { return ::SelectClipRgn(m_hDC, region); }

    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    COLORREF SetTextColor(COLORREF colour) { return ::SetTextColor(m_hDC, colour); }
    UINT SetTextAlign(UINT flags) { return ::SetTextAlign(m_hDC, flags); }
    bool TextOut(int x, int y, const CString& text);
    CSize GetTextExtent(const CString& text) const;
    bool GetTextMetrics(TEXTMETRICW* metrics) const { return ::GetTextMetricsW(m_hDC, metrics) != FALSE; }

    bool BitBlt(int x, int y, int width, int height, CDC* source, int sx, int sy, DWORD rop);
    bool FillRgn(HRGN region, HBRUSH brush) { return ::FillRgn(m_hDC, region, brush) != FALSE; }
    bool BeginPath() { return ::BeginPath(m_hDC) != FALSE; }
    bool EndPath() { return ::EndPath(m_hDC) != FALSE; }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }

protected:
    // Takes a context obtained elsewhere; the derived class gives it back.
    void Take(HDC dc);
    // Restores the saved state and forgets the context.
    HDC Release();

    HDC m_hDC = nullptr;

private:
    int m_saved = 0;
    bool m_ownsMemoryDc = false;
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* window);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};

class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* window);
    ~CClientDC() override;

private:
    HWND m_hWnd;
};

class CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* window);
    ~CWindowDC() override;

private:
    HWND m_hWnd;
};

// Undoes one selection at the end of a drawing step.
class CSelection {
public:
    CSelection(CDC& dc, HGDIOBJ object) : m_dc(dc), m_previous(dc.SelectObject(object)) {}
    ~CSelection() { m_dc.SelectObject(m_previous); }
    CSelection(const CSelection&) = delete;
    CSelection& operator=(const CSelection&) = delete;

private:
    CDC& m_dc;
    HGDIOBJ m_previous;
};

// A context borrowed for one message (WM_ERASEBKGND, WM_CTLCOLOR*, WM_DRAWITEM): it
// neither saves nor releases anything.
class CDCRef : public CDC {
public:
    explicit CDCRef(HDC dc) { m_hDC = dc; }
    ~CDCRef() override { m_hDC = nullptr; }
};
