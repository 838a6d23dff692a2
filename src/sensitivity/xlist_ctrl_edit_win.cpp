#include "xlist_ctrl_edit_win.h"

#include "xlist_geometry.h"

BEGIN_MESSAGE_MAP(CXListCtrlEdit, CDigitalEdit)
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

BOOL CXListCtrlEdit::PreTranslateMessage(MSG* msg) {
    if (msg->message != WM_KEYDOWN || msg->hwnd != m_hWnd)
        return CDigitalEdit::PreTranslateMessage(msg);
    if (msg->wParam == VK_RETURN) {
        // Handed over as typed: the numeric edit checks it only when the focus goes.
        if (listener != nullptr)
            listener->OnXListEditReturn();
        done = 1;
        HideKeepingFocusInList();
        return TRUE;
    }
    if (msg->wParam == VK_ESCAPE) {
        done = 1;
        HideKeepingFocusInList();
        return TRUE;
    }
    return CDigitalEdit::PreTranslateMessage(msg);
}

void CXListCtrlEdit::OnKillFocus(CWnd* newFocus) {
    // First the numeric edit's own commit (a value beyond a limit becomes the limit).
    CDigitalEdit::OnKillFocus(newFocus);
    if (done == 0 && listener != nullptr)
        listener->OnXListEditKillFocus();
    done = 0;
    if (IsWindowVisible())
        ShowWindow(SW_HIDE);
}

void CXListCtrlEdit::HideKeepingFocusInList() {
    const bool focused = ::GetFocus() == m_hWnd;
    ShowWindow(SW_HIDE);
    if (focused && ::GetFocus() == m_hWnd)
        ::SetFocus(::GetParent(m_hWnd));
}

void CXListCtrlEdit::SetCell(int row, int column) {
    ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, LONG_PTR(xlist::PackCellAddress(row, column)));
}

void CXListCtrlEdit::GetCell(int& row, int& column) const {
    xlist::UnpackCellAddress(intptr_t(::GetWindowLongPtrW(m_hWnd, GWLP_USERDATA)), row, column);
}
