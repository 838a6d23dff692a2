// Zoom and pan of the chart model by mouse; each gesture acts only when its flag is set.
#include "wave_chart_model.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

int64_t Wrap(int64_t value, int64_t length) {
    return ((value % length) + length) % length;
}

void SetAxisRange(WaveAxis& axis, double min, double max) {
    axis.coord.minimum = min;
    axis.coord.maximum = max;
}

} // namespace

static bool AnyFlag(const WaveChartModel& m) {
    return m.zoomY || m.dragY || m.zoomX || m.dragX;
}

bool WaveChartModel::MouseDown(int px, int py) {
    CAutoBaseLock hold(m_lock);
    if (!AnyFlag(*this))
        return false;
    dragLast = {px, py};
    dragging = 1;
    dragFirstMoveX = dragFirstMoveY = 1;
    return true;
}

bool WaveChartModel::MouseUp() {
    CAutoBaseLock hold(m_lock);
    if (!AnyFlag(*this))
        return false;
    dragging = 0;
    dragFirstMoveX = dragFirstMoveY = 0;
    return true;
}

bool WaveChartModel::DragTo(int px, int py, int width) {
    CAutoBaseLock hold(m_lock);
    if (!dragging || !AnyVisible())
        return false;
    bool repaint = false;

    const int plotHeight = plotRect.bottom - plotRect.top;
    if (dragY && plotHeight > 0) {
        const int dy = py - dragLast.y;
        // The first step waits for a clear move, so a click does not scroll.
        if (std::abs(dy) > (dragFirstMoveY ? 10 : 1)) {
            dragFirstMoveY = 0;
            dragLast.y = py;
            const double shift = (viewYRange.max - viewYRange.min) / plotHeight * dy;
            viewYRange.min += shift;
            viewYRange.max += shift;
            SetAxisRange(leftAxis, viewYRange.min, viewYRange.max);
            SetAxisRange(rightAxis, viewYRange.min, viewYRange.max);
            repaint = true;
        }
    }

    if (dragX && width > 0) {
        const int dx = px - dragLast.x;
        if (std::abs(dx) > (dragFirstMoveX ? 10 : 1)) {
            const int64_t length = std::max(sampleCount, 1);
            const double shown = std::trunc(double(length) / zoomFactor);
            const double shift = std::trunc(dx * (double(length) / zoomFactor) / width);
            // A shift of nothing, or of the whole view, is no pan.
            if (std::fabs(shift) > 0.0 && std::fabs(shift) < shown && std::fabs(shift) < double(INT_MAX)) {
                dragFirstMoveX = 0;
                dragLast.x = px;
                topAxis.coord.minimum -= shift;
                topAxis.coord.maximum -= shift;
                SetAxisRange(bottomAxis, topAxis.coord.minimum, topAxis.coord.maximum);
                scrollOffset = int(Wrap(length + int64_t(shift) + scrollOffset, length));
                repaint = true;
            }
        }
    }
    if (repaint)
        Repaint();
    return repaint;
}

bool WaveChartModel::DoubleClick() {
    CAutoBaseLock hold(m_lock);
    if (!AnyFlag(*this))
        return false;
    zoomFactor = 1.0;
    viewYRange = fullYRange;
    SetAxisRange(leftAxis, homeYRange.min, homeYRange.max);
    SetAxisRange(rightAxis, homeYRange.min, homeYRange.max);
    SetAxisRange(topAxis, xRange.min, xRange.max);
    SetAxisRange(bottomAxis, xRange.min, xRange.max);
    scrollOffset = 0;
    for (int i = 0; i < kWaveSeriesCount; ++i)
        series[i].buffer.SetExtraWindows(1);
    Repaint();
    return true;
}

bool WaveChartModel::Wheel(int px, int py, int delta, bool ctrl) {
    CAutoBaseLock hold(m_lock);
    if (!zoomY && !zoomX)
        return false;
    const RECT& plot = plotRect;
    if (px < plot.left || px >= plot.right || py < plot.top || py >= plot.bottom || !AnyVisible())
        return false;

    if (zoomX && ctrl) {
        const int plotWidth = plot.right - plot.left;
        if (plotWidth <= 1)
            return false;
        const int64_t length = std::max(sampleCount, 1);
        const double k = double(length - 1) / double(plotWidth - 1) / zoomFactor;
        const int dx = px - plot.left;
        const int64_t anchor =
            Wrap(int64_t(std::trunc(std::round(double(length - scrollOffset) + dx * k))) + length, length);
        const double factor = delta > 0 ? 1.25 : 0.8;
        const double zoom = factor * zoomFactor;
        if (!(zoom >= 0.125 && zoom <= double(length) * 0.5))
            return false;
        zoomFactor = zoom;
        // Enough windows behind the newest one that the whole view lies inside the storage.
        const int extra = int(std::ceil(1.0 / zoom));
        for (int i = 0; i < kWaveSeriesCount; ++i)
            series[i].buffer.SetExtraWindows(extra);
        // Keep the sample under the pointer where it was.
        const int64_t g = int64_t(std::trunc(k / factor * dx + double(length - anchor)));
        scrollOffset = int(Wrap(g + length, length));
        const double min = xRange.min - double(g) + double(length);
        const double max = (xRange.max - xRange.min) / zoom + min;
        SetAxisRange(topAxis, min, max);
        SetAxisRange(bottomAxis, min, max);
        Repaint();
        return true;
    }

    if (zoomY) {
        const int plotHeight = plot.bottom - plot.top;
        const double pointed =
            (viewYRange.min - viewYRange.max) / plotHeight * (py - plot.top) + viewYRange.max;
        double up = viewYRange.max - pointed;
        double down = pointed - viewYRange.min;
        if (delta > 0) {
            up /= 1.25;
            down /= 1.25;
        } else {
            up *= 1.25;
            down *= 1.25;
        }
        viewYRange = {pointed - down, pointed + up};
        SetAxisRange(leftAxis, viewYRange.min, viewYRange.max);
        SetAxisRange(rightAxis, viewYRange.min, viewYRange.max);
        Repaint();
        return true;
    }
    return false;
}
