#include "balloon_region.h"

#include <algorithm>

namespace controls {

std::vector<RegionBlock> NonKeyRuns(const uint32_t* topRow, int width, int height, ptrdiff_t rowStride,
                                    size_t blockRects) {
    std::vector<RegionBlock> blocks;
    if (topRow == nullptr || width <= 0 || height <= 0 || blockRects == 0)
        return blocks;
    RegionBlock current;
    auto add = [&](LONG x0, LONG x1, LONG y) {
        if (current.rects.empty())
            current.bound = RECT{x0, y, x1, y + 1};
        current.rects.push_back(RECT{x0, y, x1, y + 1});
        current.bound.left = std::min(current.bound.left, x0);
        current.bound.right = std::max(current.bound.right, x1);
        current.bound.bottom = y + 1;
        if (current.rects.size() >= blockRects) {
            blocks.push_back(std::move(current));
            current = RegionBlock{};
        }
    };
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = topRow + ptrdiff_t(y) * rowStride;
        int x = 0;
        while (x < width) {
            while (x < width && IsKeyPixel(row[x]))
                ++x;
            const int x0 = x;
            while (x < width && !IsKeyPixel(row[x]))
                ++x;
            if (x > x0)
                add(x0, x, y);
        }
    }
    if (!current.rects.empty())
        blocks.push_back(std::move(current));
    return blocks;
}

} // namespace controls
