// Pixel work of the image functions on locked rows: greying, re-alpha-ing and the rectangles
// of a region of opaque pixels. 32-bit pixels are GDI+'s ARGB words (bytes blue, green, red,
// alpha); rows are `stride` bytes apart.
#pragma once

#include "win_types.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace imaging {

// (77 red + 150 green + 29 blue) >> 8: the weights add up to 256, so white stays 255.
inline uint8_t GrayLevel(uint8_t red, uint8_t green, uint8_t blue) {
    return uint8_t((77 * red + 150 * green + 29 * blue) >> 8);
}

// Grey copies of width x height pixels of 3 (blue, green, red) or 4 bytes (alpha kept).
void GrayRows(const uint8_t* source, int sourceStride, uint8_t* destination, int destinationStride, int width,
              int height, int bytesPerPixel);

// Sets the alpha of the pixels in `rect`, clipped to width x height, whose alpha lies in
// lowest..highest.
void SetAlphaInRect(uint8_t* pixels, int stride, int width, int height, const RECT& rect, uint8_t alpha,
                    int lowest, int highest);

// Gathers the rectangles of a region and hands them on in batches of at most `batchLimit`, each
// with its bounding rectangle, so that no single region call gets an unbounded list.
class RegionRectBatcher {
public:
    using Flush = std::function<void(const std::vector<RECT>& rects, const RECT& bounds)>;
    explicit RegionRectBatcher(Flush flush, int batchLimit = 2000);

    void Add(const RECT& rect);
    // Hands on what is left; an empty batch only when nothing was handed on before, so a picture
    // without a single pixel still gets its (empty) region.
    void Finish();

private:
    void Restart();

    Flush m_flush;
    size_t m_limit;
    std::vector<RECT> m_rects;
    RECT m_bounds{};
    bool m_flushed = false;
};

// Adds one rectangle (x0, y, x1, y + 1) for every maximal run of pixels whose alpha is at least
// `threshold`, rows from the top.
void CollectAlphaRuns(const uint8_t* pixels, int stride, int width, int height, uint8_t threshold,
                      RegionRectBatcher& out);

} // namespace imaging
