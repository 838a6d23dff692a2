#include "distance_statistics.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace {

uint32_t Channel(uint32_t word, int shift) {
    return (word >> shift) & 0xFF;
}

const DistanceSample* SampleAt(const CPtrArrayCtrl& samples, int index) {
    return static_cast<const DistanceSample*>(samples.GetAt(index));
}

// Sample times as ms after the first sample. The tick count wraps after 49 days; taking the
// difference modulo 2^32 keeps the times of one run increasing across the wrap.
class RelativeTimes {
public:
    explicit RelativeTimes(const uint32_t* times) : m_times(times), m_first(times[0]) {}
    int64_t operator()(int index) const { return int64_t(uint32_t(m_times[index] - m_first)); }

private:
    const uint32_t* m_times;
    uint32_t m_first;
};

// The first index in [from, end) whose time is at least `t` (end when none), given that
// every index below `from` is earlier than t. The search gallops outwards from `guess`:
// with a good guess it reads a handful of samples, however long the list.
int FirstAtOrAfter(const RelativeTimes& time, int from, int end, int64_t t, int guess) {
    int low = from, high = end; // the answer lies in [low, high]
    guess = std::clamp(guess, from, end);
    if (guess < end && time(guess) < t) {
        low = guess + 1;
        for (int64_t step = 1; low < end; step *= 2) {
            int64_t probe = std::min<int64_t>(guess + step, end);
            if (probe == end || time(int(probe)) >= t) {
                high = int(probe);
                break;
            }
            low = int(probe) + 1;
        }
    } else {
        high = guess;
        for (int64_t step = 1; high > low; step *= 2) {
            int64_t probe = std::max<int64_t>(guess - step, low);
            if (time(int(probe)) < t) {
                low = int(probe) + 1;
                break;
            }
            high = int(probe);
        }
    }
    while (low < high) {
        int middle = low + (high - low) / 2;
        if (time(middle) < t)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

// The forward scan from the cursor, column by column: for each column's time, the nearest
// sample at or after the cursor, the earlier of two equally near. Times never decrease along
// the list, so the distances fall to a floor and then rise, and the plain scan stops at the
// first sample of the floor; this finds the same sample by search, guessing each column's
// place from the step the previous column took.
class NearestSampleFinder {
public:
    NearestSampleFinder(const RelativeTimes& time, int count) : m_time(time), m_count(count) {}

    int Find(int cursor, int64_t t) {
        if (m_time(cursor) >= t)
            return cursor;
        int after = FirstAtOrAfter(m_time, cursor + 1, m_count, t, cursor + m_step);
        m_step = std::max(after - cursor, 1);
        int64_t beforeTime = m_time(after - 1);
        if (after < m_count && m_time(after) - t < t - beforeTime)
            return after;
        // Several samples may share the time just before t: the scan keeps the first of them.
        if (after - 1 == cursor || m_time(after - 2) < beforeTime)
            return after - 1;
        return FirstAtOrAfter(m_time, cursor, after - 1, beforeTime, after - 2);
    }

private:
    const RelativeTimes& m_time;
    int m_count;
    int m_step = 1;
};

} // namespace

uint32_t BlendPixelWords(uint32_t over, uint32_t base) {
    const int a1 = int(Channel(over, 24)), a0 = int(Channel(base, 24));
    uint32_t alpha = uint32_t(a1 + a0 - a1 * a0 / 255) & 0xFF;
    uint32_t result = alpha << 24;
    for (int shift : {16, 8, 0}) {
        int x1 = int(Channel(over, shift)), x0 = int(Channel(base, shift));
        int x = a0 == 0 ? x1 : x0 + (x1 - x0) * a1 / a0;
        result |= (uint32_t(x) & 0xFF) << shift;
    }
    return result;
}

DistanceBandColors MakeDistanceBandColors(uint32_t noBodyBk, uint32_t motionBk, uint32_t motionlessBk) {
    return {noBodyBk, BlendPixelWords(motionBk, noBodyBk), BlendPixelWords(motionlessBk, noBodyBk)};
}

int64_t StatisticsSpanMs(int32_t unit, int32_t count) {
    int64_t perCount = unit == 1 ? 60'000 : unit == 2 ? 3'600'000 : 1'000;
    return std::max<int64_t>(int64_t(count) * perCount, 1);
}

DistanceTimeAxis MakeDistanceTimeAxis(int32_t unit, int32_t count) {
    if (unit == 1 || unit == 2) {
        if (count < 5)
            return {int32_t(std::clamp<int64_t>(int64_t(count) * 60, INT32_MIN, INT32_MAX)), unit - 1};
        return {count, unit};
    }
    return {count, 0};
}

int PruneDistanceSamples(DistanceSampleList& list, uint32_t now, int64_t spanMs) {
    CAutoBaseLock guard(list.Lock());
    const uint32_t* times = list.Times();
    const int count = list.Samples().GetCount();
    int expired = 0;
    // Signed elapsed time: a sample stamped just after `now` was taken is not expired, and the
    // tick count's wrap does not make old samples young again.
    while (expired < count && int64_t(int32_t(now - times[expired])) > spanMs)
        ++expired;
    list.RemoveOldest(expired);
    return expired;
}

void ScanDistanceColumns(const DistanceSampleList& list, int64_t spanMs, const DistanceBandColors& colors,
                         uint32_t* row, double* values, int w) {
    const CPtrArrayCtrl& samples = list.Samples();
    if (w <= 0)
        return;
    std::fill(row, row + w, colors.noBody);
    std::fill(values, values + w, 0.0);
    const int count = samples.GetCount();
    if (count == 0 || spanMs <= 0)
        return;
    const RelativeTimes time(list.Times());
    NearestSampleFinder nearestSample(time, count);
    int cursor = 0;
    for (int x = 0; x < w && cursor < count;) {
        const int64_t t = int64_t(x) * spanMs / w;
        const int nearest = nearestSample.Find(cursor, t);
        cursor = nearest + 1;
        int64_t run = 1;
        if (cursor < count && time(cursor) > t)
            run = std::max<int64_t>((time(cursor) - t) * w / spanMs, 1);
        run = std::min<int64_t>(run, w - x); // never past the last column

        const DistanceSample* sample = SampleAt(samples, nearest);
        uint32_t color = colors.noBody;
        double distance = 0.0;
        if (sample->state == 1 || sample->state == 3) {
            color = colors.moving;
            distance = sample->distanceM;
        } else if (sample->state == 2) {
            color = colors.motionless;
            distance = sample->distanceM;
        }
        std::fill(row + x, row + x + run, color);
        std::fill(values + x, values + x + run, distance);
        x += int(run);
    }
}

bool PaintDistanceBackground(DistanceSampleList& list, uint32_t* pixels, int bufferWidth, int bufferHeight,
                             const RECT& plot, int64_t spanMs, const DistanceBandColors& colors,
                             const std::function<void(const double* values, int count)>& appendSeries) {
    if (pixels == nullptr)
        return false;
    CAutoBaseLock guard(list.Lock());
    if (list.Samples().GetCount() == 0)
        return false;
    const int w = plot.right - plot.left;
    if (w <= 0)
        return true;
    std::vector<uint32_t> row;
    std::vector<double> values;
    try {
        row.resize(size_t(w));
        values.resize(size_t(w));
    } catch (const std::bad_alloc&) {
        return false;
    }
    ScanDistanceColumns(list, spanMs, colors, row.data(), values.data(), w);

    // The bands are vertical stripes: one row, copied over the plot's height, cut to the layer.
    const int left = std::max<int>(plot.left, 0), right = std::min<int>(plot.right, bufferWidth);
    const int top = std::max<int>(plot.top, 0), bottom = std::min<int>(plot.bottom, bufferHeight);
    if (left < right) {
        const uint32_t* source = row.data() + (left - plot.left);
        for (int y = top; y < bottom; ++y)
            std::memcpy(pixels + size_t(y) * size_t(bufferWidth) + size_t(left), source,
                        size_t(right - left) * sizeof(uint32_t));
    }
    if (appendSeries)
        appendSeries(values.data(), w);
    return true;
}
