// Where the editable list draws the parts of a cell and its header, and how it names cells
// to the in-place editor and to tool tips. Rectangles are in the list's client coordinates.
#pragma once

#include "win_types.h"

#include <cstdint>
#include <vector>

namespace xlist {

// The side of a check box, and the widest drop-down button.
constexpr int kCheckBoxSize = 20;
constexpr int kDropDownButtonWidth = 20;
// Space between a header caption and its item's edges, check box or bitmap; also before a
// cell's image.
constexpr int kTextMargin = 6;

int Width(const RECT& r);
int Height(const RECT& r);
bool Contains(const RECT& r, POINT p);

// The part of a sub-item rectangle a cell paints: one pixel in on every side, so the grid
// lines stay.
RECT CellPaintRect(const RECT& subItem);
// A cell that has scrolled up under the header is not painted.
bool HiddenByHeader(const RECT& cell, int headerBottom);
// The text area of a cell: 2 pixels in at each side when more than 4 pixels remain.
RECT TextArea(const RECT& cell);

// A square box of at most kCheckBoxSize (smaller in a smaller rectangle), `inset` pixels from
// the rectangle's left edge, vertically centred.
RECT CheckBoxRect(const RECT& area, int inset);
// A push button of the given size (cut to the cell), placed by kXListButtonRight and
// kXListButtonBottom, else centred.
RECT ButtonRect(const RECT& cell, int width, int height, int placement);
// The filled part of a progress bar: 2 pixels in, `percent` (cut to 0..100) of the width;
// empty below 0.
RECT ProgressFillRect(const RECT& cell, int percent);
// The drop-down button at the cell's right edge, at most kDropDownButtonWidth wide.
RECT DropDownButtonRect(const RECT& cell);
// `area` cut to a block of `textHeight` centred in it vertically.
RECT VerticallyCentered(const RECT& area, int textHeight);

// The editor keeps the cell it edits as row * 65536 + column.
intptr_t PackCellAddress(int row, int column);
void UnpackCellAddress(intptr_t address, int& row, int& column);
// A cell's tool: row * 1000 + column + 1, so that no cell is tool 0.
intptr_t CellToolId(int row, int column);
bool CellFromToolId(intptr_t id, int& row, int& column);

// Header check boxes (an item's image index): 0 none, 1 clear, 2 ticked.
constexpr int kHeaderNoCheck = 0;
constexpr int kHeaderClear = 1;
constexpr int kHeaderTicked = 2;
// A click on a column's header with a check box: ticked becomes clear, anything else ticked.
int FlippedHeaderCheck(int state);
// What a column's header check shows after a row's box changed: clear while some row of the
// column is clear (0), ticked when none is. Rows without a check box (-1) do not count.
int HeaderCheckForRows(const std::vector<int>& rowStates);

} // namespace xlist
