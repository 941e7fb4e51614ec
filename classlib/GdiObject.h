// Owning wrappers of GDI objects. Each deletes its handle; a handle given away (a
// window region after SetWindowRgn) is released with Detach. Objects made through
// these wrappers are counted, so tests can prove that nothing leaks.
#pragma once

#include <windows.h>

#include "classlib/Types.h"

class CDC;

class CGdiObject {
public:
    CGdiObject() = default;
    virtual ~CGdiObject() { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    bool IsNull() const { return m_hObject == nullptr; }
    // Takes ownership of a handle made elsewhere (counted from now on).
    bool Attach(HGDIOBJ handle);
    // Gives the handle away without deleting it.
    HGDIOBJ Detach();
    bool DeleteObject();

    // Objects created through the wrappers and not yet deleted or detached.
    static long LiveCount() { return s_live; }

protected:
    bool Own(HGDIOBJ handle) { return Attach(handle); }
    HGDIOBJ m_hObject = nullptr;

private:
    static long s_live;
};

class CBitmap : public CGdiObject {
public:
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
    bool LoadBitmap(UINT resourceId);
    bool CreateCompatibleBitmap(CDC* dc, int width, int height);
    bool GetBitmap(BITMAP* info) const;
};

class CFont : public CGdiObject {
public:
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    bool CreateFontIndirect(const LOGFONTW* description);
    bool GetLogFont(LOGFONTW* description) const;
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
    bool CreateSolidBrush(COLORREF colour);
};

class CRgn : public CGdiObject {
public:
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }
    bool CreateRectRgn(int left, int top, int right, int bottom);
    bool CreateRectRgnIndirect(const RECT& rect);
    bool CreateFromPath(CDC* dc);
    // Returns the region type (NULLREGION, SIMPLEREGION, COMPLEXREGION) or ERROR.
    int CombineRgn(HRGN a, HRGN b, int mode);
    int CopyRgn(HRGN source) { return CombineRgn(source, nullptr, RGN_COPY); }
    int OffsetRgn(int dx, int dy);
    int GetRgnBox(RECT* box) const;
    bool PtInRegion(POINT p) const;
};
