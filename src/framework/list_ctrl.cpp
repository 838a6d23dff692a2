#include "list_ctrl.h"

bool CHeaderCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, result);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    *result = TRUE;
    return true;
}

int CListCtrl::InsertColumn(int index, LPCWSTR heading, int format, int width, int subItem) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.fmt = format;
    column.pszText = const_cast<LPWSTR>(heading);
    if (width != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = width;
    }
    if (subItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = subItem;
    }
    return int(SendMessage(LVM_INSERTCOLUMNW, WPARAM(index), LPARAM(&column)));
}

int CListCtrl::InsertItem(int index, LPCWSTR text) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<LPWSTR>(text);
    return int(SendMessage(LVM_INSERTITEMW, 0, LPARAM(&item)));
}

BOOL CListCtrl::SetItemText(int item, int subItem, LPCWSTR text) {
    LVITEMW value{};
    value.iSubItem = subItem;
    value.pszText = const_cast<LPWSTR>(text);
    return BOOL(SendMessage(LVM_SETITEMTEXTW, WPARAM(item), LPARAM(&value)));
}

std::wstring CListCtrl::GetItemText(int item, int subItem) const {
    // The control copies at most the buffer's size and says how much it copied, so the
    // buffer grows until the text fits.
    std::wstring text(64, L'\0');
    for (;;) {
        LVITEMW value{};
        value.iSubItem = subItem;
        value.pszText = text.data();
        value.cchTextMax = int(text.size());
        auto length = size_t(SendMessage(LVM_GETITEMTEXTW, WPARAM(item), LPARAM(&value)));
        if (length + 1 < text.size()) {
            text.resize(length);
            return text;
        }
        text.resize(text.size() * 2);
    }
}

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data) {
    LVITEMW value{};
    value.mask = LVIF_PARAM;
    value.iItem = item;
    value.lParam = LPARAM(data);
    return BOOL(SendMessage(LVM_SETITEMW, 0, LPARAM(&value)));
}

DWORD_PTR CListCtrl::GetItemData(int item) const {
    LVITEMW value{};
    value.mask = LVIF_PARAM;
    value.iItem = item;
    return SendMessage(LVM_GETITEMW, 0, LPARAM(&value)) ? DWORD_PTR(value.lParam) : 0;
}

BOOL CListCtrl::GetItemRect(int item, LPRECT rect, UINT area) const {
    rect->left = LONG(area);
    return BOOL(SendMessage(LVM_GETITEMRECT, WPARAM(item), LPARAM(rect)));
}

BOOL CListCtrl::GetSubItemRect(int item, int subItem, int area, LPRECT rect) const {
    rect->top = subItem;
    rect->left = area;
    return BOOL(SendMessage(LVM_GETSUBITEMRECT, WPARAM(item), LPARAM(rect)));
}
