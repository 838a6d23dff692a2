#include "wave_chart_model.h"

#include "pixel_buffer.h"

#include <algorithm>
#include <cstdio>

namespace {

void SetAxisRange(WaveAxis& axis, double min, double max) {
    axis.coord.minimum = min;
    axis.coord.maximum = max;
}

void SetAxis(WaveAxis& axis, int vertical, int farSide, int size, int tickCount, double min, double max) {
    axis.size = size;
    axis.coord.vertical = vertical;
    axis.coord.farSide = farSide;
    axis.coord.tickCount = tickCount;
    SetAxisRange(axis, min, max);
}

void SetHorizontalRange(WaveAxis& axis, double min, double max, double period) {
    SetAxisRange(axis, min, max);
    axis.coord.wrapLow = min;
    axis.coord.wrapHigh = max;
    axis.coord.wrapPeriod = period;
}

} // namespace

std::string DefaultReadoutFormat(int series) {
    char text[64];
    std::snprintf(text, sizeof text, "Wave:%d, Sample:%%d, Value:%%.1f", series);
    return text;
}

WaveChartModel::WaveChartModel() : series(new WaveSeries[kWaveSeriesCount]) {
    for (int i = 0; i < kWaveSeriesCount; ++i) {
        WaveSeries& s = series[i];
        s.color = gCommonColorTable[i % 5][(i / 5) % 10];
        s.readoutFormat = DefaultReadoutFormat(i);
        // The buffers take the chart's sample count from the start.
        s.buffer.SetWindowLength(sampleCount);
        s.buffer.SetExtraWindows(1);
    }
    SetAxis(leftAxis, 1, 0, 40, 5, -32767.0, 32767.0);
    SetAxis(rightAxis, 1, 1, 40, 5, -32767.0, 32767.0);
    SetAxis(topAxis, 0, 0, 20, 22, 0.0, 63.0);
    SetAxis(bottomAxis, 0, 1, 20, 22, 0.0, 63.0);
    SetHorizontalRange(topAxis, 0.0, 63.0, 63.0);
    SetHorizontalRange(bottomAxis, 0.0, 63.0, 63.0);
}

WaveChartModel::~WaveChartModel() = default;

int WaveChartModel::UsedSeries() const {
    return std::clamp(seriesCount, 0, kWaveSeriesCount);
}

bool WaveChartModel::AnyVisible() {
    CAutoBaseLock hold(m_lock);
    for (int i = 0; i < UsedSeries(); ++i)
        if (series[i].visible)
            return true;
    return false;
}

void WaveChartModel::SetSampleType(int type) {
    CAutoBaseLock hold(m_lock);
    for (int i = 0; i < kWaveSeriesCount; ++i)
        series[i].buffer.SetSampleType(type);
}

bool WaveChartModel::SetSampleCount(int n) {
    CAutoBaseLock hold(m_lock);
    const int length = std::clamp(n, 1, CWaveBuffer::kMaxWindowLength);
    sampleCount = length;
    zoomFactor = 1.0;
    scrollOffset = 0;
    for (int i = 0; i < kWaveSeriesCount; ++i) {
        series[i].buffer.SetWindowLength(length);
        series[i].buffer.SetExtraWindows(1);
    }
    if (!xRangeFromCount)
        return false;
    xRange = {0.0, double(length - 1)};
    SetHorizontalRange(topAxis, 0.0, double(length - 1), double(length));
    SetHorizontalRange(bottomAxis, 0.0, double(length - 1), double(length));
    Repaint();
    return true;
}

bool WaveChartModel::SetXRange(double min, double max, double period) {
    CAutoBaseLock hold(m_lock);
    xRange = {min, max};
    xRangeFromCount = 0;
    zoomFactor = 1.0;
    scrollOffset = 0;
    for (int i = 0; i < kWaveSeriesCount; ++i)
        series[i].buffer.SetExtraWindows(1);
    SetHorizontalRange(topAxis, min, max, period);
    SetHorizontalRange(bottomAxis, min, max, period);
    Repaint();
    return true;
}

bool WaveChartModel::SetYRange(double min, double max) {
    CAutoBaseLock hold(m_lock);
    fullYRange = viewYRange = {min, max};
    if (!axesFollowYRange)
        return false;
    homeYRange = {min, max};
    SetAxisRange(leftAxis, min, max);
    SetAxisRange(rightAxis, min, max);
    Repaint();
    return true;
}

void WaveChartModel::SetWholeFrames(int whole) {
    CAutoBaseLock hold(m_lock);
    for (int i = 0; i < kWaveSeriesCount; ++i)
        series[i].buffer.SetWholeFrames(whole);
}

void WaveChartModel::ClearData() {
    CAutoBaseLock hold(m_lock);
    for (int i = 0; i < kWaveSeriesCount; ++i)
        series[i].buffer.Clear();
}

void WaveChartModel::ResetFrameCounts() {
    CAutoBaseLock hold(m_lock);
    for (int i = 0; i < kWaveSeriesCount; ++i)
        series[i].buffer.ResetFrameCount();
}

void WaveChartModel::SetReadoutFormat(int index, const char* name, const char* sampleCaption,
                                      const char* valueFormat) {
    if (index < 0 || index >= kWaveSeriesCount)
        return;
    char text[64];
    std::string format;
    if (name != nullptr) {
        format = name;
    } else {
        std::snprintf(text, sizeof text, "Wave:%d", index);
        format = text;
    }
    format += ", ";
    if (sampleCaption != nullptr)
        format.append(sampleCaption).append(":%d");
    else
        format += "Sample:%d";
    format += ", ";
    format += valueFormat != nullptr ? valueFormat : "Value:%.1f";
    CAutoBaseLock hold(m_lock);
    series[index].readoutFormat = std::move(format);
}

int64_t WaveChartModel::LargestFrameCount() {
    CAutoBaseLock hold(m_lock);
    uint64_t largest = 0;
    for (int i = 0; i < UsedSeries(); ++i)
        if (series[i].visible)
            largest = std::max(largest, uint64_t(series[i].buffer.GetFrameCount()));
    return int64_t(largest);
}

bool WaveChartModel::AnyReadout() {
    CAutoBaseLock hold(m_lock);
    for (int i = 0; i < UsedSeries(); ++i)
        if (series[i].readoutEnabled)
            return true;
    return false;
}

int WaveChartModel::SampleNumber(int index) {
    CAutoBaseLock hold(m_lock);
    const int64_t length = std::max(sampleCount, 1);
    auto wrap = [length](int64_t v) { return ((v % length) + length) % length; };
    return int(wrap(wrap(length - scrollOffset) + index));
}
