// sample-fill: the real program with the simulator's scenario decoded in its own process, as
// fast as its dialog takes the reports, on a clock of its own that moves 100 ms per report.
// The sample list stamps each sample with MS_GetTime at arrival, so twelve hours of history
// cannot be fed in seconds on the real clock; this program defines MS_GetTime itself (the
// linker then leaves the library's out), and everything that reads the time, the pruning
// included, sees the fed time. Every report's sample goes into the dialog's list through its
// decoder as always, but only each 100th report's message (and the last of a step) reaches the
// dialog: the others become WM_NULL in a message hook, since the dialog takes about 3 ms per
// report message and twelve hours of them would take 25 minutes. Pruning is done by those
// messages. bench/live-path.sh reads its memory between the steps, each
// started by a file appearing in the working folder and answered by another:
//   bench-fill.go   feed KOVA_FILL_REPORTS reports (default 432000)   -> bench-fill.done
//   bench-prune.go  feed KOVA_PRUNE_REPORTS more (default 36000), each pruning the oldest
//                                                                     -> bench-prune.done
//   bench-drop.go   jump the clock past the span, feed one report     -> bench-drop.done
// A .done file holds the reports fed and the milliseconds it took.
#include "frame_scanner.h"
#include "kova_tevo512_tool_app.h"
#include "kova_tevo512_tool_dlg.h"
#include "ms_time.h"
#include "sim_scenario.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

constexpr uint32_t kReportPeriodMs = 100;
constexpr long kMaxQueued = 1000; // reports posted ahead of the dialog
constexpr long kPassEvery = 100; // report messages that reach the dialog

std::atomic<bool> g_stop{false};
std::atomic<uint32_t> g_clockMs{0};
std::atomic<long> g_handled{0}; // report messages taken from the queue
std::atomic<long> g_passAt{-1}; // the number of the last report of a step, which always passes
std::thread g_feeder;

long EnvCount(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && std::atol(text) > 0 ? std::atol(text) : fallback;
}

LRESULT CALLBACK CountReportMessages(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == WM_REPORT_MESSAGE) {
        const long taken = ++g_handled;
        if (taken % kPassEvery != 0 && taken != g_passAt.load())
            message->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

HWND WaitForMainDialog() {
    while (!g_stop) {
        HWND window = FindWindowW(L"KOVA_Tevo512Tool", nullptr);
        DWORD process = 0;
        if (window != nullptr && GetWindowThreadProcessId(window, &process) != 0 &&
            process == GetCurrentProcessId() && CWnd::FromHandlePermanent(window) != nullptr)
            return window;
        Sleep(50);
    }
    return nullptr;
}

bool WaitForFile(const char* name) {
    while (!g_stop) {
        if (FILE* file = std::fopen(name, "r")) {
            std::fclose(file);
            return true;
        }
        Sleep(20);
    }
    return false;
}

void WriteDone(const char* name, long reports, std::chrono::steady_clock::time_point start) {
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
            .count();
    if (FILE* file = std::fopen(name, "w")) {
        std::fprintf(file, "%ld %lld\n", reports, static_cast<long long>(ms));
        std::fclose(file);
    }
}

class Feeder {
public:
    explicit Feeder(CKOVATevo512ToolDlg& dialog) : m_decoder(dialog.CreateReportDecoder()), m_scenario(9, 1) {
        m_parameters = radarsim::ModuleParameters::Defaults(9);
        m_parameters.engineering = true;
    }

    // Feeds `count` reports 100 ms apart on the clock, never more than kMaxQueued ahead of the
    // dialog, and returns once the dialog has taken them all.
    void Feed(long count) {
        for (long i = 0; i < count && !g_stop; ++i) {
            while (m_posted - g_handled.load() >= kMaxQueued && !g_stop)
                Sleep(1);
            if (i == count - 1)
                g_passAt = m_posted + 1;
            g_clockMs += kReportPeriodMs;
            m_scenarioMs += kReportPeriodMs;
            std::vector<uint8_t> frame =
                radarsim::BuildReportFrame(m_scenario.ReportAt(m_scenarioMs, m_parameters), true);
            ScanReportFrames(frame.data(), frame.size(), m_decoder);
            ++m_posted;
        }
        while (m_posted > g_handled.load() && !g_stop)
            Sleep(1);
    }

private:
    ReportDecoder m_decoder;
    radarsim::Scenario m_scenario;
    radarsim::ModuleParameters m_parameters;
    uint64_t m_scenarioMs = 0;
    long m_posted = 0;
};

void FeedOnRequest() {
    HWND window = WaitForMainDialog();
    auto* dialog =
        window != nullptr ? dynamic_cast<CKOVATevo512ToolDlg*>(CWnd::FromHandlePermanent(window)) : nullptr;
    if (dialog == nullptr)
        return;
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, &CountReportMessages, nullptr,
                                   GetWindowThreadProcessId(window, nullptr));
    Feeder feeder(*dialog);
    struct Step {
        const char* go;
        const char* done;
        long reports;
        uint32_t jumpMs;
    };
    const Step steps[] = {
        {"bench-fill.go", "bench-fill.done", EnvCount("KOVA_FILL_REPORTS", 432000), 0},
        {"bench-prune.go", "bench-prune.done", EnvCount("KOVA_PRUNE_REPORTS", 36000), 0},
        // Past a span of up to twelve hours: every sample is old.
        {"bench-drop.go", "bench-drop.done", 1, 13u * 3600u * 1000u},
    };
    for (const Step& step : steps) {
        if (!WaitForFile(step.go))
            break;
        const auto start = std::chrono::steady_clock::now();
        g_clockMs += step.jumpMs;
        feeder.Feed(step.reports);
        WriteDone(step.done, step.reports, start);
    }
    UnhookWindowsHookEx(hook);
}

// As in the e2e feeder: the feeding ends before the dialog's members go.
LRESULT CALLBACK StopFeedingBeforeDestroy(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_DESTROY &&
        dynamic_cast<CKOVATevo512ToolDlg*>(CWnd::FromHandlePermanent(message->hwnd)) != nullptr) {
        g_stop = true;
        if (g_feeder.joinable())
            g_feeder.join();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class CSampleFillApp : public CKOVATevo512ToolApp {
public:
    BOOL InitInstance() override {
        HHOOK hook =
            SetWindowsHookExW(WH_CALLWNDPROC, &StopFeedingBeforeDestroy, nullptr, GetCurrentThreadId());
        g_feeder = std::thread(FeedOnRequest);
        BOOL result = CKOVATevo512ToolApp::InitInstance();
        g_stop = true;
        if (g_feeder.joinable())
            g_feeder.join();
        UnhookWindowsHookEx(hook);
        return result;
    }
};

CSampleFillApp g_application;

} // namespace

// The program's clock, which only the feeding moves (from one hour on, so that no sample is
// ever stamped before zero).
uint32_t MS_GetTime() {
    return 3600u * 1000u + g_clockMs.load();
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return KovaWinMain(instance);
}
