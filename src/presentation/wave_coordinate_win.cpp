// The axis labels drawn with GDI; where they go and what they read is portable
// (wave_coordinate.cpp).
#include "wave_coordinate.h"

#include <algorithm>
#include <cstring>
#include <string>

void CWaveCoordinate::DrawLabels(HDC dc, const RECT& bounds) const {
    if (dc == nullptr)
        return;
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    // Some faces (the CJK replacement under Wine among them) draw a pixel or two beyond what
    // they measure.
    const int margin = std::max(1, int(metrics.tmHeight) / 6);
    for (const WaveAxisLabel& label : Labels()) {
        // Label texts are digits, a sign and a point: plain ASCII.
        std::wstring text(label.text, label.text + strnlen(label.text, sizeof label.text));
        RECT measured{0, 0, 0, 0};
        ::DrawTextW(dc, text.c_str(), int(text.size()), &measured, DT_SINGLELINE | DT_CALCRECT);
        const int width = measured.right - measured.left, height = measured.bottom - measured.top;
        const POINT at = PlaceWaveLabel(label.rect, label.format, width, height, bounds, margin);
        RECT box{at.x, at.y, at.x + width, at.y + height};
        ::DrawTextW(dc, text.c_str(), int(text.size()), &box, DT_SINGLELINE | DT_NOCLIP);
    }
}
