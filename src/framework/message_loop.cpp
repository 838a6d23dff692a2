#include "message_loop.h"

#include "tool_tip_filter.h"
#include "wnd.h"

bool AfxPreTranslateMessage(MSG* msg) {
    AfxRelayToolTipMessage(msg);
    for (HWND window = msg->hwnd; window != nullptr; window = ::GetParent(window)) {
        CWnd* object = CWnd::FromHandlePermanent(window);
        if (object != nullptr && object->PreTranslateMessage(msg))
            return true;
        if ((::GetWindowLongW(window, GWL_STYLE) & WS_CHILD) == 0)
            break;
    }
    return false;
}

bool AfxPumpMessage(int* exitCode) {
    MSG msg;
    BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
        *exitCode = got == 0 ? static_cast<int>(msg.wParam) : -1;
        return false;
    }
    if (!AfxPreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return true;
}

int AfxRunMessageLoop() {
    int code = 0;
    while (AfxPumpMessage(&code)) {
    }
    return code;
}
