// The distance samples of the running report, shared by the reader thread (which appends)
// and the GUI thread (which prunes, draws and empties).
#pragma once

#include "base_lock.h"
#include "ptr_containers.h"

#include <atomic>
#include <cstdint>
#include <vector>

struct DistanceSample {
    uint32_t timeMs;  // MS_GetTime at arrival
    int32_t state;    // target state of the report
    double distanceM; // detection distance in metres
};
static_assert(sizeof(DistanceSample) == 16);

class DistanceSampleList {
public:
    DistanceSampleList() = default;
    ~DistanceSampleList();
    DistanceSampleList(const DistanceSampleList&) = delete;
    DistanceSampleList& operator=(const DistanceSampleList&) = delete;

    // Appends under the lock and sets the changed flag. False when it could not be allocated.
    bool Append(uint32_t timeMs, int32_t state, double distanceM);
    // Deletes every sample and clears the changed flag, under the lock.
    void Clear();
    // The number of samples, taken under the lock.
    int Count();
    // Deletes the `count` oldest samples (all when more), under the lock; sets the changed
    // flag when any went.
    void RemoveOldest(int count);

    // For readers that hold the lock: the list in arrival order, the samples' times in the
    // same order (one contiguous array, which a search through a long history reads far
    // faster than the records), and the changed flag.
    CBaseLock& Lock() { return m_lock; }
    const CPtrArrayCtrl& Samples() const { return m_samples; }
    const uint32_t* Times() const { return m_times.data(); }
    std::atomic<int>& ChangedFlag() { return m_changed; }

private:
    CBaseLock m_lock;
    CPtrArrayCtrl m_samples; // of DistanceSample*, owned
    std::vector<uint32_t> m_times;
    std::atomic<int> m_changed{0};
};
