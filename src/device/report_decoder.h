// Decodes report frames into the current-report fields, the log, the distance samples and
// the energy charts.
#pragma once

#include "base_lock.h"
#include "distance_samples.h"
#include "frame_scanner.h"
#include "report_handover.h"

#include <atomic>
#include <cstdint>
#include <vector>

// The six fields of the latest report, written by the reader thread, read by the GUI thread.
struct CurrentReport {
    std::atomic<int32_t> state{0};          // 0 no one, 1 moving, 2 motionless, 3 both
    std::atomic<int32_t> movingDistance{0}; // cm
    std::atomic<int32_t> movingEnergy{0};
    std::atomic<int32_t> motionlessDistance{0}; // cm
    std::atomic<int32_t> motionlessEnergy{0};
    std::atomic<int32_t> detectionDistance{0}; // cm

    void Reset();
};

// One energy chart as the decoder drives it (the chart window implements it).
class IEnergyChart {
public:
    virtual ~IEnergyChart() = default;
    virtual int GetSampleCount() = 0; // samples per series
    virtual int GetSeriesCount() = 0;
    // New gate count: sample count, axis ticks (at least 1), redraw flag, invalidate with
    // erasing, x range 0..gates-1.
    virtual void SetGateCount(int gates) = 0;
    // Appends `count` samples to a series (0 energies, 1 threshold line), under its lock.
    virtual void Append(int series, const uint16_t* values, int count) = 0;
    // Invalidates without erasing unless an update is already pending.
    virtual void RequestRepaint() = 0;
};

// What the decoder tells the dialog (the dialog implements it; tests record it).
class IReportSink {
public:
    virtual ~IReportSink() = default;
    // A complete report was decoded, with its values: the dialog hands it over to the GUI
    // thread (posting the report message, 1280, when none is pending).
    virtual void PostReportMessage(const ReportValues&) {}
    // A distance sample was added: the distance chart's background is out of date.
    virtual void InvalidateDistanceChart() {}
    virtual IEnergyChart* MovingEnergyChart() { return nullptr; }
    virtual IEnergyChart* MotionlessEnergyChart() { return nullptr; }
};

// The per-gate sensitivities the threshold lines show. The reader thread copies from them
// under `lock`; whoever changes their values while reporting runs (Apply) holds the same lock.
// They are replaced or resized only while reporting is off. Tables come with their lock or
// not at all: without tables every threshold line is 0.
class SensitivityTables {
public:
    SensitivityTables() = default;
    SensitivityTables(const std::vector<uint16_t>& moving, const std::vector<uint16_t>& motionless,
                      CBaseLock& lock)
        : m_moving(&moving), m_motionless(&motionless), m_lock(&lock) {}

    // A threshold line of `gates` entries from a table, copied under the lock (all 0 without
    // tables).
    void CopyMoving(int gates, std::vector<uint16_t>& line) const { Copy(m_moving, gates, line); }
    void CopyMotionless(int gates, std::vector<uint16_t>& line) const { Copy(m_motionless, gates, line); }

private:
    void Copy(const std::vector<uint16_t>* table, int gates, std::vector<uint16_t>& line) const;

    const std::vector<uint16_t>* m_moving = nullptr;
    const std::vector<uint16_t>* m_motionless = nullptr;
    CBaseLock* m_lock = nullptr;
};

// What one Decode did, for tools and tests. The energy vectors are also the decoder's
// scratch arrays: they keep their capacity, so steady decoding does not allocate.
struct DecodeOutcome {
    bool engineering = false;         // the frame's type byte said engineering report
    bool complete = false;            // all six fields were present: posted, logged, sampled
    bool energies = false;            // engineering energies were decoded
    std::vector<uint16_t> moving;     // gates 0..M
    std::vector<uint16_t> motionless; // gates 0..S
};

class ReportDecoder : public IFrameHandler {
public:
    ReportDecoder(CurrentReport& current, DistanceSampleList* samples, IReportSink* sink,
                  SensitivityTables sensitivities);

    // Decodes one report's data (D = size bytes); the result stays valid until the next call.
    const DecodeOutcome& Decode(bool engineering, const uint8_t* data, size_t size);
    const DecodeOutcome& LastOutcome() const { return m_last; }

    void OnReportFrame(bool engineering, const uint8_t* data, size_t size) override;
    void OnBadTail() override; // logs "Tailer TAG Invalid!"

private:
    bool StoreFields(const uint8_t* data, size_t size, int32_t (&values)[6]);
    void FeedCharts();
    void LoadThresholdLine(IEnergyChart& chart, bool moving, int gates);
    static void AppendEnergies(IEnergyChart& chart, const std::vector<uint16_t>& energies);

    CurrentReport& m_current;
    DistanceSampleList* m_samples;
    IReportSink* m_sink;
    SensitivityTables m_sensitivities;
    DecodeOutcome m_last;
    std::vector<uint16_t> m_threshold; // a threshold line padded to the gate count
};
