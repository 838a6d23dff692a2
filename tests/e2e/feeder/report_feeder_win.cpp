// The program with a module in its own process: the real start-up and main dialog, plus a
// thread that decodes the simulator's walk-in scenario through the dialog's reader interface
// at ten reports a second, as the report reader does while reporting runs. It shows the live
// display without a serial port (end-to-end cases, screenshots).
//   KOVA_FEEDER_SPEED  scenario seconds per real second (default 1)
#include "frame_scanner.h"
#include "in_process_feeder_win.h"
#include "sim_scenario.h"

#include <atomic>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kReportPeriodMs = 100;

void FeedScenario(CKOVATevo512ToolDlg& dialog, const std::atomic<bool>& stop) {
    const char* speedText = std::getenv("KOVA_FEEDER_SPEED");
    const int speed = speedText != nullptr && std::atoi(speedText) > 0 ? std::atoi(speedText) : 1;
    radarsim::ModuleParameters parameters = radarsim::ModuleParameters::Defaults(9);
    parameters.engineering = true;
    const radarsim::Scenario scenario(9, 1);
    ReportDecoder decoder = dialog.CreateReportDecoder();
    for (uint64_t ms = 0; !stop; ms += uint64_t(kReportPeriodMs) * uint64_t(speed)) {
        std::vector<uint8_t> frame = radarsim::BuildReportFrame(scenario.ReportAt(ms, parameters), true);
        ScanReportFrames(frame.data(), frame.size(), decoder);
        Sleep(kReportPeriodMs);
    }
}

InProcessFeederApp g_application(&FeedScenario);

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return KovaWinMain(instance);
}
