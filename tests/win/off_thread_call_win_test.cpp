// A long call off the window's thread: the window goes on handling its messages meanwhile and
// takes no input; what the call throws, and a quit asked for meanwhile, come back afterwards.
#include "off_thread_call.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

namespace {

std::atomic<int> g_handled{0};

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        ++g_handled;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &CountingProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"OffThreadCallTest";
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, L"OffThreadCallTest", L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

// Waits up to two seconds for `condition`, from the worker.
template <typename Condition> bool WithinTwoSeconds(Condition condition) {
    for (int i = 0; i < 200 && !condition(); ++i)
        Sleep(10);
    return condition();
}

} // namespace

TEST(OffThreadCall, TheWindowHandlesMessagesAndTakesNoInputWhileTheWorkRuns) {
    HWND window = MakeWindow();
    ASSERT_NE(window, nullptr);
    g_handled = 0;
    const DWORD caller = GetCurrentThreadId();
    DWORD workThread = 0;
    bool disabled = false, handledMeanwhile = false;
    RunOffThisThread(window, [&] {
        workThread = GetCurrentThreadId();
        disabled = !IsWindowEnabled(window);
        PostMessageW(window, WM_APP, 0, 0);
        // Handled only if the caller's thread pumps while this runs.
        handledMeanwhile = WithinTwoSeconds([] { return g_handled == 1; });
    });
    EXPECT_NE(workThread, caller);
    EXPECT_NE(workThread, 0u);
    EXPECT_TRUE(disabled);
    EXPECT_TRUE(handledMeanwhile);
    EXPECT_TRUE(IsWindowEnabled(window));
    DestroyWindow(window);
}

TEST(OffThreadCall, WhatTheWorkThrowsAndAQuitMeanwhileComeBackAfterwards) {
    HWND window = MakeWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_THROW(RunOffThisThread(window, [&] { throw std::runtime_error("refused"); }), std::runtime_error);
    EXPECT_TRUE(IsWindowEnabled(window));

    const DWORD caller = GetCurrentThreadId();
    RunOffThisThread(window, [&] {
        PostThreadMessageW(caller, WM_QUIT, 7, 0);
        g_handled = 0;
        PostMessageW(window, WM_APP, 0, 0);
        WithinTwoSeconds([] { return g_handled == 1; }); // the quit has been taken by then
    });
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    DestroyWindow(window);
}
