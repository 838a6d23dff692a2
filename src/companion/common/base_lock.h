// Mutual exclusion between threads. Recursive, like a critical section, so a holder may
// call back into code that takes the same lock.
#pragma once

#include <mutex>

class CBaseLock {
public:
    void Lock() { m_mutex.lock(); }
    void Unlock() { m_mutex.unlock(); }
    bool TryLock() { return m_mutex.try_lock(); }

private:
    std::recursive_mutex m_mutex;
};

// Holds a lock for the life of a scope.
class CAutoBaseLock {
public:
    explicit CAutoBaseLock(CBaseLock& lock) : m_lock(lock) { m_lock.Lock(); }
    explicit CAutoBaseLock(CBaseLock* lock) : CAutoBaseLock(*lock) {}
    ~CAutoBaseLock() { m_lock.Unlock(); }
    CAutoBaseLock(const CAutoBaseLock&) = delete;
    CAutoBaseLock& operator=(const CAutoBaseLock&) = delete;

private:
    CBaseLock& m_lock;
};
