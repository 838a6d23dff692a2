#include "xlist_cell.h"

void XListCell::UseRowColors(const XListCellDefaults& defaults) {
    defaultTextColor = 1;
    defaultBackground = 1;
    textColor = defaults.windowText;
    background = defaults.window;
}

XListRowCells::XListRowCells(int count, const XListCellDefaults& defaults)
    : m_cells(size_t(count > 0 ? count : 0), XListCell(defaults)) {}

XListCell* XListRowCells::At(int column) {
    return column >= 0 && column < Count() ? &m_cells[size_t(column)] : nullptr;
}

const XListCell* XListRowCells::At(int column) const {
    return column >= 0 && column < Count() ? &m_cells[size_t(column)] : nullptr;
}

bool XListRowCells::RowEnabled() const {
    return m_cells.empty() || m_cells.front().enabled != 0;
}
