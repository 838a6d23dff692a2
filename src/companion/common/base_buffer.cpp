#include "base_buffer.h"

#include <cstdlib>
#include <cstring>

CBaseBuffer::~CBaseBuffer() {
    Delete();
}

void CBaseBuffer::Delete() {
    std::free(m_data);
    m_data = nullptr;
    m_size = 0;
    m_capacity = 0;
}

bool CBaseBuffer::Reserve(size_t capacity) {
    if (capacity <= m_capacity)
        return true;
    size_t grown = m_capacity < 64 ? 64 : m_capacity;
    while (grown < capacity) {
        if (grown > SIZE_MAX / 2) {
            grown = capacity;
            break;
        }
        grown *= 2;
    }
    auto* data = static_cast<uint8_t*>(std::realloc(m_data, grown));
    if (data == nullptr)
        return false;
    m_data = data;
    m_capacity = grown;
    return true;
}

static bool PointsInto(const void* p, const uint8_t* begin, size_t capacity) {
    auto address = reinterpret_cast<uintptr_t>(p);
    auto start = reinterpret_cast<uintptr_t>(begin);
    return begin != nullptr && address >= start && address < start + capacity;
}

bool CBaseBuffer::AppendBuffer(const void* data, size_t size) {
    if (size == 0)
        return true;
    if (data == nullptr || size > SIZE_MAX - m_size)
        return false;
    // A source inside the buffer moves when the storage grows: remember its offset.
    bool inside = PointsInto(data, m_data, m_capacity);
    size_t offset = inside ? size_t(static_cast<const uint8_t*>(data) - m_data) : 0;
    if (!Reserve(m_size + size))
        return false;
    const void* source = inside ? m_data + offset : data;
    std::memmove(m_data + m_size, source, size);
    m_size += size;
    return true;
}

bool CBaseBuffer::SetBuffer(const void* data, size_t size) {
    if (size == 0) {
        m_size = 0;
        return true;
    }
    if (data == nullptr)
        return false;
    if (PointsInto(data, m_data, m_capacity)) {
        // Shrinking onto a part of itself never needs more room.
        size_t offset = size_t(static_cast<const uint8_t*>(data) - m_data);
        if (offset + size > m_capacity)
            return false;
        std::memmove(m_data, m_data + offset, size);
        m_size = size;
        return true;
    }
    if (!Reserve(size))
        return false;
    std::memcpy(m_data, data, size);
    m_size = size;
    return true;
}
