#include "receive_buffer.h"

#include <algorithm>
#include <cstring>

void ReceiveBuffer::Append(const uint8_t* bytes, size_t size) {
    if (size == 0)
        return;
    // Consumed bytes are removed only when they outweigh the live ones, so that taking a few
    // bytes at a time does not move the rest every time.
    if (m_start > 0 && m_start >= Size()) {
        m_bytes.erase(m_bytes.begin(), m_bytes.begin() + std::ptrdiff_t(m_start));
        m_start = 0;
    }
    m_bytes.insert(m_bytes.end(), bytes, bytes + size);
}

size_t ReceiveBuffer::Take(uint8_t* out, size_t size) {
    size_t count = std::min(size, Size());
    if (count > 0)
        std::memcpy(out, Data(), count);
    Drop(count);
    return count;
}

void ReceiveBuffer::Drop(size_t size) {
    m_start += std::min(size, Size());
    if (m_start == m_bytes.size())
        Clear();
}

void ReceiveBuffer::Clear() {
    m_bytes.clear();
    m_start = 0;
}
