// How the editable list draws its cells: every sub-item through custom draw, by kind.
#include "xlist_ctrl_win.h"

#include "xlist_geometry.h"
#include "xlist_paint_win.h"
#include "xlist_text.h"

namespace {

constexpr COLORREF kProgressBackground = 0xE0E0E0;

} // namespace

void CXListCtrl::OnCustomDraw(NMHDR* header, LRESULT* result) {
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
    case CDDS_ITEMPREPAINT:
        *result = CDRF_NOTIFYSUBITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        CBorrowedDC dc(draw->nmcd.hdc);
        DrawCell(dc, int(draw->nmcd.dwItemSpec), draw->iSubItem);
        *result = CDRF_SKIPDEFAULT;
        return;
    }
    default:
        *result = CDRF_DODEFAULT;
    }
}

void CXListCtrl::DrawCell(CDC& dc, int row, int column) {
    RECT subItem{};
    if (!GetCellRect(row, column, &subItem))
        return;
    const RECT area = xlist::CellPaintRect(subItem);
    RECT header{};
    if (HWND headerWindow = GetHeaderHwnd(); headerWindow != nullptr && ::IsWindowVisible(headerWindow)) {
        ::GetWindowRect(headerWindow, &header);
        ScreenToClient(&header);
    }
    if (xlist::HiddenByHeader(area, header.bottom))
        return;
    // A row added without cell records draws as plain text.
    const XListCell plain(CellDefaults());
    const XListCell* found = GetCell(row, column);
    const XListCell& cell = found != nullptr ? *found : plain;
    const xlist::CellColors colors = xlist::CellColorsFor(row, cell, GetRowEnabled(row) != FALSE, m_colors);
    if (cell.progress != 0)
        DrawProgressCell(dc, cell, area, colors);
    else if (cell.checkState != -1)
        DrawCheckCell(dc, row, column, cell, area, colors);
    else if (cell.dropDown != 0)
        DrawDropDownCell(dc, row, column, cell, area, colors);
    else
        DrawTextCell(dc, row, column, cell, area, colors);
}

void CXListCtrl::DrawTextCell(CDC& dc, int row, int column, const XListCell& cell, RECT area,
                              xlist::CellColors colors) {
    const xlist::SelectionView view{
        (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0,
        (GetExtendedStyle() & LVS_EX_FULLROWSELECT) != 0,
        column,
        ::GetFocus() == m_hWnd,
        (GetStyle() & LVS_SHOWSELALWAYS) != 0,
        m_dimUnfocusedSelection != FALSE,
    };
    colors = xlist::TextCellColors(colors, view, m_colors);
    dc.FillSolidRect(&area, colors.background);
    RECT textArea = area;
    HIMAGELIST images = GetImageList(LVSIL_SMALL);
    if (cell.image >= 0 && images != nullptr) {
        int width = 0, height = 0;
        ImageList_GetIconSize(images, &width, &height);
        const int x = area.left + xlist::kTextMargin;
        const int y = area.top + (xlist::Height(area) - height) / 2;
        // Masked pixels take the cell's background.
        const COLORREF oldBackground = ImageList_SetBkColor(images, colors.background);
        ImageList_Draw(images, cell.image, dc.GetSafeHdc(), x, y, ILD_NORMAL);
        ImageList_SetBkColor(images, oldBackground);
        textArea.left = x + width + xlist::kTextMargin;
    }
    textArea = xlist::TextArea(textArea);
    if (cell.button != 0) {
        RECT button = xlist::ButtonRect(area, cell.buttonWidth, cell.buttonHeight, cell.buttonPlacement);
        if (xlist::Width(button) > 0 && xlist::Height(button) > 0) {
            const bool pressed = cell.buttonPressed != 0;
            dc.DrawFrameControl(&button, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
            if (pressed)
                ::OffsetRect(&button, 1, 1);
            dc.SetTextColor(cell.buttonTextColor);
            const int oldMode = dc.SetBkMode(TRANSPARENT);
            // Vertical centring needs a single line.
            dc.DrawText(cell.buttonText.c_str(), int(cell.buttonText.size()), &button,
                        cell.buttonTextFormat | DT_SINGLELINE);
            dc.SetBkMode(oldMode);
        }
    }
    DrawCellText(dc, column, cell, GetItemText(row, column), textArea, colors.text);
}

void CXListCtrl::DrawCellText(CDC& dc, int column, const XListCell& cell, const std::wstring& text, RECT area,
                              COLORREF color) {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    HWND header = GetHeaderHwnd();
    if (header == nullptr || !::SendMessageW(header, HDM_GETITEMW, WPARAM(column), LPARAM(&item)))
        item.fmt = HDF_LEFT;
    CFont bold;
    CDCSelection boldSelection;
    if (cell.bold != 0) {
        LOGFONTW font{};
        if (::GetObjectW(::GetCurrentObject(dc.GetSafeHdc(), OBJ_FONT), sizeof font, &font) != 0) {
            font.lfWeight = FW_BOLD;
            if (bold.CreateFontIndirect(&font))
                boldSelection.Select(dc, bold);
        }
    }
    dc.SetTextColor(color);
    xlist::DrawCenteredText(dc, text, area, xlist::AlignmentFormat(item.fmt));
}

void CXListCtrl::DrawCheckCell(CDC& dc, int row, int column, const XListCell& cell, RECT area,
                               xlist::CellColors colors) {
    dc.FillSolidRect(&area, colors.background);
    const RECT box = xlist::CheckBoxRect(area, 0);
    const COLORREF tick = GetRowEnabled(row) ? xlist::kCheckTickColor : m_colors.grayText;
    xlist::PaintCheckBox(dc, box, cell.checkState == 1, m_colors.window, tick);
    const RECT textArea = xlist::TextArea({box.right, area.top, area.right, area.bottom});
    DrawCellText(dc, column, cell, GetItemText(row, column), textArea, colors.text);
}

void CXListCtrl::DrawProgressCell(CDC& dc, const XListCell& cell, RECT area, xlist::CellColors colors) {
    dc.FillSolidRect(&area, kProgressBackground);
    CBrush frame(m_colors.progressFrame);
    dc.FrameRect(&area, frame);
    const RECT fill = xlist::ProgressFillRect(area, cell.progressValue);
    if (xlist::Width(fill) > 0)
        dc.FillSolidRect(&fill, m_colors.highlight);
    if (cell.progressTextShown == 0)
        return;
    dc.SetTextColor(cell.progressTextColor == -1 ? colors.text : COLORREF(cell.progressTextColor));
    xlist::DrawCenteredText(dc, xlist::ProgressText(cell.progressFormat, cell.progressValue), area,
                            DT_CENTER | DT_SINGLELINE);
}

void CXListCtrl::DrawDropDownCell(CDC& dc, int row, int column, const XListCell& cell, RECT area,
                                  xlist::CellColors colors) {
    dc.FillSolidRect(&area, colors.background);
    RECT button = xlist::DropDownButtonRect(area);
    const RECT textArea = xlist::TextArea({area.left, area.top, button.left, area.bottom});
    DrawCellText(dc, column, cell, GetItemText(row, column), textArea, colors.text);
    dc.DrawFrameControl(&button, DFC_SCROLL, DFCS_SCROLLDOWN | (GetRowEnabled(row) ? 0 : DFCS_INACTIVE));
}
