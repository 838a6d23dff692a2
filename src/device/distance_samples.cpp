#include "distance_samples.h"

#include <new>

DistanceSampleList::~DistanceSampleList() {
    Clear();
}

bool DistanceSampleList::Append(uint32_t timeMs, int32_t state, double distanceM) {
    auto* sample = new (std::nothrow) DistanceSample{timeMs, state, distanceM};
    if (sample == nullptr)
        return false;
    CAutoBaseLock guard(m_lock);
    try {
        m_times.push_back(timeMs);
        m_samples.Add(sample, -1);
    } catch (const std::bad_alloc&) {
        // The list could not grow: no sample, as if it could not be made.
        m_times.resize(size_t(m_samples.GetCount()));
        delete sample;
        return false;
    }
    m_changed.store(1);
    return true;
}

void DistanceSampleList::Clear() {
    CAutoBaseLock guard(m_lock);
    for (int i = 0; i < m_samples.GetCount(); ++i)
        delete static_cast<DistanceSample*>(m_samples.GetAt(i));
    m_samples.RemoveAll();
    m_times.clear();
    m_changed.store(0);
}

void DistanceSampleList::RemoveOldest(int count) {
    CAutoBaseLock guard(m_lock);
    count = count < m_samples.GetCount() ? count : m_samples.GetCount();
    if (count <= 0)
        return;
    for (int i = 0; i < count; ++i)
        delete static_cast<DistanceSample*>(m_samples.GetAt(i));
    m_samples.Remove(0, count);
    m_times.erase(m_times.begin(), m_times.begin() + count);
    m_changed.store(1);
}

int DistanceSampleList::Count() {
    CAutoBaseLock guard(m_lock);
    return m_samples.GetCount();
}
