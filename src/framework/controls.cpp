#include "controls.h"

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, L"EDIT", nullptr, style, rect, parent, id);
}

bool CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, result);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    *result = TRUE;
    return true;
}

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, L"COMBOBOX", nullptr, style, rect, parent, id);
}

std::wstring CComboBox::GetLBText(int index) const {
    LRESULT length = SendMessage(CB_GETLBTEXTLEN, WPARAM(index));
    if (length == CB_ERR)
        return {};
    std::wstring text(size_t(length) + 1, L'\0');
    length = SendMessage(CB_GETLBTEXT, WPARAM(index), LPARAM(text.data()));
    text.resize(length == CB_ERR ? 0 : size_t(length));
    return text;
}
