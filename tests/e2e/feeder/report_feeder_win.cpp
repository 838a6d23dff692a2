// The program with a module in its own process: the real start-up and main dialog, plus a
// thread that decodes the simulator's walk-in scenario through the dialog's reader interface
// at ten reports a second, as the report reader does while reporting runs. It shows the live
// display without a serial port (end-to-end cases, screenshots).
//   KOVA_FEEDER_SPEED  scenario seconds per real second (default 1)
#include "frame_scanner.h"
#include "kova_tevo512_tool_app.h"
#include "kova_tevo512_tool_dlg.h"
#include "sim_scenario.h"

#include <cstdlib>
#include <thread>

namespace {

constexpr int kReportPeriodMs = 100;

HWND WaitForMainDialog() {
    for (;;) {
        HWND window = FindWindowW(L"KOVA_Tevo512Tool", nullptr);
        DWORD process = 0;
        if (window != nullptr && GetWindowThreadProcessId(window, &process) != 0 &&
            process == GetCurrentProcessId() && CWnd::FromHandlePermanent(window) != nullptr)
            return window;
        Sleep(50);
    }
}

void FeedScenario() {
    HWND window = WaitForMainDialog();
    auto* dialog = dynamic_cast<CKOVATevo512ToolDlg*>(CWnd::FromHandlePermanent(window));
    if (dialog == nullptr)
        return;
    const char* speedText = std::getenv("KOVA_FEEDER_SPEED");
    const int speed = speedText != nullptr && std::atoi(speedText) > 0 ? std::atoi(speedText) : 1;
    radarsim::ModuleParameters parameters = radarsim::ModuleParameters::Defaults(9);
    parameters.engineering = true;
    const radarsim::Scenario scenario(9, 1);
    ReportDecoder decoder = dialog->CreateReportDecoder();
    for (uint64_t ms = 0; IsWindow(window); ms += uint64_t(kReportPeriodMs) * uint64_t(speed)) {
        std::vector<uint8_t> frame = radarsim::BuildReportFrame(scenario.ReportAt(ms, parameters), true);
        ScanReportFrames(frame.data(), frame.size(), decoder);
        Sleep(kReportPeriodMs);
    }
}

class CReportFeederApp : public CKOVATevo512ToolApp {
public:
    BOOL InitInstance() override {
        std::thread(FeedScenario).detach();
        return CKOVATevo512ToolApp::InitInstance();
    }
};

CReportFeederApp g_application;

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return KovaWinMain(instance);
}
