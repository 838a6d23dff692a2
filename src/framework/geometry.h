// Point, size and rectangle values with the few helpers the window code uses.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int px, int py) : POINT{px, py} {}
    CPoint(POINT p) : POINT(p) {}
    // A point packed into an LPARAM, as mouse messages carry it (signed coordinates).
    explicit CPoint(LPARAM packed)
        : POINT{static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed))} {}
    bool operator==(const CPoint& other) const { return x == other.x && y == other.y; }
};

class CSize : public SIZE {
public:
    CSize() : SIZE{0, 0} {}
    CSize(int width, int height) : SIZE{width, height} {}
    CSize(SIZE s) : SIZE(s) {}
};

class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(const RECT& r) : RECT(r) {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    bool IsRectEmpty() const { return right <= left || bottom <= top; }
    bool PtInRect(POINT p) const { return ::PtInRect(this, p) != FALSE; }
    void SetRect(int l, int t, int r, int b) { *this = CRect(l, t, r, b); }
    void SetRectEmpty() { *this = CRect(); }
    void DeflateRect(int dx, int dy) { ::InflateRect(this, -dx, -dy); }
    void InflateRect(int dx, int dy) { ::InflateRect(this, dx, dy); }
    void OffsetRect(int dx, int dy) { ::OffsetRect(this, dx, dy); }
    bool operator==(const CRect& o) const { return ::EqualRect(this, &o) != FALSE; }
    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }
};
