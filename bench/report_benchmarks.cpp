#include "report_benchmarks.h"

#include "base_buffer.h"
#include "dbg_output.h"
#include "distance_samples.h"
#include "report_decoder.h"
#include "report_frame_builder.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// One engineering frame of nine gates, with the light level and output pin bytes the
// module sends after the energies.
std::vector<uint8_t> EngineeringFrame(int index) {
    std::vector<uint8_t> moving(9), motionless(9);
    for (size_t gate = 0; gate < 9; ++gate) {
        moving[gate] = uint8_t(index + gate * 7);
        motionless[gate] = uint8_t(index * 3 + gate);
    }
    uint16_t cm = uint16_t(index % 600);
    std::vector<uint8_t> data = BuildReportData(
        {uint8_t(index % 4), cm, uint8_t(index), cm, uint8_t(index / 2), cm}, moving, motionless);
    data.insert(data.end(), {0x40, 0x00});
    return BuildReportFrame(1, data);
}

const std::vector<uint8_t>& Stream() {
    static const std::vector<uint8_t> stream = [] {
        std::vector<uint8_t> bytes;
        for (int i = 0; bytes.size() < kStreamBytes; ++i) {
            std::vector<uint8_t> frame = EngineeringFrame(i);
            bytes.insert(bytes.end(), frame.begin(), frame.end());
        }
        bytes.resize(kStreamBytes);
        return bytes;
    }();
    return stream;
}

class FrameCounter : public IFrameHandler {
public:
    size_t frames = 0;
    size_t dataBytes = 0;
    void OnReportFrame(bool, const uint8_t*, size_t size) override {
        ++frames;
        dataBytes += size;
    }
    void OnBadTail() override {}
};

void MemcpyStream(benchmark::State& state) {
    const std::vector<uint8_t>& stream = Stream();
    std::vector<uint8_t> copy(stream.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), stream.data(), stream.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(stream.size()));
}

void ScanStream(benchmark::State& state) {
    const std::vector<uint8_t>& stream = Stream();
    FrameCounter counter;
    for (auto _ : state) {
        size_t consumed = ScanReportFrames(stream.data(), stream.size(), counter);
        benchmark::DoNotOptimize(consumed);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(stream.size()));
    state.counters["frames"] = double(counter.frames) / double(state.iterations());
}

void AppendLine(void* context, int, const char* bytes, int length) {
    auto* log = static_cast<std::string*>(context);
    if (log->size() > (1u << 20))
        log->clear();
    log->append(bytes, size_t(length));
}

// What the reader thread does for each frame: accumulate, scan, drop the consumed bytes,
// decode, log the line, append the distance sample.
void ReportPathPerFrame(benchmark::State& state) {
    std::vector<std::vector<uint8_t>> frames;
    for (int i = 0; i < 64; ++i)
        frames.push_back(EngineeringFrame(i));
    std::string log;
    DbgOutputAddCallback(&AppendLine, &log);
    CurrentReport current;
    DistanceSampleList samples;
    ReportDecoder decoder(current, &samples, nullptr, {});
    CBaseBuffer pending;
    size_t next = 0;
    for (auto _ : state) {
        const std::vector<uint8_t>& frame = frames[next++ % frames.size()];
        pending.AppendBuffer(frame.data(), frame.size());
        size_t consumed = ScanReportFrames(pending.GetBuffer(), pending.GetAvailSize(), decoder);
        pending.SetBuffer(pending.GetBuffer() + consumed, pending.GetAvailSize() - consumed);
        if (next % 8192 == 0) {
            // The GUI prunes the list; keep it from growing without bound, off the clock.
            state.PauseTiming();
            samples.Clear();
            state.ResumeTiming();
        }
    }
    DbgOutputDelCallback(&AppendLine, &log);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kEngineeringFrameBytes));
}

} // namespace

BENCHMARK(MemcpyStream)->Name(kMemcpyBenchmark)->Unit(benchmark::kMicrosecond);
BENCHMARK(ScanStream)->Name(kScanBenchmark)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReportPathPerFrame)->Name(kReportPathBenchmark)->Unit(benchmark::kNanosecond);
