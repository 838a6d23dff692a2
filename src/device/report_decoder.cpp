#include "report_decoder.h"

#include "dbg_output.h"
#include "ms_time.h"
#include "threshold_line.h"

#include <algorithm>
#include <new>

namespace {

// The basic fields in their order in the report data; each is stored only when all of its
// bytes are there, and the first that is missing ends the frame.
struct Field {
    size_t offset;
    size_t width; // 1 or 2 bytes, little-endian, zero-extended
    std::atomic<int32_t> CurrentReport::*member;
};

constexpr Field kFields[6] = {
    {0, 1, &CurrentReport::state},
    {1, 2, &CurrentReport::movingDistance},
    {3, 1, &CurrentReport::movingEnergy},
    {4, 2, &CurrentReport::motionlessDistance},
    {6, 1, &CurrentReport::motionlessEnergy},
    {7, 2, &CurrentReport::detectionDistance},
};

constexpr size_t kGateCountsOffset = 9; // M and S
constexpr size_t kEnergiesOffset = 11;

} // namespace

void CurrentReport::Reset() {
    for (const Field& field : kFields)
        (this->*field.member).store(0);
}

ReportDecoder::ReportDecoder(CurrentReport& current, DistanceSampleList* samples, IReportSink* sink,
                             SensitivityTables sensitivities)
    : m_current(current), m_samples(samples), m_sink(sink), m_sensitivities(sensitivities) {}

bool ReportDecoder::StoreFields(const uint8_t* data, size_t size, int32_t (&values)[6]) {
    for (size_t i = 0; i < std::size(kFields); ++i) {
        const Field& field = kFields[i];
        if (size < field.offset + field.width)
            return false;
        const uint8_t* p = data + field.offset;
        values[i] = field.width == 1 ? p[0] : int32_t(p[0] | p[1] << 8);
        (m_current.*field.member).store(values[i]);
    }
    return true;
}

const DecodeOutcome& ReportDecoder::Decode(bool engineering, const uint8_t* data, size_t size) {
    m_last.engineering = engineering;
    m_last.complete = false;
    m_last.energies = false;
    m_last.moving.clear();
    m_last.motionless.clear();

    int32_t values[6];
    if (!StoreFields(data, size, values))
        return m_last;
    m_last.complete = true;
    if (m_sink)
        m_sink->PostReportMessage(
            ReportValues{values[0], values[1], values[2], values[3], values[4], values[5]});
    DbgOutputA(2, "State=%d, M_D=%03d, M_S=%03d, ML_D=%03d, ML_S=%03d, R_D=%03d\r\n", values[0], values[1],
               values[2], values[3], values[4], values[5]);
    bool sampled = m_samples && m_samples->Append(MS_GetTime(), values[0], values[5] / 100.0);
    if (sampled && m_sink)
        m_sink->InvalidateDistanceChart();

    if (!engineering || size < kEnergiesOffset)
        return m_last;
    size_t movingGates = size_t(data[kGateCountsOffset]) + 1;
    size_t motionlessGates = size_t(data[kGateCountsOffset + 1]) + 1;
    if (size - kEnergiesOffset < movingGates + motionlessGates)
        return m_last;
    const uint8_t* energies = data + kEnergiesOffset;
    m_last.moving.assign(energies, energies + movingGates);
    m_last.motionless.assign(energies + movingGates, energies + movingGates + motionlessGates);
    m_last.energies = true;
    if (m_sink)
        FeedCharts();
    return m_last;
}

void ReportDecoder::FeedCharts() {
    IEnergyChart* moving = m_sink->MovingEnergyChart();
    IEnergyChart* motionless = m_sink->MotionlessEnergyChart();
    if (moving)
        LoadThresholdLine(*moving, true, int(m_last.moving.size()));
    if (motionless)
        LoadThresholdLine(*motionless, false, int(m_last.motionless.size()));
    if (moving)
        AppendEnergies(*moving, m_last.moving);
    if (motionless)
        AppendEnergies(*motionless, m_last.motionless);
}

void SensitivityTables::Copy(const std::vector<uint16_t>* table, int gates,
                             std::vector<uint16_t>& line) const {
    if (table == nullptr || m_lock == nullptr) {
        line.assign(size_t(std::max(gates, 0)), 0);
        return;
    }
    CAutoBaseLock hold(*m_lock);
    CopyThresholds(*table, gates, line);
}

// Only a new gate count rescales the chart and reloads its threshold line.
void ReportDecoder::LoadThresholdLine(IEnergyChart& chart, bool moving, int gates) {
    if (chart.GetSampleCount() == gates)
        return;
    chart.SetGateCount(gates);
    if (moving)
        m_sensitivities.CopyMoving(chart.GetSampleCount(), m_threshold);
    else
        m_sensitivities.CopyMotionless(chart.GetSampleCount(), m_threshold);
    AppendThresholdLine(chart, m_threshold);
}

void ReportDecoder::AppendEnergies(IEnergyChart& chart, const std::vector<uint16_t>& energies) {
    if (chart.GetSeriesCount() <= 0)
        return;
    chart.Append(0, energies.data(), int(energies.size()));
    chart.RequestRepaint();
}

void ReportDecoder::OnReportFrame(bool engineering, const uint8_t* data, size_t size) {
    // Out of memory loses this report, not the reader: the next frame decodes as usual.
    try {
        Decode(engineering, data, size);
    } catch (const std::bad_alloc&) {
    }
}

void ReportDecoder::OnBadTail() {
    DbgOutputA(2, "Tailer TAG Invalid!\r\n");
}
