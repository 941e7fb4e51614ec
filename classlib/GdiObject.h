// Wrappers of GDI objects. Like the device contexts, each comes in two kinds told apart
// by t_bManaged: a managed wrapper (CBitmap, CFont, CBrush, CRgn) owns its handle and
// deletes it when it goes, unless Detach gave the handle away (a window region after
// SetWindowRgn); a handle wrapper (CFontHandle) only borrows a handle made elsewhere,
// and can neither delete nor give it away.
#pragma once

#include <windows.h>

#include "classlib/Types.h"

// A borrowed GDI object: the handle alone, a plain value.
template <bool t_bManaged>
class CGdiObjectT {
public:
    CGdiObjectT() = default;
    explicit CGdiObjectT(HGDIOBJ handle) : m_hObject(handle) {}
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    bool IsNull() const { return m_hObject == nullptr; }

protected:
    HGDIOBJ m_hObject = nullptr;
};

// An owned GDI object: deleted with its wrapper unless given away, never copied.
template <>
class CGdiObjectT<true> {
public:
    CGdiObjectT() = default;
    ~CGdiObjectT() { DeleteObject(); }
    CGdiObjectT(const CGdiObjectT&) = delete;
    CGdiObjectT& operator=(const CGdiObjectT&) = delete;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    bool IsNull() const { return m_hObject == nullptr; }
    // Owns (and counts) a handle from now on, deleting the one held before.
    bool Attach(HGDIOBJ handle) {
        DeleteObject();
        m_hObject = handle;
        if (handle) ++s_live;
        return handle != nullptr;
    }
    // Gives the handle away without deleting it.
    HGDIOBJ Detach() {
        HGDIOBJ handle = m_hObject;
        if (handle) --s_live;
        m_hObject = nullptr;
        return handle;
    }
    bool DeleteObject() { return m_hObject && ::DeleteObject(Detach()); }

    // Objects the wrappers made or took and have not yet deleted or given away. Wine
    // counts no process's GDI objects, so the handle tests find leaks in painting and in
    // the dialogs by this count; it is kept in the program itself so that they check the
    // code that ships, not a build made for them.
    static long LiveCount() { return s_live; }

protected:
    HGDIOBJ m_hObject = nullptr;

private:
    static inline long s_live = 0;
};

using CGdiObject = CGdiObjectT<true>;

template <bool t_bManaged>
class CBitmapT : public CGdiObjectT<t_bManaged> {
public:
    operator HBITMAP() const { return static_cast<HBITMAP>(this->m_hObject); }
    bool LoadBitmap(UINT resourceId) {
        return this->Attach(::LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId)));
    }
    bool CreateCompatibleBitmap(HDC dc, int width, int height) {
        return this->Attach(::CreateCompatibleBitmap(dc, width, height));
    }
    bool GetBitmap(BITMAP* info) const {
        return ::GetObjectW(this->m_hObject, sizeof(BITMAP), info) == sizeof(BITMAP);
    }
};

template <bool t_bManaged>
class CFontT : public CGdiObjectT<t_bManaged> {
public:
    CFontT() = default;
    explicit CFontT(HFONT font) : CGdiObjectT<t_bManaged>(font) {}
    operator HFONT() const { return static_cast<HFONT>(this->m_hObject); }
    bool CreateFontIndirect(const LOGFONTW* description) {
        return this->Attach(::CreateFontIndirectW(description));
    }
    bool GetLogFont(LOGFONTW* description) const {
        return ::GetObjectW(this->m_hObject, sizeof(LOGFONTW), description) == sizeof(LOGFONTW);
    }
};

template <bool t_bManaged>
class CBrushT : public CGdiObjectT<t_bManaged> {
public:
    CBrushT() = default;
    explicit CBrushT(COLORREF colour) { CreateSolidBrush(colour); }
    operator HBRUSH() const { return static_cast<HBRUSH>(this->m_hObject); }
    bool CreateSolidBrush(COLORREF colour) { return this->Attach(::CreateSolidBrush(colour)); }
};

template <bool t_bManaged>
class CRgnT : public CGdiObjectT<t_bManaged> {
public:
    operator HRGN() const { return static_cast<HRGN>(this->m_hObject); }
    bool CreateRectRgn(int left, int top, int right, int bottom) {
        return this->Attach(::CreateRectRgn(left, top, right, bottom));
    }
    // The outline of the path last closed in the context.
    bool CreateFromPath(HDC dc) { return this->Attach(::PathToRegion(dc)); }
    // Answer the region type (NULLREGION, SIMPLEREGION, COMPLEXREGION) or ERROR.
    int CombineRgn(HRGN a, HRGN b, int mode) { return ::CombineRgn(*this, a, b, mode); }
    int CopyRgn(HRGN source) { return CombineRgn(source, nullptr, RGN_COPY); }
    int OffsetRgn(int dx, int dy) { return ::OffsetRgn(*this, dx, dy); }
    int GetRgnBox(RECT* box) const { return ::GetRgnBox(*this, box); }
    bool PtInRegion(POINT p) const { return ::PtInRegion(*this, p.x, p.y) != FALSE; }
};

using CBitmap = CBitmapT<true>;
using CFont = CFontT<true>;
using CFontHandle = CFontT<false>;
using CBrush = CBrushT<true>;
using CRgn = CRgnT<true>;
