// Which colours a cell of the editable list is drawn in: striped rows, a cell's own colours,
// greyed rows, and the selection.
#pragma once

#include "xlist_cell.h"

namespace xlist {

// Rows 0, 2, 4 ... and rows 1, 3, 5 ...
constexpr COLORREF kEvenRowText = 0xE1BE11;
constexpr COLORREF kEvenRowBackground = 0xF7F7FF;
constexpr COLORREF kOddRowText = 0xC510BA;
constexpr COLORREF kOddRowBackground = 0xE7EFEF;

// The system colours the list draws with, refreshed when the system's change.
struct SysColors {
    COLORREF buttonFace;
    COLORREF buttonHighlight;
    COLORREF buttonShadow;
    COLORREF selectionDimmed; // button face
    COLORREF progressFrame;   // button shadow
    COLORREF buttonText;
    COLORREF grayText; // disabled rows
    COLORREF highlight;
    COLORREF highlightText;
    COLORREF window;
    COLORREF windowText;
};

struct CellColors {
    COLORREF text;
    COLORREF background;
    bool operator==(const CellColors&) const = default;
};

// The row's stripe.
CellColors StripeColors(int row);

// The stripe, replaced by the cell's own colours where it has them; grey text on a disabled
// row.
CellColors CellColorsFor(int row, const XListCell& cell, bool rowEnabled, const SysColors& sys);

struct SelectionView {
    bool selected;      // the row is selected
    bool fullRowSelect; // the list selects whole rows (else only column 0 shows it)
    int column;
    bool listFocused;
    bool showSelectionAlways; // LVS_SHOWSELALWAYS
    bool dimUnfocused;        // an unfocused selection in window text on button face
};

// The colours of a text cell, `normal` unless the selection shows in it.
CellColors TextCellColors(CellColors normal, const SelectionView& view, const SysColors& sys);

} // namespace xlist
