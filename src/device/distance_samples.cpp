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
        m_samples.Add(sample, -1);
    } catch (const std::bad_alloc&) {
        delete sample; // the list could not grow: no sample, as if it could not be made
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
    m_changed.store(0);
}

int DistanceSampleList::Count() {
    CAutoBaseLock guard(m_lock);
    return m_samples.GetCount();
}
