#include "xlist_colors.h"

namespace xlist {

CellColors StripeColors(int row) {
    return row % 2 == 0 ? CellColors{kEvenRowText, kEvenRowBackground}
                        : CellColors{kOddRowText, kOddRowBackground};
}

CellColors CellColorsFor(int row, const XListCell& cell, bool rowEnabled, const SysColors& sys) {
    CellColors colors = StripeColors(row);
    if (cell.defaultTextColor == 0)
        colors.text = cell.textColor;
    if (cell.defaultBackground == 0)
        colors.background = cell.background;
    if (!rowEnabled)
        colors.text = sys.grayText;
    return colors;
}

CellColors TextCellColors(CellColors normal, const SelectionView& view, const SysColors& sys) {
    if (!view.selected || !(view.fullRowSelect || view.column == 0))
        return normal;
    if (view.listFocused)
        return {sys.highlightText, sys.highlight};
    if (!view.showSelectionAlways)
        return normal;
    if (view.dimUnfocused)
        return {sys.windowText, sys.selectionDimmed};
    return {sys.highlightText, sys.highlight};
}

} // namespace xlist
