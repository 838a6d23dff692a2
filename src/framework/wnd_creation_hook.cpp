#include "wnd_creation_hook.h"

namespace {

thread_local CWnd* t_target = nullptr;

// The system may make a thread's input-method window along with its first window.
bool IsInputMethodWindow(HWND window) {
    wchar_t name[32] = {};
    ::GetClassNameW(window, name, 32);
    return lstrcmpiW(name, L"IME") == 0 || lstrcmpiW(name, L"MSCTFIME UI") == 0;
}

} // namespace

CWndCreationHook::CWndCreationHook(CWnd* target)
    : m_previousTarget(t_target),
      m_hook(::SetWindowsHookExW(WH_CBT, &CWndCreationHook::Filter, nullptr, ::GetCurrentThreadId())) {
    t_target = target;
}

CWndCreationHook::~CWndCreationHook() {
    t_target = m_previousTarget;
    if (m_hook != nullptr)
        ::UnhookWindowsHookEx(m_hook);
}

LRESULT CALLBACK CWndCreationHook::Filter(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_CREATEWND && t_target != nullptr && !IsInputMethodWindow(window)) {
        CWnd* target = t_target;
        t_target = nullptr;
        target->SubclassNow(window, CWnd::Origin::Created);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
