#include "tool_tip_filter.h"

#include <memory>

namespace {

struct ToolTipState {
    CToolTipCtrl tip;
    HWND toolWindow = nullptr;
    UINT_PTR toolId = 0;
    bool hasTool = false;
};

ToolTipState& State() {
    thread_local ToolTipState state;
    return state;
}

bool IsMouseMessage(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_NCMOUSEMOVE;
}

// The nearest window of ours with tool tips on, from `window` up to its top-level window.
CWnd* ToolTipWindow(HWND window) {
    for (; window != nullptr; window = ::GetParent(window)) {
        CWnd* object = CWnd::FromHandlePermanent(window);
        if (object != nullptr && object->ToolTipsEnabled())
            return object;
        if ((::GetWindowLongW(window, GWL_STYLE) & WS_CHILD) == 0)
            break;
    }
    return nullptr;
}

// Where the mouse was, in `window`'s client coordinates. Client-area messages carry their
// own point; the others have it in screen coordinates.
CPoint MousePoint(const MSG& msg, HWND window) {
    bool clientPoint = msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST &&
                       msg.message != WM_MOUSEWHEEL && msg.message != WM_MOUSEHWHEEL;
    CPoint point = clientPoint ? CPoint(msg.lParam) : CPoint(msg.pt);
    ::MapWindowPoints(clientPoint ? msg.hwnd : nullptr, window, &point, 1);
    return point;
}

void DropTool(ToolTipState& state) {
    if (state.hasTool && state.tip.m_hWnd != nullptr && ::IsWindow(state.toolWindow)) {
        TOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        info.hwnd = state.toolWindow;
        info.uId = state.toolId;
        state.tip.SendMessage(TTM_DELTOOLW, 0, LPARAM(&info));
    }
    state.hasTool = false;
}

} // namespace

void AfxRelayToolTipMessage(MSG* msg) {
    if (!IsMouseMessage(msg->message))
        return;
    CWnd* window = ToolTipWindow(msg->hwnd);
    if (window == nullptr)
        return;
    ToolTipState& state = State();
    if (state.tip.m_hWnd == nullptr) {
        // Owned by the top-level window, so that it goes with it.
        CWnd* owner = CWnd::FromHandle(::GetAncestor(window->m_hWnd, GA_ROOT));
        if (!state.tip.Create(owner))
            return;
        state.hasTool = false;
    }
    CPoint point = MousePoint(*msg, window->m_hWnd);
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = window->m_hWnd;
    INT_PTR hit = window->OnToolHitTest(point, &info);
    bool same = hit != -1 && state.hasTool && state.toolWindow == info.hwnd && state.toolId == info.uId;
    if (!same) {
        DropTool(state);
        if (hit != -1 && state.tip.SendMessage(TTM_ADDTOOLW, 0, LPARAM(&info))) {
            state.toolWindow = info.hwnd;
            state.toolId = info.uId;
            state.hasTool = true;
        }
    }
    if (state.hasTool)
        state.tip.RelayEvent(msg);
}

CToolTipCtrl* AfxGetThreadToolTip() {
    ToolTipState& state = State();
    return state.tip.m_hWnd != nullptr ? &state.tip : nullptr;
}
