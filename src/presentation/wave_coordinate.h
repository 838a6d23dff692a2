// One chart axis: its value range, labels and number format, and where each label goes.
//
// The label arithmetic is portable; the Win32 side adds the font, the text colour and the
// drawing (wave_coordinate_win.cpp) in the marked block below. Used on the GUI thread, or
// under the owning chart's lock.
//
// Choices where the arithmetic alone would misbehave:
// - One label (tickCount 1) shows the minimum over the whole band, aligned to the start;
//   its automatic decimals are those of a step as wide as the whole range.
// - tickCount above kMaxLabels is taken as kMaxLabels.
// - An explicit `decimals` is kept to at most kMaxDecimals; a rounding that would overflow
//   leaves the value unrounded.
// - A label that rounds to minus zero reads "0", not "-0".
#pragma once

#include "win_types.h"

#include <vector>

#ifdef _WIN32
#include "gdi_objects.h"
#endif

// DrawTextW flags of a label: DT_SINGLELINE | DT_END_ELLIPSIS plus the alignment bits.
enum : unsigned {
    kWaveLabelCenter = 0x1,  // DT_CENTER
    kWaveLabelRight = 0x2,   // DT_RIGHT
    kWaveLabelVCenter = 0x4, // DT_VCENTER
    kWaveLabelBottom = 0x8,  // DT_BOTTOM
    kWaveLabelBase = 0x8020, // DT_SINGLELINE | DT_END_ELLIPSIS
};

struct WaveAxisLabel {
    double value;    // after rounding and folding
    RECT rect;       // client coordinates
    unsigned format; // DrawTextW flags
    char text[64];   // "%.*f" of value with LabelDecimals() digits
};

// Where a label's text goes: a box of the text's measured size, aligned in the label's cell
// as its format says, then moved (never shrunk) to lie inside `bounds` less `margin` on every
// side, so that an end label is never cut by the chart's edge. The margin covers a font that
// draws a little wider or higher than it measures. Returns the box's top-left corner.
POINT PlaceWaveLabel(const RECT& cell, unsigned format, int textWidth, int textHeight, const RECT& bounds,
                     int margin);

class CWaveCoordinate {
public:
    static constexpr int kMaxLabels = 1000;
    static constexpr int kMaxDecimals = 15;
    static constexpr int kAutoDecimalsCap = 10;

    CWaveCoordinate() = default;
    virtual ~CWaveCoordinate() = default;

    // Digits after the point: `decimals` when >= 0, otherwise the fewest (up to 10) that
    // tell two neighbouring labels apart.
    int LabelDecimals() const;
    // The labels in drawing order: left to right, or top to bottom (so a vertical axis
    // starts with the maximum). Empty when tickCount <= 0.
    std::vector<WaveAxisLabel> Labels() const;

    int vertical = 0;          // 1: left or right axis, labels stacked top to bottom
    int farSide = 1;           // 0: left and top axis; text is pulled toward the plot
    int tickCount = 5;         // number of labels
    double minimum = -32768.0; // first label (leftmost, or bottom)
    double maximum = 32768.0;  // last label (rightmost, or top)
    double wrapLow = 0.0;      // label values fold back into wrapLow..wrapHigh ...
    double wrapHigh = 0.0;
    double wrapPeriod = -1.0; // ... by this period; <= 0 means no folding
    RECT rect = {0, 0, 0, 0}; // the axis band, set by the chart's layout
    int decimals = -1;        // -1: automatic

#ifdef _WIN32
    // ---- Win32 members (defined in wave_coordinate_win.cpp by the chart window's side; the
    // chart window gives them their defaults when it creates its axes) ----
    CFont font;             // label font, 8 pt "黑体" by default
    COLORREF textColor = 0; // label colour, GetSysColor(COLOR_WINDOWTEXT) by default
    // Draws every label whole inside `bounds` (the chart's client area); dc already has the
    // font, colour and transparent mode.
    void DrawLabels(HDC dc, const RECT& bounds) const;
    // ---- end of Win32 members ----
#endif
};
