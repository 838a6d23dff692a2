// The reports the reader thread decoded since the GUI thread last looked, handed over in one
// go. The reader posts the report message only when no hand-over is pending, so however far
// the GUI falls behind (a modal box, a dragged window, a flood at the line's limit) at most one
// message waits in its queue, and the record never holds more than the newest kCapacity
// reports: the 50-report maxima need no more, the indicator and readout only the newest.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

// One report's six values, as the decoder stored them.
struct ReportValues {
    int32_t state = 0; // 0 no one, 1 moving, 2 motionless, 3 both
    int32_t movingDistance = 0;
    int32_t movingEnergy = 0;
    int32_t motionlessDistance = 0;
    int32_t motionlessEnergy = 0;
    int32_t detectionDistance = 0;
};

class ReportHandover {
public:
    static constexpr size_t kCapacity = 50;

    // Reader: keeps the report (dropping the oldest kept one when full). True when the GUI
    // must be told, i.e. no hand-over was pending; it is pending from then until Take.
    bool Put(const ReportValues& report);
    // GUI: the kept reports, oldest first, into `reports`; returns how many reports came since
    // the last Take (more than `reports` holds when some were dropped). Nothing is pending
    // afterwards.
    uint64_t Take(std::vector<ReportValues>& reports);
    // Forgets everything, pending included (a new reporting run).
    void Reset();
    bool Pending() const;

private:
    mutable std::mutex m_lock;
    std::array<ReportValues, kCapacity> m_ring{};
    size_t m_first = 0;
    size_t m_size = 0;
    uint64_t m_arrived = 0;
    bool m_pending = false;
};
