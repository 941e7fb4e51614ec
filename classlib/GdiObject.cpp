#include "classlib/GdiObject.h"

#include "classlib/Dc.h"

long CGdiObject::s_live = 0;

bool CGdiObject::Attach(HGDIOBJ handle) {
    DeleteObject();
    m_hObject = handle;
    if (handle) ++s_live;
    return handle != nullptr;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ handle = m_hObject;
    if (handle) --s_live;
    m_hObject = nullptr;
    return handle;
}

bool CGdiObject::DeleteObject() {
    if (!m_hObject) return false;
    return ::DeleteObject(Detach()) != FALSE;
}

bool CBitmap::LoadBitmap(UINT resourceId) {
    return Own(::LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId)));
}

bool CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
    return Own(::CreateCompatibleBitmap(dc->GetSafeHdc(), width, height));
}

bool CBitmap::GetBitmap(BITMAP* info) const {
    return ::GetObjectW(m_hObject, sizeof(BITMAP), info) == sizeof(BITMAP);
}

bool CFont::CreateFontIndirect(const LOGFONTW* description) {
    return Own(::CreateFontIndirectW(description));
}

bool CFont::GetLogFont(LOGFONTW* description) const {
    return ::GetObjectW(m_hObject, sizeof(LOGFONTW), description) == sizeof(LOGFONTW);
}

bool CBrush::CreateSolidBrush(COLORREF colour) {
    return Own(::CreateSolidBrush(colour));
}

bool CRgn::CreateRectRgn(int left, int top, int right, int bottom) {
    return Own(::CreateRectRgn(left, top, right, bottom));
}

bool CRgn::CreateRectRgnIndirect(const RECT& rect) {
    return Own(::CreateRectRgnIndirect(&rect));
}

bool CRgn::CreateFromPath(CDC* dc) {
    return Own(::PathToRegion(dc->GetSafeHdc()));
}

int CRgn::CombineRgn(HRGN a, HRGN b, int mode) {
    return ::CombineRgn(*this, a, b, mode);
}

int CRgn::OffsetRgn(int dx, int dy) {
    return ::OffsetRgn(*this, dx, dy);
}

int CRgn::GetRgnBox(RECT* box) const {
    return ::GetRgnBox(*this, box);
}

bool CRgn::PtInRegion(POINT p) const {
    return ::PtInRegion(*this, p.x, p.y) != FALSE;
}
