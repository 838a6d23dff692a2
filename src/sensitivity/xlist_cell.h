// One cell of the editable list: its colours, what it shows (text, a check box, a progress
// bar, a drop-down, a push button) and whether it can be edited in place. Every row keeps one
// record per column, made when the row is added.
#pragma once

#include "win_types.h"

#include <cstdint>
#include <string>
#include <vector>

// The system colours a new cell takes as its own.
struct XListCellDefaults {
    COLORREF windowText;
    COLORREF window;
    COLORREF buttonText;
};

// DrawText flags a new cell's button text is drawn with: centred, vertically centred, end
// ellipsis.
constexpr uint32_t kXListButtonTextFormat = 0x8005;
// Button placement bits: at the right edge (else centred), at the bottom (else centred).
constexpr int32_t kXListButtonRight = 2;
constexpr int32_t kXListButtonBottom = 8;

struct XListCell {
    explicit XListCell(const XListCellDefaults& defaults)
        : textColor(defaults.windowText), background(defaults.window), buttonTextColor(defaults.buttonText) {}

    int32_t enabled = 1; // read on cell 0 only: 0 greys the row and ignores its clicks
    int32_t bold = 0;
    int32_t image = -1;           // index into the list's small image list, -1 none
    std::wstring tooltip;         // empty: the cell's text
    int32_t defaultTextColor = 1; // 1: the row's striped colour, 0: textColor
    int32_t defaultBackground = 1;
    COLORREF textColor;
    COLORREF background;
    int32_t editable = 0;
    int32_t dropDown = 0;
    int32_t progress = 0;
    int32_t progressValue = 0;   // percent; below 0 only the frame is drawn
    std::wstring progressFormat; // empty: "%d%%"
    int32_t progressTextShown = 1;
    int32_t progressTextColor = -1; // -1: the cell's text colour
    int32_t checkState = -1;        // -1 no check box, 0 clear, 1 ticked
    int32_t button = 0;
    int32_t buttonWidth = 0;
    int32_t buttonHeight = 0;
    int32_t buttonPlacement = 1;
    uint32_t buttonTextFormat = kXListButtonTextFormat;
    COLORREF buttonTextColor;
    int32_t buttonPressed = 0;
    int64_t buttonValue = 0; // handed to the listener when the button is clicked
    std::wstring buttonText;

    // Back to the row's striped colours, with the given colours kept as its own.
    void UseRowColors(const XListCellDefaults& defaults);
};

// The cells of one row, one per column the list had when the row was added; the list keeps a
// pointer to it as the item's data value.
class XListRowCells {
public:
    XListRowCells(int count, const XListCellDefaults& defaults);

    int Count() const { return int(m_cells.size()); }
    // Null outside 0 .. Count() - 1.
    XListCell* At(int column);
    const XListCell* At(int column) const;
    // The row's enabled flag, which cell 0 keeps; a row without cells counts as enabled.
    bool RowEnabled() const;

private:
    std::vector<XListCell> m_cells;
};
