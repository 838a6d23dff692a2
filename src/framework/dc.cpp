#include "dc.h"

#include "wnd.h"

BOOL CDC::Attach(HDC dc) {
    DeleteDC();
    m_hDC = m_hAttribDC = dc;
    return dc != nullptr;
}

HDC CDC::Detach() {
    HDC dc = m_hDC;
    m_hDC = m_hAttribDC = nullptr;
    return dc;
}

BOOL CDC::DeleteDC() {
    return m_hDC != nullptr ? ::DeleteDC(Detach()) : FALSE;
}

BOOL CDCSelection::Select(CDC& dc, HGDIOBJ object) {
    Restore();
    // Selecting a region copies it: nothing stays selected to be put back.
    if (dc.m_hDC == nullptr || object == nullptr || ::GetObjectType(object) == OBJ_REGION)
        return FALSE;
    HGDIOBJ old = ::SelectObject(dc.m_hDC, object);
    if (old == nullptr || old == HGDI_ERROR)
        return FALSE;
    m_dc = dc.m_hDC;
    m_old = old;
    return TRUE;
}

void CDCSelection::Restore() {
    if (m_old != nullptr)
        ::SelectObject(m_dc, m_old);
    m_dc = nullptr;
    m_old = nullptr;
}

CPoint CDC::SetWindowOrg(int x, int y) {
    POINT old{};
    ::SetWindowOrgEx(m_hDC, x, y, &old);
    return old;
}

CPoint CDC::SetViewportOrg(int x, int y) {
    POINT old{};
    ::SetViewportOrgEx(m_hDC, x, y, &old);
    return old;
}

CPoint CDC::MoveTo(int x, int y) {
    POINT old{};
    ::MoveToEx(m_hDC, x, y, &old);
    return old;
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color) {
    // An opaque empty text paints the rectangle without a brush to create and delete.
    COLORREF old = ::SetBkColor(m_hDC, color);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int width, int height, COLORREF color) {
    CRect rect(x, y, x + width, y + height);
    FillSolidRect(&rect, color);
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight) {
    int x = rect->left, y = rect->top;
    int width = rect->right - x, height = rect->bottom - y;
    FillSolidRect(x, y, width - 1, 1, topLeft);
    FillSolidRect(x, y, 1, height - 1, topLeft);
    FillSolidRect(x + width - 1, y, 1, height, bottomRight);
    FillSolidRect(x, y + height - 1, width, 1, bottomRight);
}

CSize CDC::GetTextExtent(LPCWSTR text, int count) const {
    SIZE size{};
    ::GetTextExtentPoint32W(m_hAttribDC, text, count, &size);
    return size;
}

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd->GetSafeHwnd()) {
    m_hDC = m_hAttribDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC() {
    Detach();
    ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->GetSafeHwnd() : nullptr) {
    m_hDC = m_hAttribDC = ::GetDC(m_hWnd);
}

CClientDC::~CClientDC() {
    ::ReleaseDC(m_hWnd, Detach());
}
