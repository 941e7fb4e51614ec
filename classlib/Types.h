// Points, sizes and rectangles: thin value types over the Win32 structures.
#pragma once

#include <windows.h>

struct CSize : SIZE {
    CSize() : SIZE{0, 0} {}
    CSize(int x, int y) : SIZE{x, y} {}
};

struct CPoint : POINT {
    CPoint() : POINT{0, 0} {}
    CPoint(int px, int py) : POINT() {
        x = px;
        y = py;
    }
    CPoint(POINT p) : POINT(p) {}
    // Mouse messages carry a signed client point in lParam.
    explicit CPoint(LPARAM lParam)
        : POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))} {}
    bool operator==(const CPoint& o) const { return x == o.x && y == o.y; }
};

struct CRect : RECT {
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(const RECT& r) : RECT(r) {}
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CPoint TopLeft() const { return CPoint(left, top); }
    // Left and top edges are inside, right and bottom edges outside.
    bool PtInRect(POINT p) const { return ::PtInRect(this, p) != FALSE; }
    bool IsRectEmpty() const { return ::IsRectEmpty(this) != FALSE; }
    void OffsetRect(int dx, int dy) { ::OffsetRect(this, dx, dy); }
    void DeflateRect(int dx, int dy) { ::InflateRect(this, -dx, -dy); }
    bool operator==(const CRect& o) const { return ::EqualRect(this, &o) != FALSE; }
};
