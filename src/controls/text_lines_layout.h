// Where an image static puts its text lines: spread over its height with equal gaps, or a
// fixed gap and a vertical alignment.
#pragma once

#include "win_types.h"

#include <cstdint>
#include <vector>

namespace controls {

// GDI+ alignments: near (left, top), centre, far (right, bottom).
enum TextAlignment { kAlignNear = 0, kAlignCenter = 1, kAlignFar = 2 };

// The top of each line of `heights`, in order, in an area from `top` of `areaHeight`.
// `lineSpacing` 0 gives n + 1 equal gaps that fill the height exactly (above the first line,
// between lines, below the last); any other value is the gap, and the block of lines and gaps
// is placed by `verticalAlignment`.
std::vector<double> LineTops(const std::vector<double>& heights, double top, double areaHeight,
                             int lineSpacing, int verticalAlignment);

// An opaque GDI+ colour (0xAARRGGBB) from a COLORREF (0x00BBGGRR).
inline uint32_t ArgbFromColorRef(COLORREF color) {
    return 0xFF000000u | (uint32_t(color & 0xFF) << 16) | (uint32_t(color & 0xFF00)) | ((color >> 16) & 0xFF);
}

} // namespace controls
