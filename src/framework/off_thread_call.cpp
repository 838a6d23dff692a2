#include "off_thread_call.h"

#include "message_loop.h"

#include <exception>

namespace {

struct Job {
    const std::function<void()>& work;
    std::exception_ptr failure;
};

DWORD WINAPI RunJob(void* context) {
    Job& job = *static_cast<Job*>(context);
    try {
        job.work();
    } catch (...) {
        job.failure = std::current_exception();
    }
    return 0;
}

} // namespace

void RunOffThisThread(HWND window, const std::function<void()>& work) {
    // A thread of the system's own, waited for and closed here: nothing of it outlives the call.
    Job job{work, nullptr};
    HANDLE worker = ::CreateThread(nullptr, 0, &RunJob, &job, CREATE_SUSPENDED, nullptr);
    if (worker == nullptr) {
        work(); // no thread to be had: better frozen for a moment than not done
        return;
    }
    HWND focus = ::GetFocus();
    const bool wasEnabled = window != nullptr && ::IsWindowEnabled(window);
    if (wasEnabled)
        ::EnableWindow(window, FALSE);
    ::ResumeThread(worker);
    bool quit = false;
    int quitCode = 0;
    for (;;) {
        const DWORD woke =
            ::MsgWaitForMultipleObjectsEx(1, &worker, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke != WAIT_OBJECT_0 + 1)
            break; // done, or the wait itself failed: the wait below ends it then
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
    ::WaitForSingleObject(worker, INFINITE);
    ::CloseHandle(worker);
    if (wasEnabled)
        ::EnableWindow(window, TRUE);
    if (focus != nullptr && ::IsWindow(focus))
        ::SetFocus(focus);
    if (quit)
        ::PostQuitMessage(quitCode);
    if (job.failure)
        std::rethrow_exception(job.failure);
}
