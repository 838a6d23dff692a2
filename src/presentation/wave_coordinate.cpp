#include "wave_coordinate.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

int LabelCount(int tickCount) {
    return std::min(tickCount, CWaveCoordinate::kMaxLabels);
}

// Folds a label value back into the wrap range by whole periods; one correction only, as
// a label is at most a period or so outside after scrolling.
double Fold(double v, double low, double high, double period) {
    if (!(period > 0.0))
        return v;
    const double lo = low - 1e-16;
    const double hi = high + 1e-16;
    if (v < lo || v > hi) {
        v -= std::trunc(v / period) * period;
        if (v < lo)
            v += period;
        else if (v > hi)
            v -= period;
    }
    return v;
}

} // namespace

int CWaveCoordinate::LabelDecimals() const {
    if (decimals >= 0)
        return std::min(decimals, kMaxDecimals);
    const int n = LabelCount(tickCount);
    // A single label has no neighbour: its step is the whole range.
    const double step = n > 1 ? (maximum - minimum) / (n - 1) : maximum - minimum;
    int digits = 0;
    while (std::fabs(step * std::pow(10.0, digits)) < 1.0 && digits < kAutoDecimalsCap)
        ++digits;
    return digits;
}

std::vector<WaveAxisLabel> CWaveCoordinate::Labels() const {
    std::vector<WaveAxisLabel> labels;
    const int n = LabelCount(tickCount);
    if (n <= 0)
        return labels;
    const double step = n > 1 ? (maximum - minimum) / (n - 1) : 0.0;
    const int digits = LabelDecimals();
    const double scale = std::pow(10.0, digits);
    const double length = vertical ? double(rect.bottom) - rect.top : double(rect.right) - rect.left;
    const double cell = n > 1 ? length / (n - 1) : 0.0;

    // Across the axis the text leans toward the plot.
    const unsigned across = vertical ? (farSide ? 0u : kWaveLabelRight) : (farSide ? 0u : kWaveLabelBottom);
    const unsigned centred = vertical ? kWaveLabelVCenter : kWaveLabelCenter;
    const unsigned atEnd = vertical ? kWaveLabelBottom : kWaveLabelRight;

    labels.reserve(size_t(n));
    for (int i = 0; i < n; ++i) {
        WaveAxisLabel label{};
        double v = (vertical ? double(n - 1 - i) : double(i)) * step + minimum;
        const double rounded = std::round(scale * v) / scale;
        if (std::isfinite(rounded))
            v = rounded;
        v = Fold(v, wrapLow, wrapHigh, wrapPeriod);
        v += 0.0; // minus zero reads "0"
        label.value = v;
        std::snprintf(label.text, sizeof label.text, "%.*f", digits, v);

        double from, to;
        unsigned along;
        if (n == 1) {
            from = 0.0, to = length, along = 0;
        } else if (i == 0) {
            from = 0.0, to = std::round(cell), along = 0;
        } else if (i == n - 1) {
            from = std::round((n - 2) * cell), to = std::round((n - 1) * cell), along = atEnd;
        } else {
            from = std::round((i - 0.5) * cell), to = std::round((i + 0.5) * cell), along = centred;
        }
        if (vertical)
            label.rect = {rect.left, LONG(rect.top + from), rect.right, LONG(rect.top + to)};
        else
            label.rect = {LONG(rect.left + from), rect.top, LONG(rect.left + to), rect.bottom};
        label.format = kWaveLabelBase | along | across;
        labels.push_back(label);
    }
    return labels;
}

POINT PlaceWaveLabel(const RECT& cell, unsigned format, int textWidth, int textHeight, const RECT& bounds,
                     int margin) {
    const auto place = [](LONG from, LONG to, int size, bool centre, bool end) {
        if (centre)
            return LONG(from + ((to - from) - size) / 2);
        return end ? LONG(to - size) : from;
    };
    const auto keepInside = [margin](LONG at, int size, LONG low, LONG high) {
        // Too small a space keeps the start in view, as a cut end is the lesser loss.
        at = std::min<LONG>(at, high - margin - size);
        return std::max<LONG>(at, low + margin);
    };
    LONG x = place(cell.left, cell.right, textWidth, format & kWaveLabelCenter, format & kWaveLabelRight);
    LONG y = place(cell.top, cell.bottom, textHeight, format & kWaveLabelVCenter, format & kWaveLabelBottom);
    return {keepInside(x, textWidth, bounds.left, bounds.right),
            keepInside(y, textHeight, bounds.top, bounds.bottom)};
}
