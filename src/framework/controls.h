// Thin wrappers of the standard controls the dialogs use.
#pragma once

#include "wnd.h"

class CEdit : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void SetSel(int start, int end, BOOL noScroll = FALSE) {
        SendMessage(EM_SETSEL, WPARAM(start), LPARAM(end));
        if (!noScroll)
            SendMessage(EM_SCROLLCARET);
    }
    void GetSel(int& start, int& end) const {
        DWORD first = 0, last = 0;
        SendMessage(EM_GETSEL, WPARAM(&first), LPARAM(&last));
        start = int(first);
        end = int(last);
    }
    void ReplaceSel(LPCWSTR text, BOOL canUndo = FALSE) { SendMessage(EM_REPLACESEL, canUndo, LPARAM(text)); }
    void SetLimitText(UINT maximum) { SendMessage(EM_SETLIMITTEXT, maximum); }
    BOOL SetReadOnly(BOOL readOnly = TRUE) { return BOOL(SendMessage(EM_SETREADONLY, readOnly)); }
};

class CStatic : public CWnd {
public:
    // Owner-drawn statics (SS_OWNERDRAW) draw here; the parent reflects its WM_DRAWITEM.
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CButton : public CWnd {
public:
    int GetCheck() const { return int(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, WPARAM(check)); }
};

class CComboBox : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int AddString(LPCWSTR text) { return int(SendMessage(CB_ADDSTRING, 0, LPARAM(text))); }
    int InsertString(int index, LPCWSTR text) {
        return int(SendMessage(CB_INSERTSTRING, WPARAM(index), LPARAM(text)));
    }
    int DeleteString(int index) { return int(SendMessage(CB_DELETESTRING, WPARAM(index))); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int GetCount() const { return int(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return int(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int index) { return int(SendMessage(CB_SETCURSEL, WPARAM(index))); }
    int FindStringExact(int start, LPCWSTR text) const {
        return int(SendMessage(CB_FINDSTRINGEXACT, WPARAM(start), LPARAM(text)));
    }
    std::wstring GetLBText(int index) const;
    DWORD_PTR GetItemData(int index) const { return DWORD_PTR(SendMessage(CB_GETITEMDATA, WPARAM(index))); }
    int SetItemData(int index, DWORD_PTR data) {
        return int(SendMessage(CB_SETITEMDATA, WPARAM(index), LPARAM(data)));
    }
    void ShowDropDown(BOOL show = TRUE) { SendMessage(CB_SHOWDROPDOWN, show); }
    BOOL GetDroppedState() const { return BOOL(SendMessage(CB_GETDROPPEDSTATE)); }
};
