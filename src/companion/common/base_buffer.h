// A growable byte buffer.
#pragma once

#include <cstddef>
#include <cstdint>

class CBaseBuffer {
public:
    CBaseBuffer() = default;
    ~CBaseBuffer();
    CBaseBuffer(const CBaseBuffer&) = delete;
    CBaseBuffer& operator=(const CBaseBuffer&) = delete;

    // Appends `size` bytes; the source may lie inside this buffer.
    bool AppendBuffer(const void* data, size_t size);
    // Replaces the content with `size` bytes; the source may lie inside this buffer
    // (the usual way to drop a consumed prefix).
    bool SetBuffer(const void* data, size_t size);
    uint8_t* GetBuffer() { return m_data; }
    const uint8_t* GetBuffer() const { return m_data; }
    size_t GetAvailSize() const { return m_size; }
    size_t GetCapacity() const { return m_capacity; }
    // Frees the storage.
    void Delete();

private:
    bool Reserve(size_t capacity);

    uint8_t* m_data = nullptr;
    size_t m_size = 0;
    size_t m_capacity = 0;
};
