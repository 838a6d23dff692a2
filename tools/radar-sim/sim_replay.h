// Replays a capture file: its bytes go out in order, garbage included, one frame-sized
// chunk per report time: everything up to the end of the next complete report frame. A long
// run of bytes without a frame goes out in pieces of 64 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace radarsim {

class ReplayStream {
public:
    ReplayStream() = default;
    explicit ReplayStream(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes)) {}

    bool Done() const { return m_position >= m_bytes.size(); }
    // The next chunk; empty once everything went out.
    std::vector<uint8_t> NextChunk();

private:
    std::vector<uint8_t> m_bytes;
    size_t m_position = 0;
};

} // namespace radarsim
