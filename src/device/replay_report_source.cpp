#include "replay_report_source.h"

#include <algorithm>
#include <cstring>
#include <utility>

ReplayReportSource::ReplayReportSource(const uint8_t* bytes, size_t size, std::atomic<int>& stop,
                                       std::vector<size_t> chunks)
    : m_bytes(bytes), m_size(size), m_stop(stop), m_chunks(std::move(chunks)) {}

int ReplayReportSource::Read(uint8_t* buffer, int size, int timeoutMs) {
    (void)timeoutMs;
    if (m_position >= m_size) {
        m_stop.store(1);
        return 0;
    }
    size_t wanted = size > 0 ? size_t(size) : 0;
    if (m_nextChunk < m_chunks.size())
        wanted = std::min(wanted, m_chunks[m_nextChunk++]);
    size_t count = std::min(wanted, m_size - m_position);
    if (count > 0)
        std::memcpy(buffer, m_bytes + m_position, count);
    m_position += count;
    return int(count);
}
