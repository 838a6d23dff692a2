// Bytes received from the port that no call has consumed yet, oldest first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class ReceiveBuffer {
public:
    void Append(const uint8_t* bytes, size_t size);
    // Moves up to `size` of the oldest bytes to `out`; returns how many.
    size_t Take(uint8_t* out, size_t size);
    void Drop(size_t size);
    void Clear();

    const uint8_t* Data() const { return m_bytes.data() + m_start; }
    size_t Size() const { return m_bytes.size() - m_start; }

private:
    std::vector<uint8_t> m_bytes;
    size_t m_start = 0; // bytes before it are consumed
};
