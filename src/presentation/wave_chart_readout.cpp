// The value read-out of the chart model: which series answers at the pointer, and its text.
#include "wave_chart_model.h"

#include "wave_readout_format.h"

#include <cmath>

bool WaveChartModel::ReadoutText(int px, int py, std::string* text) {
    CAutoBaseLock hold(m_lock);
    const int dx = px - plotRect.left;
    const int dy = py - plotRect.top;
    double bestDistance = double(clientHeight);
    int best = -1;
    int bestIndex = 0;
    double bestValue = 0.0;
    for (int i = 0; i < UsedSeries(); ++i) {
        WaveSeries& s = series[i];
        if (!s.visible || !s.readoutEnabled)
            continue;
        int index = 0, type = 0;
        double value = 0.0, row = 0.0;
        if (!s.buffer.SampleAtColumn(plotRect, viewYRange.min, viewYRange.max, scrollOffset, zoomFactor, dx,
                                     &index, &type, &value, &row))
            continue;
        if (type != kWaveInt16 && type != kWaveInt32 && type != kWaveDouble)
            continue; // not drawn, so not read out either
        const double distance = std::fabs(dy - row);
        if (distance < bestDistance) { // ties keep the lower index
            bestDistance = distance;
            best = i;
            bestIndex = index;
            bestValue = value;
        }
    }
    if (best < 0)
        return false;
    const int number = SampleNumber(bestIndex);
    std::string result;
    if (!FormatReadout(series[best].readoutFormat, number, bestValue, &result))
        FormatReadout(DefaultReadoutFormat(best), number, bestValue, &result);
    if (text != nullptr)
        *text = std::move(result);
    return true;
}
