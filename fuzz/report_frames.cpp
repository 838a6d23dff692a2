// Report stream scanning and decoding of arbitrary bytes: never reads out of bounds, and a
// stream cut into two reads at any point decodes exactly as in one read.
//
// Input: two bytes choosing the cut point, then the stream.
#include "replay_report_source.h"
#include "report_decoder.h"
#include "report_reader.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Everything the decoder makes of a stream, as text.
class Transcript : public IFrameHandler, public IReportSink, public IEnergyChart {
public:
    Transcript() : m_decoder(m_current, nullptr, this, {m_table, m_table, m_tableLock}) {}

    std::string text;

    void OnReportFrame(bool engineering, const uint8_t* data, size_t size) override {
        text += m_decoder.Decode(engineering, data, size).complete ? 'R' : 'r';
        text += std::to_string(m_current.state) + ',' + std::to_string(m_current.movingDistance) + ',' +
                std::to_string(m_current.detectionDistance) + ';';
    }
    void OnBadTail() override { text += "B;"; }

    void PostReportMessage(const ReportValues&) override { text += "P;"; }
    IEnergyChart* MovingEnergyChart() override { return this; }
    IEnergyChart* MotionlessEnergyChart() override { return this; }

    int GetSampleCount() override { return m_gates; }
    int GetSeriesCount() override { return 2; }
    void SetGateCount(int gates) override { m_gates = gates; }
    void Append(int series, const uint16_t* values, int count) override {
        text += 'A' + std::to_string(series) + ':';
        for (int i = 0; i < count; ++i)
            text += std::to_string(values[i]) + ' ';
    }
    void RequestRepaint() override {}

private:
    CurrentReport m_current;
    std::vector<uint16_t> m_table{50, 50, 40, 40, 40, 40, 30, 30, 30};
    CBaseLock m_tableLock;
    int m_gates = 0;
    ReportDecoder m_decoder;
};

std::string DecodeInReads(const uint8_t* bytes, size_t size, std::vector<size_t> chunks) {
    Transcript transcript;
    std::atomic<int> stop{0};
    ReplayReportSource source(bytes, size, stop, std::move(chunks));
    RunReportReader(source, nullptr, stop, transcript);
    return transcript.text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    size_t cut = size_t(data[0] | data[1] << 8);
    const uint8_t* stream = data + 2;
    size -= 2;
    cut = size ? cut % (size + 1) : 0;

    Transcript whole;
    size_t consumed = ScanReportFrames(stream, size, whole);
    if (consumed > size)
        std::abort();
    // The reader loop, in reads of its own size and in two reads cut at `cut`, agrees with
    // one scan of everything.
    if (DecodeInReads(stream, size, {}) != whole.text)
        std::abort();
    if (DecodeInReads(stream, size, {cut}) != whole.text)
        std::abort();
    return 0;
}
