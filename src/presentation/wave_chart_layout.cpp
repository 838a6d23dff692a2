// Layout, background and series points of the chart model.
#include "wave_chart_model.h"

#include "pixel_buffer.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Fills `rect` clipped to a buffer of `width` x `height` pixels.
void FillOnBuffer(uint32_t color, uint32_t* pixels, RECT rect, int width, int height) {
    DrawColorOnBuffer(color, pixels, &rect, width * 4, height);
}

int VisibleSize(WaveAxis& axis) {
    if (!axis.visible)
        axis.size = 0;
    return std::max(axis.size, 0);
}

} // namespace

void WaveChartModel::Layout(int width, int height) {
    CAutoBaseLock hold(m_lock);
    clientWidth = width;
    clientHeight = height;
    const int left = VisibleSize(leftAxis);
    const int right = VisibleSize(rightAxis);
    const int top = VisibleSize(topAxis);
    const int bottom = VisibleSize(bottomAxis);
    // Bands wider than the client leave a plot without width, never an inverted one.
    const LONG plotRight = std::max(width - right, left);
    const LONG plotBottom = std::max(height - bottom, top);

    leftAxis.coord.rect = {0, top, left, plotBottom};
    rightAxis.coord.rect = {plotRight, top, width, plotBottom};
    topAxis.coord.rect = {left, 0, plotRight, top};
    bottomAxis.coord.rect = {left, plotBottom, plotRight, height};
    plotRect = {left, top, plotRight, plotBottom};

    if (gridVisible) {
        const double plotWidth = double(plotRect.right - plotRect.left);
        const double plotHeight = double(plotRect.bottom - plotRect.top);
        gridCellHeight = std::clamp(plotHeight / std::max(gridRows, 1), 8.0, 40.0);
        int columns = int(plotWidth / gridCellHeight);
        columns -= columns % 2;
        // Narrower than two cells: no columns, and no cell width to divide by.
        gridCellWidth = columns > 0 ? plotWidth / columns : 0.0;
    }
}

void WaveChartModel::DrawGrid(uint32_t* pixels, int width, int height) {
    const RECT& plot = plotRect;
    const int w = plot.right - plot.left;
    const int h = plot.bottom - plot.top;
    const double cw = gridCellWidth;
    const double ch = gridCellHeight;
    if (!(ch > 0.0))
        return;

    const int length = std::clamp(gridPatternLength, 1, std::max(width, height) + 1);
    const std::vector<DWORD> gridColors(size_t(length), gridColor);
    const std::vector<DWORD> centreColors(size_t(length), gridCenterColor);
    auto line = [&](LONG x0, LONG y0, LONG x1, LONG y1, const std::vector<DWORD>& colors) {
        DrawLineOnBuffer(pixels, POINT{x0, y0}, POINT{x1, y1}, width, height, width * 4, 4, length,
                         colors.data(), 0);
    };

    const int ny = int(std::floor(h / ch));
    const int my = (h - int(std::floor(ny * ch))) / 2;
    for (int j = 0; j <= ny; ++j) {
        const LONG y = plot.top + LONG(std::floor(j * ch + my));
        line(plot.left, y, plot.right, y, gridColors);
    }
    line(plot.left, plot.top + h / 2, plot.right, plot.top + h / 2, centreColors);

    if (cw > 0.0) {
        const int nx = int(std::floor(w / cw));
        const int mx = (w - int(std::floor(nx * cw))) / 2;
        for (int j = 0; j <= nx; ++j) {
            const LONG x = plot.left + LONG(std::floor(j * cw + mx));
            line(x, plot.top, x, plot.bottom, gridColors);
        }
    }
    line(plot.left + w / 2, plot.top, plot.left + w / 2, plot.bottom, centreColors);
}

void WaveChartModel::PaintBackground(uint32_t* pixels, int width, int height,
                                     const WavePlotPictureFunc& plotPicture) {
    CAutoBaseLock hold(m_lock);
    Layout(width, height);
    if (pixels == nullptr || width <= 0 || height <= 0)
        return;
    FillOnBuffer(windowBkColor, pixels, RECT{0, 0, width, height}, width, height);
    if (drawPlotBk) {
        const bool copied = plotBkUsesPicture && plotPicture && plotPicture(pixels, plotRect);
        if (!copied)
            FillOnBuffer(plotBkColor, pixels, plotRect, width, height);
    }
    if (gridVisible)
        DrawGrid(pixels, width, height);
}

void WaveChartModel::BuildSeriesPoints() {
    CAutoBaseLock hold(m_lock);
    const RECT plot = plotRect;
    for (int i = 0; i < UsedSeries(); ++i) {
        WaveSeries& s = series[i];
        if (!s.visible)
            continue;
        s.points.RemoveAll();
        const int type = s.buffer.GetSampleType();
        if (type != kWaveInt16 && type != kWaveInt32 && type != kWaveDouble)
            continue;
        s.buffer.BuildPolyline(plot, viewYRange.min, viewYRange.max, scrollOffset, zoomFactor, s.points,
                               nullptr, nullptr);
        // Only a plot without height puts points outside it (on the row above).
        for (int k = s.points.GetCount() - 1; k >= 0; --k) {
            int x, y;
            UnpackWavePoint(s.points.GetAt(k), &x, &y);
            if (x < plot.left || x >= plot.right || y < plot.top || y >= plot.bottom)
                s.points.Remove(k);
        }
    }
}
