#include "sim_replay.h"

#include "sim_report_frame.h"

#include <algorithm>

namespace radarsim {

namespace {
constexpr size_t kGarbagePiece = 64;
} // namespace

std::vector<uint8_t> ReplayStream::NextChunk() {
    if (Done())
        return {};
    // Garbage before a frame goes out with it, unless there is more than a piece of it.
    size_t end = std::min(m_bytes.size(), m_position + kGarbagePiece);
    size_t last = std::min(m_bytes.size(), m_position + kGarbagePiece + 1);
    for (size_t at = m_position; at < last; ++at) {
        size_t frameSize = 0;
        if (ReportFrameAt(m_bytes.data(), m_bytes.size(), at, frameSize)) {
            end = at + frameSize;
            break;
        }
    }
    std::vector<uint8_t> chunk(m_bytes.begin() + long(m_position), m_bytes.begin() + long(end));
    m_position = end;
    return chunk;
}

} // namespace radarsim
