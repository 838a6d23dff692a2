#include "in_process_feeder_win.h"

#include <thread>

namespace {

std::atomic<bool> g_stop{false};
std::thread g_feeder;

CKOVATevo512ToolDlg* WaitForMainDialog() {
    while (!g_stop) {
        HWND window = FindWindowW(L"KOVA_Tevo512Tool", nullptr);
        DWORD process = 0;
        if (window != nullptr && GetWindowThreadProcessId(window, &process) != 0 &&
            process == GetCurrentProcessId())
            if (auto* dialog = dynamic_cast<CKOVATevo512ToolDlg*>(CWnd::FromHandlePermanent(window)))
                return dialog;
        Sleep(50);
    }
    return nullptr;
}

void StopFeeding() {
    g_stop = true;
    if (g_feeder.joinable())
        g_feeder.join();
}

LRESULT CALLBACK StopFeedingBeforeDestroy(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_DESTROY &&
        dynamic_cast<CKOVATevo512ToolDlg*>(CWnd::FromHandlePermanent(message->hwnd)) != nullptr)
        StopFeeding();
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

BOOL InProcessFeederApp::InitInstance() {
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, &StopFeedingBeforeDestroy, nullptr, GetCurrentThreadId());
    const Feeding feeding = m_feeding;
    g_feeder = std::thread([feeding] {
        if (CKOVATevo512ToolDlg* dialog = WaitForMainDialog())
            feeding(*dialog, g_stop);
    });
    BOOL result = CKOVATevo512ToolApp::InitInstance();
    StopFeeding();
    UnhookWindowsHookEx(hook);
    return result;
}
