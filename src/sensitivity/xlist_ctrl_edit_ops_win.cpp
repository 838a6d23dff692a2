// What the editable list does with the mouse: in-place editing, push buttons, check boxes and
// drop-downs in cells, and tool tips for cells.
#include "xlist_ctrl_win.h"

#include "xlist_geometry.h"
#include "xlist_text.h"

#include <algorithm>
#include <vector>

namespace {

// Tips may hold line breaks; a width this large lets them break only there.
constexpr int kToolTipMaxWidth = 5000;
// Room for the drop-down's list below the cell.
constexpr int kDropDownListHeight = 150;

} // namespace

bool CXListCtrl::HasWindowOwner() const {
    HWND owner = ::GetParent(m_hWnd);
    if (owner == nullptr)
        owner = ::GetWindow(m_hWnd, GW_OWNER);
    return ::IsWindow(owner) != FALSE;
}

CXListCtrl::CellPart CXListCtrl::PartAt(int row, int column, POINT point) const {
    const XListCell* cell = GetCell(row, column);
    RECT subItem{};
    if (cell == nullptr || !GetRowEnabled(row) || !GetCellRect(row, column, &subItem))
        return CellPart::None;
    const RECT area = xlist::CellPaintRect(subItem);
    // The kinds as the cell is drawn: a progress bar takes no clicks.
    if (cell->progress != 0)
        return CellPart::None;
    if (cell->checkState != -1)
        return xlist::Contains(xlist::CheckBoxRect(area, 0), point) ? CellPart::CheckBox : CellPart::None;
    if (cell->dropDown != 0)
        return xlist::Contains(xlist::DropDownButtonRect(area), point) ? CellPart::DropDown : CellPart::None;
    if (cell->button != 0 &&
        xlist::Contains(xlist::ButtonRect(area, cell->buttonWidth, cell->buttonHeight, cell->buttonPlacement),
                        point))
        return CellPart::Button;
    return CellPart::None;
}

void CXListCtrl::OnLButtonDown(UINT flags, CPoint point) {
    int row = -1, column = -1;
    const bool onCell = CellFromPoint(point, row, column);
    if (row < 0) {
        // Outside every row a press only ends what is open; the editor commits as it loses
        // the focus.
        if (m_edit.m_hWnd != nullptr && m_edit.IsWindowVisible()) {
            HideEditors();
            return;
        }
        if (m_combo.m_hWnd != nullptr && m_combo.IsWindowVisible()) {
            OnComboHide();
            return;
        }
        if (m_defaultClicksOutsideItems)
            CListCtrl::OnLButtonDown(flags, point);
        return;
    }
    const CellPart part = onCell ? PartAt(row, column, point) : CellPart::None;
    if (part == CellPart::None) {
        CListCtrl::OnLButtonDown(flags, point);
        return;
    }
    SetCapture();
    m_pressedRow = row;
    m_pressedColumn = column;
    if (part == CellPart::Button) {
        GetCell(row, column)->buttonPressed = 1;
        InvalidateCell(row, column);
    }
}

void CXListCtrl::OnLButtonUp(UINT flags, CPoint point) {
    if (m_pressedRow < 0) {
        CListCtrl::OnLButtonUp(flags, point);
        return;
    }
    ::ReleaseCapture();
    const int row = m_pressedRow, column = m_pressedColumn;
    m_pressedRow = m_pressedColumn = -1;
    XListCell* cell = GetCell(row, column);
    if (cell == nullptr)
        return;
    if (cell->buttonPressed != 0) {
        cell->buttonPressed = 0;
        InvalidateCell(row, column);
    }
    switch (PartAt(row, column, point)) {
    case CellPart::Button:
        if (m_listener != nullptr)
            m_listener->OnXListButtonClicked(m_listenerValue, row, column, cell->buttonValue);
        break;
    case CellPart::CheckBox:
        ToggleCheck(row, column);
        break;
    case CellPart::DropDown:
        if (m_combo.m_hWnd != nullptr && !m_combo.IsWindowVisible())
            BeginDropDown(row, column);
        break;
    case CellPart::None:
        break;
    }
}

void CXListCtrl::ToggleCheck(int row, int column) {
    XListCell* cell = GetCell(row, column);
    cell->checkState = cell->checkState == 1 ? 0 : 1;
    InvalidateCell(row, column);
    if (m_listener != nullptr)
        m_listener->OnXListCheckToggled(m_listenerValue, row, column);
    const int headerState = GetHeaderCheck(column);
    if (headerState != xlist::kHeaderClear && headerState != xlist::kHeaderTicked)
        return;
    std::vector<int> states;
    const int rows = GetItemCount();
    for (int other = 0; other < rows; ++other)
        if (const XListCell* otherCell = GetCell(other, column))
            states.push_back(otherCell->checkState);
    SetHeaderCheck(column, xlist::HeaderCheckForRows(states));
}

void CXListCtrl::OnLButtonDblClk(UINT flags, CPoint point) {
    int row = -1, column = -1;
    if (!CellFromPoint(point, row, column)) {
        if (m_defaultClicksOutsideItems)
            CListCtrl::OnLButtonDblClk(flags, point);
        return;
    }
    const XListCell* cell = GetCell(row, column);
    if (cell != nullptr && cell->editable != 0 && GetRowEnabled(row) && BeginEdit(row, column))
        return;
    CListCtrl::OnLButtonDblClk(flags, point);
}

bool CXListCtrl::BeginEdit(int row, int column) {
    if (m_edit.m_hWnd == nullptr || m_listener == nullptr || !HasWindowOwner())
        return false;
    std::wstring text = GetItemText(row, column);
    if (m_listener->OnXListBeginEdit(m_listenerValue, row, column, text) == 0)
        return false;
    RECT cell{};
    if (!GetCellRect(row, column, &cell)) // the listener may have changed the rows
        return false;
    if (m_combo.m_hWnd != nullptr && m_combo.IsWindowVisible())
        OnComboHide();
    m_edit.done = 0;
    m_edit.SetCell(row, column);
    m_edit.MoveWindow(&cell);
    m_edit.ShowWindow(SW_SHOW);
    m_edit.SetWindowText(text.c_str());
    m_edit.SetFocus();
    m_edit.SendMessage(EM_SETSEL, 0xFFFF, 0xFFFF);
    m_edit.SendMessage(EM_SCROLLCARET);
    return true;
}

void CXListCtrl::OnXListEditKillFocus() {
    EndEdit(false);
}

void CXListCtrl::OnXListEditReturn() {
    EndEdit(true);
}

void CXListCtrl::EndEdit(bool onReturn) {
    if (m_edit.m_hWnd == nullptr || m_listener == nullptr || !HasWindowOwner())
        return;
    const std::wstring text = m_edit.GetWindowText();
    int row = -1, column = -1;
    m_edit.GetCell(row, column);
    const int store = onReturn ? m_listener->OnXListEndEditReturn(m_listenerValue, row, column, text)
                               : m_listener->OnXListEndEditKillFocus(m_listenerValue, row, column, text);
    if (store != 0)
        SetItemTextKeepColors(row, column, text.c_str());
}

void CXListCtrl::HideEditors() {
    if (m_edit.m_hWnd != nullptr && m_edit.IsWindowVisible()) {
        const bool focused = ::GetFocus() == m_edit.m_hWnd;
        m_edit.ShowWindow(SW_HIDE);
        if (focused && ::GetFocus() == m_edit.m_hWnd)
            SetFocus();
    }
    if (m_combo.m_hWnd != nullptr && m_combo.IsWindowVisible())
        OnComboHide();
}

bool CXListCtrl::BeginDropDown(int row, int column) {
    if (m_combo.m_hWnd == nullptr || m_listener == nullptr || !HasWindowOwner())
        return false;
    std::wstring text = GetItemText(row, column);
    if (m_listener->OnXListBeginDropDown(m_listenerValue, row, column, text, &m_combo) == 0)
        return false;
    RECT cell{};
    if (!GetCellRect(row, column, &cell))
        return false;
    if (m_edit.m_hWnd != nullptr && m_edit.IsWindowVisible())
        HideEditors();
    ::SetWindowLongPtrW(m_combo.m_hWnd, GWLP_USERDATA, LONG_PTR(xlist::PackCellAddress(row, column)));
    m_combo.MoveWindow(cell.left, cell.top, xlist::Width(cell), xlist::Height(cell) + kDropDownListHeight);
    m_combo.ShowWindow(SW_SHOW);
    m_combo.SetFocus();
    m_combo.ShowDropDown(TRUE);
    return true;
}

void CXListCtrl::OnComboSelChange() {
    const int selected = m_combo.GetCurSel();
    int row = -1, column = -1;
    xlist::UnpackCellAddress(intptr_t(::GetWindowLongPtrW(m_combo.m_hWnd, GWLP_USERDATA)), row, column);
    if (selected >= 0 && m_listener != nullptr && HasWindowOwner()) {
        std::wstring text = m_combo.GetLBText(selected);
        if (m_listener->OnXListDropDownChosen(m_listenerValue, row, column, selected, text) != 0)
            SetItemTextKeepColors(row, column, text.c_str());
    }
    OnComboHide();
}

void CXListCtrl::OnComboHide() {
    // Its list is a window of its own that hiding the combo would leave open.
    if (m_combo.GetDroppedState())
        m_combo.ShowDropDown(FALSE);
    if (m_combo.IsWindowVisible())
        m_combo.ShowWindow(SW_HIDE);
}

INT_PTR CXListCtrl::OnToolHitTest(CPoint point, TOOLINFOW* info) const {
    int row = -1, column = -1;
    if (!CellFromPoint(point, row, column))
        return -1;
    const INT_PTR id = INT_PTR(xlist::CellToolId(row, column));
    info->hwnd = m_hWnd;
    info->uId = UINT_PTR(id);
    GetClientRect(&info->rect);
    info->lpszText = LPSTR_TEXTCALLBACKW;
    return id;
}

BOOL CXListCtrl::OnToolTipText(NMHDR* header, LRESULT* result) {
    int row = -1, column = -1;
    // The list's own tip asks for its own tools.
    if (header->hwndFrom == GetToolTipsHwnd() ||
        !xlist::CellFromToolId(intptr_t(header->idFrom), row, column) || !IsCell(row, column))
        return FALSE;
    const XListCell* cell = GetCell(row, column);
    std::wstring text =
        xlist::ToolTipText(cell != nullptr ? cell->tooltip : std::wstring(), GetItemText(row, column));
    *result = 0;
    if (header->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
        std::copy(text.begin(), text.end(), info->szText);
        info->szText[text.size()] = L'\0';
        info->lpszText = info->szText;
        info->hinst = nullptr;
    } else {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        // Cut further until the ANSI form fits too.
        int length = 0;
        while (!text.empty() &&
               (length = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr,
                                               nullptr)) > int(xlist::kToolTipMaxLength))
            text.pop_back();
        length = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), int(text.size()), info->szText,
                                       int(xlist::kToolTipMaxLength), nullptr, nullptr);
        info->szText[std::max(length, 0)] = '\0';
        info->lpszText = info->szText;
        info->hinst = nullptr;
    }
    if (text.empty())
        return TRUE;
    if (CToolTipCtrl* tip = AfxGetThreadToolTip())
        tip->SetMaxTipWidth(kToolTipMaxWidth);
    return TRUE;
}
