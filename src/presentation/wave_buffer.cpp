#include "wave_buffer.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>

static_assert(sizeof(void*) >= sizeof(int64_t), "packed points live in pointer-sized items");

int64_t PackWavePoint(int x, int y) {
    uint64_t packed = (uint64_t(uint32_t(y)) << 32) | uint64_t(uint32_t(x));
    return int64_t(packed);
}

void* WavePointItem(int x, int y) {
    return reinterpret_cast<void*>(uintptr_t(uint64_t(PackWavePoint(x, y))));
}

void UnpackWavePoint(const void* item, int* x, int* y) {
    uint64_t packed = uint64_t(reinterpret_cast<uintptr_t>(item));
    if (x != nullptr)
        *x = int32_t(uint32_t(packed));
    if (y != nullptr)
        *y = int32_t(uint32_t(packed >> 32));
}

namespace {

// Maps a value onto a plot row: the range's maximum on row 0, its minimum on row H (then
// clamped to H - 1). The clamp happens before the conversion to an integer so that huge or
// undefined rows cannot overflow it.
class RowMapper {
public:
    RowMapper(int64_t height, double yMin, double yMax) : m_height(double(height)) {
        double span = yMax - yMin;
        m_empty = span == 0.0 || !std::isfinite(span);
        if (!m_empty) {
            m_base = m_height + m_height * yMin / span;
            m_scale = 1.0 / span;
        }
    }

    double Row(double value) const {
        double y = m_empty ? std::floor(m_height / 2.0) : std::round(m_base - (value * m_height) * m_scale);
        if (!(y >= 0.0))
            y = 0.0;
        if (y > m_height - 1.0)
            y = m_height - 1.0; // a plot without height puts every row at -1
        return y;
    }

private:
    double m_height;
    bool m_empty = true;
    double m_base = 0.0;
    double m_scale = 0.0;
};

} // namespace

// The visible part of the storage: samples first .. first + last (each index still clamped
// into the storage where it is read).
struct CWaveBuffer::VisibleWindow {
    int64_t first;  // B = L - offset
    int64_t last;   // V1 = V - 1, V >= 1
    int64_t offset; // the offset in 0..L-1
    int64_t total;  // samples in the storage
};

CWaveBuffer::CWaveBuffer() = default;

CWaveBuffer::~CWaveBuffer() = default;

size_t CWaveBuffer::ElementSize() const {
    switch (m_sampleType) {
    case kWaveInt32:
        return 4;
    case kWaveDouble:
        return 8;
    default:
        return 2;
    }
}

size_t CWaveBuffer::StorageSamples() const {
    return size_t(m_windowCount) * size_t(m_windowLength);
}

void CWaveBuffer::MakeStorage() {
    std::vector<uint8_t> fresh(StorageSamples() * ElementSize(), 0);
    m_storage.swap(fresh);
    m_hasStorage = true;
    m_staging.SetBuffer(nullptr, 0);
}

double CWaveBuffer::ValueAt(size_t index) const {
    const uint8_t* p = m_storage.data() + index * ElementSize();
    switch (m_sampleType) {
    case kWaveInt32: {
        int32_t v;
        std::memcpy(&v, p, sizeof v);
        return double(v);
    }
    case kWaveDouble: {
        double v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    default: {
        int16_t v;
        std::memcpy(&v, p, sizeof v);
        return double(v);
    }
    }
}

CWaveBuffer::VisibleWindow CWaveBuffer::Window(int offset, double zoom) const {
    VisibleWindow w;
    const int64_t length = m_windowLength;
    w.total = int64_t(StorageSamples());
    w.offset = std::clamp<int64_t>(offset, 0, length - 1);
    w.first = length - w.offset;
    if (!(zoom > 0.0) || !std::isfinite(zoom))
        zoom = 1.0;
    // Truncated toward zero, kept to what the storage could ever show and to at least one.
    double visible = std::trunc(double(length) / zoom);
    visible = std::clamp(visible, 1.0, double(w.total));
    w.last = int64_t(visible) - 1;
    return w;
}

void CWaveBuffer::Append(const void* samples, int count) {
    if (samples == nullptr || count <= 0)
        return;
    CAutoBaseLock hold(m_lock);
    if (!m_hasStorage)
        return;
    const size_t elementSize = ElementSize();
    if (!m_staging.AppendBuffer(samples, size_t(count) * elementSize))
        return; // out of memory: nothing appended, nothing counted

    const int64_t length = m_windowLength;
    const int64_t appended = int64_t(m_partialCount) + count;
    m_frameCount += appended / length;
    m_partialCount = int(appended % length);

    const size_t staged = m_staging.GetAvailSize() / elementSize;
    const size_t keep = m_wholeFrames ? staged % size_t(length) : 0;
    const size_t move = staged - keep;
    const size_t capacity = StorageSamples();
    uint8_t* from = m_staging.GetBuffer();
    uint8_t* to = m_storage.data();
    if (move >= capacity) {
        std::memcpy(to, from + (move - capacity) * elementSize, capacity * elementSize);
    } else if (move > 0) {
        std::memmove(to, to + move * elementSize, (capacity - move) * elementSize);
        std::memcpy(to + (capacity - move) * elementSize, from, move * elementSize);
    }
    m_staging.SetBuffer(from + move * elementSize, keep * elementSize);
}

void CWaveBuffer::SetExtraWindows(int n) {
    n = std::clamp(n, 0, kMaxExtraWindows);
    CAutoBaseLock hold(m_lock);
    if (!m_hasStorage) {
        m_windowCount = n + 1;
        MakeStorage();
        return;
    }
    if (n == m_windowCount - 1)
        return;
    const size_t oldBytes = m_storage.size();
    m_windowCount = n + 1;
    const size_t newBytes = StorageSamples() * ElementSize();
    if (newBytes == oldBytes)
        return;
    // The oldest samples keep their place; what is new is zero.
    std::vector<uint8_t> fresh(newBytes, 0);
    std::memcpy(fresh.data(), m_storage.data(), std::min(oldBytes, newBytes));
    m_storage.swap(fresh);
    m_staging.SetBuffer(nullptr, 0);
}

void CWaveBuffer::SetSampleType(int type) {
    CAutoBaseLock hold(m_lock);
    const size_t oldBytes = m_storage.size();
    m_sampleType = type;
    if (!m_hasStorage || StorageSamples() * ElementSize() != oldBytes)
        MakeStorage();
}

void CWaveBuffer::SetWindowLength(int length) {
    length = std::clamp(length, 1, kMaxWindowLength);
    CAutoBaseLock hold(m_lock);
    const size_t oldBytes = m_storage.size();
    m_windowLength = length;
    m_partialCount %= length; // stays a count below one window
    if (!m_hasStorage || StorageSamples() * ElementSize() != oldBytes)
        MakeStorage();
}

void CWaveBuffer::Clear() {
    CAutoBaseLock hold(m_lock);
    m_partialCount = 0;
    std::fill(m_storage.begin(), m_storage.end(), uint8_t(0));
    m_staging.SetBuffer(nullptr, 0);
}

void CWaveBuffer::SetWholeFrames(int whole) {
    CAutoBaseLock hold(m_lock);
    m_wholeFrames = whole;
}

void CWaveBuffer::ResetFrameCount() {
    CAutoBaseLock hold(m_lock);
    m_frameCount = 0;
}

int64_t CWaveBuffer::GetFrameCount() {
    CAutoBaseLock hold(m_lock);
    return m_frameCount;
}

int CWaveBuffer::GetPartialCount() {
    CAutoBaseLock hold(m_lock);
    return m_partialCount;
}

int CWaveBuffer::GetSampleType() {
    CAutoBaseLock hold(m_lock);
    return m_sampleType;
}

int CWaveBuffer::GetWindowLength() {
    CAutoBaseLock hold(m_lock);
    return m_windowLength;
}

int CWaveBuffer::GetWindowCount() {
    CAutoBaseLock hold(m_lock);
    return m_windowCount;
}

int CWaveBuffer::GetWholeFrames() {
    CAutoBaseLock hold(m_lock);
    return m_wholeFrames;
}

bool CWaveBuffer::HasStorage() {
    CAutoBaseLock hold(m_lock);
    return m_hasStorage;
}

std::vector<double> CWaveBuffer::CopyStorage() {
    CAutoBaseLock hold(m_lock);
    std::vector<double> values;
    if (!m_hasStorage)
        return values;
    const size_t count = StorageSamples();
    values.reserve(count);
    for (size_t i = 0; i < count; ++i)
        values.push_back(ValueAt(i));
    return values;
}

bool CWaveBuffer::SampleAtColumn(const RECT& plot, double yMin, double yMax, int offset, double zoom, int x,
                                 int* outIndex, int* outType, double* outValue, double* outY) {
    CAutoBaseLock hold(m_lock);
    const int64_t width = int64_t(plot.right) - plot.left;
    const int64_t height = int64_t(plot.bottom) - plot.top;
    if (x < 0 || x >= width || !m_hasStorage)
        return false;
    const VisibleWindow w = Window(offset, zoom);
    if (outType != nullptr)
        *outType = m_sampleType;
    // A plot one column wide shows the first visible sample there.
    double position =
        width == 1 ? double(w.first) : std::round(double(w.last) / double(width - 1) * x + double(w.first));
    const int64_t index = std::clamp<int64_t>(int64_t(position), 0, w.total - 1);
    const double value = ValueAt(size_t(index));
    if (outValue != nullptr)
        *outValue = value;
    if (outY != nullptr)
        *outY = RowMapper(height, yMin, yMax).Row(value);
    if (outIndex != nullptr)
        *outIndex = int((index + w.offset) % m_windowLength);
    return true;
}

void CWaveBuffer::BuildPolyline(const RECT& plot, double yMin, double yMax, int offset, double zoom,
                                CPtrArrayCtrl& points, double* outMin, double* outMax) {
    CAutoBaseLock hold(m_lock);
    if (outMin != nullptr)
        *outMin = 0.0;
    if (outMax != nullptr)
        *outMax = 0.0;
    if (!m_hasStorage)
        return;
    if (outMin != nullptr)
        *outMin = DBL_MAX;
    if (outMax != nullptr)
        *outMax = -DBL_MAX;

    const int64_t width = int64_t(plot.right) - plot.left;
    const int64_t height = int64_t(plot.bottom) - plot.top;
    if (width <= 0)
        return;
    const VisibleWindow w = Window(offset, zoom);
    const RowMapper rows(height, yMin, yMax);

    auto addPoint = [&](int64_t column, int64_t sample) {
        const int64_t index = std::clamp<int64_t>(w.first + sample, 0, w.total - 1);
        const double value = ValueAt(size_t(index));
        if (outMin != nullptr && value < *outMin)
            *outMin = value;
        if (outMax != nullptr && value > *outMax)
            *outMax = value;
        const int64_t row = int64_t(rows.Row(value));
        points.Add(WavePointItem(int(plot.left + column), int(plot.top + row)));
    };

    // One column, or one sample: a single point, from the first visible sample.
    if (width == 1 || w.last == 0) {
        addPoint(0, 0);
        return;
    }
    const double samplesPerColumn = double(w.last) / double(width - 1);
    const double columnStep = std::max(1.0, double(width - 1) / double(w.last));
    for (double t = 0.0; t < double(width); t += columnStep) {
        const int64_t column = std::clamp<int64_t>(int64_t(std::round(t)), 0, width - 1);
        const int64_t sample = std::clamp<int64_t>(int64_t(std::round(t * samplesPerColumn)), 0, w.last);
        addPoint(column, sample);
    }
}
