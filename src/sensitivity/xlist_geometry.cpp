#include "xlist_geometry.h"

#include "xlist_cell.h"

#include <algorithm>

namespace xlist {

int Width(const RECT& r) {
    return r.right - r.left;
}

int Height(const RECT& r) {
    return r.bottom - r.top;
}

bool Contains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

RECT CellPaintRect(const RECT& subItem) {
    return {subItem.left + 1, subItem.top + 1, subItem.right - 1, subItem.bottom - 1};
}

bool HiddenByHeader(const RECT& cell, int headerBottom) {
    return cell.bottom < headerBottom;
}

RECT TextArea(const RECT& cell) {
    RECT area = cell;
    if (Width(area) > 4) {
        area.left += 2;
        area.right -= 2;
    }
    return area;
}

RECT CheckBoxRect(const RECT& area, int inset) {
    const int side = std::max(0, std::min({kCheckBoxSize, Width(area) - inset, Height(area)}));
    const int top = area.top + (Height(area) - side) / 2;
    return {area.left + inset, top, area.left + inset + side, top + side};
}

RECT ButtonRect(const RECT& cell, int width, int height, int placement) {
    width = std::clamp(width, 0, std::max(0, Width(cell)));
    height = std::clamp(height, 0, std::max(0, Height(cell)));
    const int left =
        (placement & kXListButtonRight) != 0 ? cell.right - width : cell.left + (Width(cell) - width) / 2;
    const int top =
        (placement & kXListButtonBottom) != 0 ? cell.bottom - height : cell.top + (Height(cell) - height) / 2;
    return {left, top, left + width, top + height};
}

RECT ProgressFillRect(const RECT& cell, int percent) {
    RECT inner{cell.left + 2, cell.top + 2, cell.right - 2, cell.bottom - 2};
    if (percent < 0 || Width(inner) <= 0 || Height(inner) <= 0)
        return {inner.left, inner.top, inner.left, inner.top};
    inner.right = inner.left + int(int64_t(Width(inner)) * std::min(percent, 100) / 100);
    return inner;
}

RECT DropDownButtonRect(const RECT& cell) {
    const int width = std::clamp(Width(cell), 0, kDropDownButtonWidth);
    return {cell.right - width, cell.top, cell.right, cell.bottom};
}

RECT VerticallyCentered(const RECT& area, int textHeight) {
    RECT r = area;
    r.top = area.top + (Height(area) - textHeight) / 2;
    r.bottom = r.top + textHeight;
    return r;
}

intptr_t PackCellAddress(int row, int column) {
    return intptr_t(row) * 65536 + column;
}

void UnpackCellAddress(intptr_t address, int& row, int& column) {
    row = int(address / 65536);
    column = int(address % 65536);
}

intptr_t CellToolId(int row, int column) {
    return intptr_t(row) * 1000 + column + 1;
}

bool CellFromToolId(intptr_t id, int& row, int& column) {
    if (id < 1)
        return false;
    row = int((id - 1) / 1000);
    column = int((id - 1) % 1000);
    return true;
}

int FlippedHeaderCheck(int state) {
    return state == kHeaderTicked ? kHeaderClear : kHeaderTicked;
}

int HeaderCheckForRows(const std::vector<int>& rowStates) {
    return std::find(rowStates.begin(), rowStates.end(), 0) != rowStates.end() ? kHeaderClear : kHeaderTicked;
}

} // namespace xlist
