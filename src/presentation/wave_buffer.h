// The samples of one chart series and the screen points of their visible part.
//
// Storage is a sliding window of windowCount x windowLength samples, oldest first; the
// reader thread appends while the GUI thread builds points, so every member below is
// guarded by the buffer's own lock (the partial-count reset of Clear and ResetFrameCount
// included). A chart that holds its own lock takes it before this one, never after.
//
// Choices where the arithmetic alone would misbehave:
// - Storage is made by the first SetSampleType, SetWindowLength or SetExtraWindows call,
//   even when it leaves the byte size as it was, so a chart whose first sample count equals
//   the default still gets storage. Before any of them, appends are ignored.
// - A window length below 1 is taken as 1 and one above kMaxWindowLength as that; extra
//   windows are kept in 0..kMaxExtraWindows. Negative or zero counts and null pointers are
//   no-ops.
// - The offset is kept in 0..L-1 and every sample index is clamped into the storage, so no
//   combination of offset, zoom and window count reads outside it. A zoom that is not a
//   positive number is taken as 1; at least one sample is always visible.
// - A plot one column wide shows the first visible sample only; a plot without width shows
//   nothing.
// - An empty vertical range (yMin == yMax, or a range that is not finite) puts every
//   sample on the middle row, H / 2 (clamped like every row).
// - Rows are clamped to 0..H-1 in floating point before they become integers, so values
//   that are not finite clamp too (NaN to row 0) instead of overflowing the conversion.
#pragma once

#include "base_buffer.h"
#include "base_lock.h"
#include "ptr_containers.h"
#include "win_types.h"

#include <cstdint>
#include <vector>

// Sample types: 16-bit, 32-bit signed integers and doubles. Any other type is stored with
// 2 bytes per element and never drawn.
enum WaveSampleType { kWaveInt16 = 0, kWaveInt32 = 1, kWaveDouble = 2 };

// One screen point in a CPtrArrayCtrl: x in the low 32 bits, y in the high 32 bits, stored
// as the pointer value itself (not pointing anywhere).
int64_t PackWavePoint(int x, int y);
void UnpackWavePoint(const void* item, int* x, int* y);
void* WavePointItem(int x, int y); // the PackWavePoint value as a container item

class CWaveBuffer {
public:
    static constexpr int kDefaultWindowLength = 1024;
    static constexpr int kMaxWindowLength = 1 << 20;
    static constexpr int kMaxExtraWindows = 64;

    CWaveBuffer();
    virtual ~CWaveBuffer();
    CWaveBuffer(const CWaveBuffer&) = delete;
    CWaveBuffer& operator=(const CWaveBuffer&) = delete;

    // Appends `count` elements of the current sample type. frameCount counts every
    // complete window appended; with wholeFrames set only whole windows enter the storage
    // and the rest waits in the staging buffer for the next append.
    void Append(const void* samples, int count);
    // Makes the storage hold n + 1 windows; the oldest samples are kept, the rest zeroed.
    void SetExtraWindows(int n);
    // New element type: a new byte size gives new, zeroed storage.
    void SetSampleType(int type);
    // New window length: a new byte size gives new, zeroed storage. The partial count is
    // taken modulo the new length, so it stays below one window. The caller then calls
    // SetExtraWindows(1).
    void SetWindowLength(int length);
    // Zeroes the storage and the partial count, drops staged samples; frameCount stays.
    void Clear();
    void SetWholeFrames(int whole);
    void ResetFrameCount();

    int64_t GetFrameCount();
    int GetPartialCount();
    int GetSampleType();
    int GetWindowLength();
    int GetWindowCount();
    int GetWholeFrames();
    bool HasStorage();
    // The storage as doubles, oldest first (empty without storage).
    std::vector<double> CopyStorage();

    // For plot column x (0 = left edge of the plot): the sample's index within its window
    // ((storage index + offset) mod L), the sample type, the value and its row relative to
    // the plot top. False, with nothing written, when x is outside the plot or there is no
    // storage. Null out-pointers are skipped.
    bool SampleAtColumn(const RECT& plot, double yMin, double yMax, int offset, double zoom, int x,
                        int* outIndex, int* outType, double* outValue, double* outY);
    // Appends the packed screen points (client coordinates) of the visible samples: at most
    // one per plot column. *outMin / *outMax (when given) receive the smallest and largest
    // value drawn, 0 and 0 without storage. Sample types other than 0..2 are read as
    // 16-bit; the chart does not call this for them.
    void BuildPolyline(const RECT& plot, double yMin, double yMax, int offset, double zoom,
                       CPtrArrayCtrl& points, double* outMin, double* outMax);

private:
    struct VisibleWindow;

    size_t ElementSize() const;
    size_t StorageSamples() const;
    void MakeStorage();
    double ValueAt(size_t index) const;
    VisibleWindow Window(int offset, double zoom) const;

    CBaseLock m_lock;
    int m_sampleType = kWaveInt16;
    int m_windowLength = kDefaultWindowLength;
    int m_windowCount = 2;
    int m_wholeFrames = 0;
    bool m_hasStorage = false;
    std::vector<uint8_t> m_storage;
    CBaseBuffer m_staging;
    int64_t m_frameCount = 0;
    int m_partialCount = 0;
};
