// Routes the next window created on this thread to an object of ours from its very first
// message, as a dialog or a window of a registered class is being created.
#pragma once

#include "wnd.h"

class CWndCreationHook {
public:
    explicit CWndCreationHook(CWnd* target);
    ~CWndCreationHook();
    CWndCreationHook(const CWndCreationHook&) = delete;
    CWndCreationHook& operator=(const CWndCreationHook&) = delete;

private:
    static LRESULT CALLBACK Filter(int code, WPARAM wParam, LPARAM lParam);
    CWnd* m_previousTarget;
    HHOOK m_hook;
};
