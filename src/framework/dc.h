// Device contexts. A CDC owns the context it holds (it is deleted with the CDC); CBorrowedDC
// wraps one that belongs to someone else, CPaintDC and CClientDC release theirs to the window.
#pragma once

#include "gdi_objects.h"
#include "geometry.h"

class CWnd;

class CDC {
public:
    CDC() = default;
    virtual ~CDC() { DeleteDC(); }
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    // Takes ownership of `dc`; drawing and attribute queries both go to it.
    BOOL Attach(HDC dc);
    HDC Detach();
    BOOL DeleteDC();
    BOOL CreateCompatibleDC(CDC* other) {
        return Attach(::CreateCompatibleDC(other ? other->m_hDC : nullptr));
    }
    BOOL IsPrinting() const { return m_bPrinting; }

    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
    HGDIOBJ SelectObject(CGdiObject* object) { return SelectObject(object->m_hObject); }
    HGDIOBJ SelectStockObject(int index) { return SelectObject(::GetStockObject(index)); }
    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }

    COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
    COLORREF SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hAttribDC, index); }

    int GetClipBox(LPRECT rect) const { return ::GetClipBox(m_hDC, rect); }
    BOOL LPtoDP(LPPOINT points, int count = 1) const { return ::LPtoDP(m_hAttribDC, points, count); }
    BOOL LPtoDP(LPRECT rect) const { return LPtoDP(reinterpret_cast<LPPOINT>(rect), 2); }
    BOOL DPtoLP(LPPOINT points, int count = 1) const { return ::DPtoLP(m_hAttribDC, points, count); }
    CPoint SetWindowOrg(int x, int y);
    CPoint SetViewportOrg(int x, int y);
    int IntersectClipRect(LPCRECT rect) {
        return ::IntersectClipRect(m_hDC, rect->left, rect->top, rect->right, rect->bottom);
    }

    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY, DWORD rop) {
        return ::BitBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, sourceX, sourceY, rop);
    }
    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int width, int height, COLORREF color);
    void FillRect(LPCRECT rect, HBRUSH brush) { ::FillRect(m_hDC, rect, brush); }
    void FrameRect(LPCRECT rect, HBRUSH brush) { ::FrameRect(m_hDC, rect, brush); }
    // A raised or sunken frame: top and left edge in one colour, bottom and right in the other.
    void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
    int DrawText(LPCWSTR text, int count, LPRECT rect, UINT format) {
        return ::DrawTextW(m_hDC, text, count, rect, format);
    }
    BOOL TextOut(int x, int y, LPCWSTR text, int count) { return ::TextOutW(m_hDC, x, y, text, count); }
    CSize GetTextExtent(LPCWSTR text, int count) const;
    BOOL DrawFrameControl(LPRECT rect, UINT type, UINT state) {
        return ::DrawFrameControl(m_hDC, rect, type, state);
    }

    CPoint MoveTo(int x, int y);
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b); }
    BOOL Rectangle(LPCRECT rect) { return Rectangle(rect->left, rect->top, rect->right, rect->bottom); }
    BOOL Ellipse(LPCRECT rect) { return ::Ellipse(m_hDC, rect->left, rect->top, rect->right, rect->bottom); }
    BOOL RoundRect(LPCRECT rect, POINT corner) {
        return ::RoundRect(m_hDC, rect->left, rect->top, rect->right, rect->bottom, corner.x, corner.y);
    }
    BOOL Polygon(const POINT* points, int count) { return ::Polygon(m_hDC, points, count); }

    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr; // for printing: where sizes and mapping are asked
    BOOL m_bPrinting = FALSE;
};

// Selects a GDI object into a context for a scope and selects back what was there before
// when it ends. Being made after both the context and the object, it always goes before
// either of them, so the object is no longer selected when its wrapper deletes it and the
// context is never deleted holding it, whatever order the two were declared in. Select
// every object of ours through one of these rather than with a bare CDC::SelectObject; as a
// class member it is declared after the context and the object it selects.
class CDCSelection {
public:
    CDCSelection() = default;
    CDCSelection(CDC& dc, HGDIOBJ object) { Select(dc, object); }
    CDCSelection(CDC& dc, CGdiObject& object) { Select(dc, object.m_hObject); }
    ~CDCSelection() { Restore(); }
    CDCSelection(const CDCSelection&) = delete;
    CDCSelection& operator=(const CDCSelection&) = delete;

    // Selects `object` (after restoring any earlier selection of this one); FALSE when the
    // context or the object is null, the object is a region (selecting one copies it) or the
    // system refused it.
    BOOL Select(CDC& dc, HGDIOBJ object);
    // Selects the previous object back now; later calls do nothing.
    void Restore();
    BOOL IsSelected() const { return m_old != nullptr; }
    // What was selected before, or null.
    HGDIOBJ Old() const { return m_old; }

private:
    HDC m_dc = nullptr;
    HGDIOBJ m_old = nullptr;
};

// A context that belongs to someone else, such as the one a message hands over.
class CBorrowedDC : public CDC {
public:
    explicit CBorrowedDC(HDC dc) { m_hDC = m_hAttribDC = dc; }
    ~CBorrowedDC() override { Detach(); }
};

// The context of a WM_PAINT handler (BeginPaint .. EndPaint).
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};

// The client area's context outside WM_PAINT (GetDC .. ReleaseDC).
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

private:
    HWND m_hWnd;
};
