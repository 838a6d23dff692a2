#include "report_handover.h"

bool ReportHandover::Put(const ReportValues& report) {
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_size < kCapacity) {
        m_ring[(m_first + m_size) % kCapacity] = report;
        ++m_size;
    } else {
        m_ring[m_first] = report;
        m_first = (m_first + 1) % kCapacity;
    }
    ++m_arrived;
    const bool tell = !m_pending;
    m_pending = true;
    return tell;
}

uint64_t ReportHandover::Take(std::vector<ReportValues>& reports) {
    std::lock_guard<std::mutex> hold(m_lock);
    reports.clear();
    for (size_t i = 0; i < m_size; ++i)
        reports.push_back(m_ring[(m_first + i) % kCapacity]);
    const uint64_t arrived = m_arrived;
    m_first = m_size = 0;
    m_arrived = 0;
    m_pending = false;
    return arrived;
}

void ReportHandover::Reset() {
    std::lock_guard<std::mutex> hold(m_lock);
    m_first = m_size = 0;
    m_arrived = 0;
    m_pending = false;
}

bool ReportHandover::Pending() const {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_pending;
}
