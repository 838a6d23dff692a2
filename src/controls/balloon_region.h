// The balloon's window region: every pixel of its drawing that is not the key colour, as
// one-pixel-high runs collected in blocks, so no single region call gets too many rectangles.
#pragma once

#include "win_types.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace controls {

// The key colour the balloon's background is filled with, RGB(255, 0, 0).
constexpr COLORREF kBalloonKeyColor = RGB(255, 0, 0);
constexpr size_t kRegionBlockRects = 2000;

// A 32-bit pixel (0xAARRGGBB, as a DIB holds it) of the key colour, allowing for a little
// drift in blue and green.
inline bool IsKeyPixel(uint32_t pixel) {
    return (pixel & 0xFF) <= 16 && ((pixel >> 8) & 0xFF) <= 16 && ((pixel >> 16) & 0xFF) == 255;
}

struct RegionBlock {
    std::vector<RECT> rects; // (x0, y, x1, y + 1), rows from the top, left to right
    RECT bound{};            // smallest rectangle around them
};

// The runs of non-key pixels of a picture `width` x `height` whose top row starts at `topRow`
// and whose rows lie `rowStride` pixels apart (negative for a bottom-up DIB), in blocks of
// at most `blockRects`. No block for a picture without such pixels.
std::vector<RegionBlock> NonKeyRuns(const uint32_t* topRow, int width, int height, ptrdiff_t rowStride,
                                    size_t blockRects = kRegionBlockRects);

} // namespace controls
