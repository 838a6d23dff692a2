// Thin wrappers of the list view and its header.
#pragma once

#include "wnd.h"

#include <commctrl.h>

class CHeaderCtrl : public CWnd {
public:
    int GetItemCount() const { return int(SendMessage(HDM_GETITEMCOUNT)); }
    BOOL GetItem(int index, HDITEMW* item) const {
        return BOOL(SendMessage(HDM_GETITEMW, WPARAM(index), LPARAM(item)));
    }
    BOOL SetItem(int index, HDITEMW* item) {
        return BOOL(SendMessage(HDM_SETITEMW, WPARAM(index), LPARAM(item)));
    }
    BOOL GetItemRect(int index, LPRECT rect) const {
        return BOOL(SendMessage(HDM_GETITEMRECT, WPARAM(index), LPARAM(rect)));
    }
    // Item indexes in display order.
    BOOL GetOrderArray(int* order, int count) const {
        return BOOL(SendMessage(HDM_GETORDERARRAY, WPARAM(count), LPARAM(order)));
    }
    HIMAGELIST GetImageList() const { return HIMAGELIST(SendMessage(HDM_GETIMAGELIST)); }
    // Owner-drawn items (HDF_OWNERDRAW) draw here; the parent reflects its WM_DRAWITEM.
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CListCtrl : public CWnd {
public:
    int GetItemCount() const { return int(SendMessage(LVM_GETITEMCOUNT)); }
    HWND GetHeaderHwnd() const { return HWND(SendMessage(LVM_GETHEADER)); }
    HWND GetToolTipsHwnd() const { return HWND(SendMessage(LVM_GETTOOLTIPS)); }
    DWORD GetExtendedStyle() const { return DWORD(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
    DWORD SetExtendedStyle(DWORD style) {
        return DWORD(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LPARAM(style)));
    }
    HIMAGELIST SetImageList(HIMAGELIST list, int kind) {
        return HIMAGELIST(SendMessage(LVM_SETIMAGELIST, WPARAM(kind), LPARAM(list)));
    }
    HIMAGELIST GetImageList(int kind) const {
        return HIMAGELIST(SendMessage(LVM_GETIMAGELIST, WPARAM(kind)));
    }

    int InsertColumn(int index, LPCWSTR heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    BOOL GetColumn(int index, LVCOLUMNW* column) const {
        return BOOL(SendMessage(LVM_GETCOLUMNW, WPARAM(index), LPARAM(column)));
    }
    BOOL SetColumn(int index, const LVCOLUMNW* column) {
        return BOOL(SendMessage(LVM_SETCOLUMNW, WPARAM(index), LPARAM(column)));
    }
    int GetColumnWidth(int index) const { return int(SendMessage(LVM_GETCOLUMNWIDTH, WPARAM(index))); }
    BOOL SetColumnWidth(int index, int width) {
        return BOOL(SendMessage(LVM_SETCOLUMNWIDTH, WPARAM(index), MAKELPARAM(width, 0)));
    }

    int InsertItem(int index, LPCWSTR text);
    BOOL DeleteAllItems() { return BOOL(SendMessage(LVM_DELETEALLITEMS)); }
    BOOL SetItemText(int item, int subItem, LPCWSTR text);
    std::wstring GetItemText(int item, int subItem) const;
    BOOL SetItemData(int item, DWORD_PTR data);
    DWORD_PTR GetItemData(int item) const;
    UINT GetItemState(int item, UINT mask) const {
        return UINT(SendMessage(LVM_GETITEMSTATE, WPARAM(item), LPARAM(mask)));
    }
    BOOL GetItemRect(int item, LPRECT rect, UINT area) const;
    BOOL GetSubItemRect(int item, int subItem, int area, LPRECT rect) const;
    int HitTest(LVHITTESTINFO* info) const { return int(SendMessage(LVM_HITTEST, 0, LPARAM(info))); }
    int SubItemHitTest(LVHITTESTINFO* info) const {
        return int(SendMessage(LVM_SUBITEMHITTEST, 0, LPARAM(info)));
    }
    int GetTopIndex() const { return int(SendMessage(LVM_GETTOPINDEX)); }
    int GetCountPerPage() const { return int(SendMessage(LVM_GETCOUNTPERPAGE)); }
    BOOL RedrawItems(int first, int last) {
        return BOOL(SendMessage(LVM_REDRAWITEMS, WPARAM(first), LPARAM(last)));
    }
};
