#include "chart_benchmarks.h"

#include "distance_statistics.h"
#include "wave_buffer.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

namespace {

// A history of `count` reports spread over the whole span, in changing states.
std::unique_ptr<DistanceSampleList> History(int count) {
    auto list = std::make_unique<DistanceSampleList>();
    std::mt19937 random(7);
    for (int i = 0; i < count; ++i) {
        uint32_t time = uint32_t(int64_t(i) * kHistorySpanMs / count);
        list->Append(time, int32_t((i / 97) % 4), double(random() % 675) / 100);
    }
    return list;
}

// What the distance chart does on a report: the bands and the line rebuilt from the
// samples, then the line's points built for the frame.
void DistanceRepaint(benchmark::State& state) {
    const int count = int(state.range(0));
    std::unique_ptr<DistanceSampleList> history = History(count);
    std::vector<uint32_t> layer(size_t(kPlotWidth + 40) * size_t(kPlotHeight + 30));
    const RECT plot{40, 0, 40 + kPlotWidth, kPlotHeight};
    const DistanceBandColors colors = MakeDistanceBandColors(0xFF6A819E, 0x3FFF0000, 0x3F00FF00);
    CWaveBuffer line;
    line.SetSampleType(kWaveDouble);
    line.SetWindowLength(kPlotWidth);
    line.SetExtraWindows(1);
    line.SetWholeFrames(1);
    CPtrArrayCtrl points;
    auto append = [&line](const double* values, int n) { line.Append(values, n); };
    for (auto _ : state) {
        PaintDistanceBackground(*history, layer.data(), kPlotWidth + 40, kPlotHeight + 30, plot,
                                kHistorySpanMs, colors, append);
        points.RemoveAll();
        line.BuildPolyline(plot, 0, 6.75, 0, 1.0, points, nullptr, nullptr);
        benchmark::DoNotOptimize(points.GetCount());
    }
}

} // namespace

BENCHMARK(DistanceRepaint)->Arg(kShortHistory)->Arg(kLongHistory)->Unit(benchmark::kMicrosecond);
