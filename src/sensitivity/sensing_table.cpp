#include "sensing_table.h"

#include "xlist_text.h"

namespace sensing {

TableHeights TableHeightsFor(int clientHeight) {
    const int row = clientHeight / 12 - 1;
    return {row, 2 * row};
}

std::array<int, 3> ColumnWidthsFor(int clientWidth) {
    const int width = clientWidth > 3 ? clientWidth - 3 : 0;
    return {int(width * 0.5), int(width * 0.25), int(width * 0.25)};
}

std::wstring SensitivityText(int32_t value) {
    return xlist::FormatWithInt(L"%d", uint16_t(value));
}

} // namespace sensing
