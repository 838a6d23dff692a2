// sample-fill: the real program with the simulator's scenario decoded in its own process, as
// fast as the decoder goes, on a clock of its own that moves 100 ms per report. The sample
// list stamps each sample with MS_GetTime at arrival, so twelve hours of history cannot be fed
// in seconds on the real clock; this program defines MS_GetTime itself (the linker then leaves
// the library's out), and everything that reads the time, the pruning included, sees the fed
// time. Every report goes through the dialog's decoder and hand-over as in the program: the
// dialog takes what came once a display frame and prunes then. bench/live-path.sh reads its
// memory between the steps, each started by a file appearing in the working folder and
// answered by another:
//   bench-fill.go   feed KOVA_FILL_REPORTS reports (default 432000)   -> bench-fill.done
//   bench-prune.go  feed KOVA_PRUNE_REPORTS more (default 36000), each pruning the oldest
//                                                                     -> bench-prune.done
//   bench-drop.go   jump the clock past the span, feed one report     -> bench-drop.done
// A .done file holds the reports fed and the milliseconds it took.
#include "frame_scanner.h"
#include "in_process_feeder_win.h"
#include "ms_time.h"
#include "sim_scenario.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr uint32_t kReportPeriodMs = 100;
// Reports fed between two looks at the clock of the display: the dialog's frames keep up.
constexpr long kBurst = 2000;

std::atomic<uint32_t> g_clockMs{0};

long EnvCount(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && std::atol(text) > 0 ? std::atol(text) : fallback;
}

bool WaitForFile(const char* name, const std::atomic<bool>& stop) {
    while (!stop) {
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

    // Feeds `count` reports 100 ms apart on the clock, in bursts with a display frame between
    // them (the dialog prunes as it goes), and returns once the dialog has taken the last.
    void Feed(long count, const std::atomic<bool>& stop) {
        for (long i = 0; i < count && !stop; ++i) {
            if (i % kBurst == kBurst - 1)
                Sleep(20);
            g_clockMs += kReportPeriodMs;
            m_scenarioMs += kReportPeriodMs;
            std::vector<uint8_t> frame =
                radarsim::BuildReportFrame(m_scenario.ReportAt(m_scenarioMs, m_parameters), true);
            ScanReportFrames(frame.data(), frame.size(), m_decoder);
        }
        Sleep(100); // a few display frames: the last hand-over is taken
    }

private:
    ReportDecoder m_decoder;
    radarsim::Scenario m_scenario;
    radarsim::ModuleParameters m_parameters;
    uint64_t m_scenarioMs = 0;
};

void FeedOnRequest(CKOVATevo512ToolDlg& dialog, const std::atomic<bool>& stop) {
    Feeder feeder(dialog);
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
        if (!WaitForFile(step.go, stop))
            break;
        const auto start = std::chrono::steady_clock::now();
        g_clockMs += step.jumpMs;
        feeder.Feed(step.reports, stop);
        WriteDone(step.done, step.reports, start);
    }
}

InProcessFeederApp g_application(&FeedOnRequest);

} // namespace

// The program's clock, which only the feeding moves (from one hour on, so that no sample is
// ever stamped before zero).
uint32_t MS_GetTime() {
    return 3600u * 1000u + g_clockMs.load();
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return KovaWinMain(instance);
}
