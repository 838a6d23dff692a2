// The program with a module in its own process: the real start-up and main dialog, plus a
// thread that decodes the simulator's walk-in scenario through the dialog's reader interface
// at ten reports a second, as the report reader does while reporting runs. It shows the live
// display without a serial port (end-to-end cases, screenshots).
//   KOVA_FEEDER_SPEED  scenario seconds per real second (default 1)
#include "frame_scanner.h"
#include "kova_tevo512_tool_app.h"
#include "kova_tevo512_tool_dlg.h"
#include "sim_scenario.h"

#include <atomic>
#include <cstdlib>
#include <thread>

namespace {

constexpr int kReportPeriodMs = 100;

std::atomic<bool> g_stop{false};
std::thread g_feeder;

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

void FeedScenario() {
    HWND window = WaitForMainDialog();
    if (window == nullptr)
        return;
    auto* dialog = dynamic_cast<CKOVATevo512ToolDlg*>(CWnd::FromHandlePermanent(window));
    if (dialog == nullptr)
        return;
    const char* speedText = std::getenv("KOVA_FEEDER_SPEED");
    const int speed = speedText != nullptr && std::atoi(speedText) > 0 ? std::atoi(speedText) : 1;
    radarsim::ModuleParameters parameters = radarsim::ModuleParameters::Defaults(9);
    parameters.engineering = true;
    const radarsim::Scenario scenario(9, 1);
    ReportDecoder decoder = dialog->CreateReportDecoder();
    for (uint64_t ms = 0; !g_stop; ms += uint64_t(kReportPeriodMs) * uint64_t(speed)) {
        std::vector<uint8_t> frame = radarsim::BuildReportFrame(scenario.ReportAt(ms, parameters), true);
        ScanReportFrames(frame.data(), frame.size(), decoder);
        Sleep(kReportPeriodMs);
    }
}

// The feeding stops, and its thread is gone, before the dialog handles WM_DESTROY and its
// members go: the reader of the real program is stopped at the same point.
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

class CReportFeederApp : public CKOVATevo512ToolApp {
public:
    BOOL InitInstance() override {
        HHOOK hook =
            SetWindowsHookExW(WH_CALLWNDPROC, &StopFeedingBeforeDestroy, nullptr, GetCurrentThreadId());
        g_feeder = std::thread(FeedScenario);
        BOOL result = CKOVATevo512ToolApp::InitInstance();
        g_stop = true;
        if (g_feeder.joinable())
            g_feeder.join();
        UnhookWindowsHookEx(hook);
        return result;
    }
};

CReportFeederApp g_application;

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return KovaWinMain(instance);
}
