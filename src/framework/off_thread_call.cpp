#include "off_thread_call.h"

#include "message_loop.h"

#include <exception>
#include <thread>

void RunOffThisThread(HWND window, const std::function<void()>& work) {
    HANDLE done = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (done == nullptr) {
        work(); // no event to wait on: better frozen for a moment than not done
        return;
    }
    HWND focus = ::GetFocus();
    const bool wasEnabled = window != nullptr && ::IsWindowEnabled(window);
    if (wasEnabled)
        ::EnableWindow(window, FALSE);
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        ::SetEvent(done);
    });
    bool quit = false;
    int quitCode = 0;
    for (;;) {
        const DWORD woke =
            ::MsgWaitForMultipleObjectsEx(1, &done, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke != WAIT_OBJECT_0 + 1)
            break; // done, or the wait itself failed: the join below waits then
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;
                quitCode = int(msg.wParam);
                continue;
            }
            if (!AfxPreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
    }
    worker.join();
    ::CloseHandle(done);
    if (wasEnabled)
        ::EnableWindow(window, TRUE);
    if (focus != nullptr && ::IsWindow(focus))
        ::SetFocus(focus);
    if (quit)
        ::PostQuitMessage(quitCode);
    if (failure)
        std::rethrow_exception(failure);
}
