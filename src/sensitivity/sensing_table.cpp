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

bool SensitivityFromText(const std::wstring& text, uint16_t& value) {
    const auto isBlank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    size_t begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    if (begin == end)
        return false;
    unsigned number = 0;
    for (size_t i = begin; i < end; ++i) {
        if (text[i] < L'0' || text[i] > L'9')
            return false;
        number = number * 10 + unsigned(text[i] - L'0');
        if (number > kMaxSensitivity)
            return false;
    }
    value = uint16_t(number);
    return true;
}

} // namespace sensing
