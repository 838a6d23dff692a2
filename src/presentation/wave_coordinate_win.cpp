// The axis labels drawn with GDI; where they go and what they read is portable
// (wave_coordinate.cpp).
#include "wave_coordinate.h"

#include <cstring>
#include <string>

void CWaveCoordinate::DrawLabels(HDC dc) const {
    if (dc == nullptr)
        return;
    for (const WaveAxisLabel& label : Labels()) {
        // Label texts are digits, a sign and a point: plain ASCII.
        std::wstring text(label.text, label.text + strnlen(label.text, sizeof label.text));
        RECT rect = label.rect;
        ::DrawTextW(dc, text.c_str(), int(text.size()), &rect, label.format);
    }
}
