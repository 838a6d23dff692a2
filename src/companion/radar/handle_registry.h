// Opaque 64-bit handles for objects that callers must never reach through a stale or forged
// value: a handle is looked up, never cast, and numbers are not reused.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>

template <typename T> class HandleRegistry {
public:
    // Returns the new handle (never 0).
    uint64_t Add(std::shared_ptr<T> object) {
        std::lock_guard<std::mutex> hold(m_lock);
        uint64_t handle = ++m_lastHandle;
        m_objects.emplace(handle, std::move(object));
        return handle;
    }

    // Null for a handle that is unknown or removed. The object stays alive while the caller
    // holds it, even if another thread removes the handle meanwhile.
    std::shared_ptr<T> Find(uint64_t handle) const {
        std::lock_guard<std::mutex> hold(m_lock);
        auto found = m_objects.find(handle);
        return found == m_objects.end() ? nullptr : found->second;
    }

    std::shared_ptr<T> Remove(uint64_t handle) {
        std::lock_guard<std::mutex> hold(m_lock);
        auto found = m_objects.find(handle);
        if (found == m_objects.end())
            return nullptr;
        std::shared_ptr<T> object = std::move(found->second);
        m_objects.erase(found);
        return object;
    }

private:
    mutable std::mutex m_lock;
    std::unordered_map<uint64_t, std::shared_ptr<T>> m_objects;
    uint64_t m_lastHandle = 0;
};
