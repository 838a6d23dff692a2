#include "xheader_ctrl_win.h"

#include "xlist_geometry.h"
#include "xlist_paint_win.h"
#include "xmem_dc.h"

#include <vector>

namespace {

// Captions are blue (COLORREF 0xFF0000).
constexpr COLORREF kCaptionColor = 0xFF0000;

} // namespace

BEGIN_MESSAGE_MAP(CXHeaderCtrl, CHeaderCtrl)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SYSCOLORCHANGE()
ON_MESSAGE(HDM_LAYOUT, &CXHeaderCtrl::OnLayout)
ON_MESSAGE(HDM_SETIMAGELIST, &CXHeaderCtrl::OnSetImageList)
ON_NOTIFY_REFLECT_EX(HDN_ITEMCLICKW, &CXHeaderCtrl::OnItemClick)
ON_NOTIFY_REFLECT_EX(HDN_ITEMDBLCLICKW, &CXHeaderCtrl::OnItemDblClick)
END_MESSAGE_MAP()

CXHeaderCtrl::CXHeaderCtrl() : m_textMargin(xlist::kTextMargin) {
    ReadSysColors();
}

void CXHeaderCtrl::ReadSysColors() {
    m_buttonHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    m_buttonShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_buttonFace = ::GetSysColor(COLOR_BTNFACE);
    m_buttonText = ::GetSysColor(COLOR_BTNTEXT);
}

void CXHeaderCtrl::SetListener(IXHeaderCtrlListener* listener, int64_t value) {
    m_listener = listener;
    m_listenerValue = value;
}

void CXHeaderCtrl::SetHeight(int height) {
    m_height = height;
    // The list asks its header for the layout whenever it is sized.
    HWND list = m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
    if (list == nullptr)
        return;
    RECT client{};
    ::GetClientRect(list, &client);
    ::SendMessageW(list, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    ::InvalidateRect(list, nullptr, TRUE);
}

int CXHeaderCtrl::GetCheck(int item) const {
    HDITEMW value{};
    value.mask = HDI_IMAGE;
    return item >= 0 && item < GetItemCount() && GetItem(item, &value) ? value.iImage : -1;
}

BOOL CXHeaderCtrl::SetCheck(int item, int state) {
    if (item < 0 || item >= GetItemCount())
        return FALSE;
    HDITEMW value{};
    value.mask = HDI_IMAGE;
    value.iImage = state;
    if (!SetItem(item, &value))
        return FALSE;
    Invalidate();
    return TRUE;
}

BOOL CXHeaderCtrl::OnEraseBkgnd(CDC*) {
    return TRUE; // the paint covers everything
}

void CXHeaderCtrl::OnSysColorChange() {
    ReadSysColors();
    CHeaderCtrl::OnSysColorChange();
}

LRESULT CXHeaderCtrl::OnLayout(WPARAM, LPARAM lParam) {
    const LRESULT result = Default();
    auto* layout = reinterpret_cast<HDLAYOUT*>(lParam);
    if (m_height > 0 && layout != nullptr && layout->pwpos != nullptr && layout->prc != nullptr) {
        layout->pwpos->cy = m_height;
        layout->prc->top = layout->pwpos->y + m_height;
    }
    return result;
}

LRESULT CXHeaderCtrl::OnSetImageList(WPARAM, LPARAM lParam) {
    const LRESULT result = Default();
    m_imageWidth = m_imageHeight = 0;
    if (auto list = reinterpret_cast<HIMAGELIST>(lParam))
        ImageList_GetIconSize(list, &m_imageWidth, &m_imageHeight);
    return result;
}

BOOL CXHeaderCtrl::OnItemClick(NMHDR* header, LRESULT*) {
    auto* note = reinterpret_cast<NMHEADERW*>(header);
    if (m_listener != nullptr)
        m_listener->OnXHeaderItemClick(m_listenerValue, note->iItem, note->iButton);
    return FALSE; // the list turns it into its column click
}

BOOL CXHeaderCtrl::OnItemDblClick(NMHDR* header, LRESULT*) {
    auto* note = reinterpret_cast<NMHEADERW*>(header);
    if (m_listener != nullptr)
        m_listener->OnXHeaderItemDblClick(m_listenerValue, note->iItem, note->iButton);
    return FALSE;
}

void CXHeaderCtrl::OnPaint() {
    CPaintDC paint(this);
    if (m_doubleBuffer) {
        CXMemDC memory(&paint);
        Paint(memory, paint.m_ps.rcPaint);
    } else {
        Paint(paint, paint.m_ps.rcPaint);
    }
}

void CXHeaderCtrl::Paint(CDC& dc, const RECT& update) {
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, m_buttonFace);
    HFONT font = GetFont();
    CDCSelection fontSelection(dc, font != nullptr ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    dc.SetTextColor(m_buttonText);
    dc.SetBkColor(m_buttonFace);

    const int count = GetItemCount();
    if (count <= 0)
        return;
    std::vector<int> order(size_t(count), 0);
    if (!GetOrderArray(order.data(), count))
        for (int i = 0; i < count; ++i)
            order[size_t(i)] = i;
    int totalWidth = 0;
    CPen shadow(PS_SOLID, 1, m_buttonShadow), highlight(PS_SOLID, 1, m_buttonHighlight);
    for (int i = 0; i < count; ++i) {
        CRect item;
        if (!GetItemRect(order[size_t(i)], &item))
            continue;
        totalWidth += item.Width();
        RECT overlap{};
        if (::IntersectRect(&overlap, &item, &update))
            PaintItem(dc, order[size_t(i)], item);
        if (i + 1 < count) {
            CDCSelection pen(dc, shadow);
            dc.MoveTo(item.right - 1, item.top + 2);
            dc.LineTo(item.right - 1, item.bottom - 2);
            pen.Select(dc, highlight);
            dc.MoveTo(item.right, item.top + 2);
            dc.LineTo(item.right, item.bottom - 2);
        }
    }
    if (totalWidth > 0) {
        CRect frame(0, 0, totalWidth, client.bottom);
        dc.Draw3dRect(&frame, m_buttonHighlight, m_buttonShadow);
    }
}

void CXHeaderCtrl::PaintItem(CDC& dc, int index, const RECT& itemRect) {
    wchar_t text[256] = L"";
    HDITEMW item{};
    item.mask = HDI_FORMAT | HDI_TEXT | HDI_IMAGE | HDI_BITMAP | HDI_LPARAM;
    item.pszText = text;
    item.cchTextMax = int(std::size(text));
    if (!GetItem(index, &item))
        return;
    if ((item.fmt & HDF_OWNERDRAW) != 0) {
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_HEADER;
        draw.CtlID = UINT(GetDlgCtrlID());
        draw.itemID = UINT(index);
        draw.itemAction = ODA_DRAWENTIRE;
        draw.hwndItem = m_hWnd;
        draw.hDC = dc.GetSafeHdc();
        draw.rcItem = itemRect;
        draw.itemData = ULONG_PTR(item.lParam);
        DrawItem(&draw);
        return;
    }
    RECT area{itemRect.left + m_textMargin, itemRect.top, itemRect.right - m_textMargin, itemRect.bottom};
    if (item.iImage == xlist::kHeaderClear || item.iImage == xlist::kHeaderTicked) {
        const RECT box = xlist::CheckBoxRect(itemRect, 2);
        xlist::PaintCheckBox(dc, box, item.iImage == xlist::kHeaderTicked, ::GetSysColor(COLOR_WINDOW),
                             xlist::kCheckTickColor);
        area.left = box.right + m_textMargin;
    }
    BITMAP bitmap{};
    if ((item.fmt & HDF_BITMAP) != 0 && item.hbm != nullptr &&
        ::GetObjectW(item.hbm, sizeof bitmap, &bitmap) && bitmap.bmWidth <= xlist::Width(area)) {
        const int x = area.right - bitmap.bmWidth;
        const int y = itemRect.top + (xlist::Height(itemRect) - bitmap.bmHeight) / 2;
        CDC source;
        if (source.CreateCompatibleDC(&dc)) {
            CDCSelection selection(source, item.hbm);
            dc.BitBlt(x, y, bitmap.bmWidth, bitmap.bmHeight, &source, 0, 0, SRCCOPY);
        }
        area.right = x - m_textMargin;
    }
    if (xlist::Width(area) <= 0)
        return;
    dc.SetTextColor(kCaptionColor);
    xlist::DrawCenteredText(dc, text, area, xlist::AlignmentFormat(item.fmt));
}
