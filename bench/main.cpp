// Runs the benchmarks and prints the ratios that matter: the frame scan's throughput as a
// share of memcpy's, the per-frame report path as a share of a frame's time on the wire, and
// the distance chart's repaint with twelve hours of history against a short history.
#include "chart_benchmarks.h"
#include "report_benchmarks.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <unistd.h>

namespace {

// The console output, plus the seconds per iteration of every plain run by name.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}
    std::map<std::string, double> seconds;

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred &&
                !seconds.count(run.run_name.str()))
                seconds[run.run_name.str()] =
                    run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
    }
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    auto& s = reporter.seconds;
    if (s.count(kMemcpyBenchmark) && s.count(kScanBenchmark)) {
        std::printf("frame scan throughput / memcpy throughput: %.3f (1 MiB of %zu-byte frames)\n",
                    s[kMemcpyBenchmark] / s[kScanBenchmark], kEngineeringFrameBytes);
    }
    if (s.count(kReportPathBenchmark)) {
        double wire = double(kEngineeringFrameBytes) * kWireBitsPerByte / kWireBaud;
        std::printf(
            "report path per frame / frame time on the wire: %.5f (%.2f us of %.3f ms at %.0f baud)\n",
            s[kReportPathBenchmark] / wire, s[kReportPathBenchmark] * 1e6, wire * 1e3, kWireBaud);
    }
    if (s.count(kShortRepaintBenchmark) && s.count(kLongRepaintBenchmark)) {
        std::printf("distance repaint, %d samples / %d samples: %.3f (%.1f us / %.1f us, %dx%d plot)\n",
                    kLongHistory, kShortHistory, s[kLongRepaintBenchmark] / s[kShortRepaintBenchmark],
                    s[kLongRepaintBenchmark] * 1e6, s[kShortRepaintBenchmark] * 1e6, kPlotWidth, kPlotHeight);
    }
    return 0;
}
