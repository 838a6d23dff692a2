#include "tool_tip_ctrl.h"

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    return CreateEx(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP | style,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    parent != nullptr ? parent->m_hWnd : nullptr, nullptr);
}

TOOLINFOW CToolTipCtrl::ToolInfo(CWnd* wnd, UINT_PTR id) {
    TOOLINFOW info{};
    // The older layout, which both versions of the common controls accept.
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = wnd->m_hWnd;
    if (id == 0) {
        info.uFlags = TTF_IDISHWND;
        info.uId = UINT_PTR(wnd->m_hWnd);
    } else {
        info.uId = id;
    }
    return info;
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, LPCWSTR text, LPCRECT rect, UINT_PTR id) {
    TOOLINFOW info = ToolInfo(wnd, id);
    if (rect != nullptr)
        info.rect = *rect;
    else if (id != 0)
        wnd->GetClientRect(&info.rect);
    info.lpszText = const_cast<LPWSTR>(text);
    return BOOL(SendMessage(TTM_ADDTOOLW, 0, LPARAM(&info)));
}

void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR id) {
    TOOLINFOW info = ToolInfo(wnd, id);
    SendMessage(TTM_DELTOOLW, 0, LPARAM(&info));
}

void CToolTipCtrl::UpdateTipText(LPCWSTR text, CWnd* wnd, UINT_PTR id) {
    TOOLINFOW info = ToolInfo(wnd, id);
    info.lpszText = const_cast<LPWSTR>(text);
    SendMessage(TTM_UPDATETIPTEXTW, 0, LPARAM(&info));
}
