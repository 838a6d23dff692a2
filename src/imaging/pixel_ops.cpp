#include "pixel_ops.h"

#include <algorithm>
#include <utility>

namespace imaging {

void GrayRows(const uint8_t* source, int sourceStride, uint8_t* destination, int destinationStride, int width,
              int height, int bytesPerPixel) {
    for (int y = 0; y < height; ++y) {
        const uint8_t* in = source + std::ptrdiff_t(y) * sourceStride;
        uint8_t* out = destination + std::ptrdiff_t(y) * destinationStride;
        for (int x = 0; x < width; ++x, in += bytesPerPixel, out += bytesPerPixel) {
            const uint8_t gray = GrayLevel(in[2], in[1], in[0]);
            out[0] = out[1] = out[2] = gray;
            if (bytesPerPixel == 4)
                out[3] = in[3];
        }
    }
}

void SetAlphaInRect(uint8_t* pixels, int stride, int width, int height, const RECT& rect, uint8_t alpha,
                    int lowest, int highest) {
    const int left = std::max<int>(rect.left, 0), top = std::max<int>(rect.top, 0);
    const int right = std::min<int>(rect.right, width), bottom = std::min<int>(rect.bottom, height);
    for (int y = top; y < bottom; ++y) {
        uint8_t* row = pixels + std::ptrdiff_t(y) * stride;
        for (int x = left; x < right; ++x) {
            uint8_t& a = row[x * 4 + 3];
            if (a >= lowest && a <= highest)
                a = alpha;
        }
    }
}

RegionRectBatcher::RegionRectBatcher(Flush flush, int batchLimit)
    : m_flush(std::move(flush)), m_limit(size_t(std::max(batchLimit, 1))) {
    m_rects.reserve(100);
    Restart();
}

void RegionRectBatcher::Restart() {
    m_rects.clear();
    m_bounds = RECT{0x7FFFFFFF, 0x7FFFFFFF, 0, 0};
}

void RegionRectBatcher::Add(const RECT& rect) {
    m_rects.push_back(rect);
    m_bounds.left = std::min(m_bounds.left, rect.left);
    m_bounds.top = std::min(m_bounds.top, rect.top);
    m_bounds.right = std::max(m_bounds.right, rect.right);
    m_bounds.bottom = std::max(m_bounds.bottom, rect.bottom);
    if (m_rects.size() >= m_limit) {
        m_flush(m_rects, m_bounds);
        m_flushed = true;
        Restart();
    }
}

void RegionRectBatcher::Finish() {
    if (!m_rects.empty() || !m_flushed)
        m_flush(m_rects, m_bounds);
    m_flushed = true;
    Restart();
}

void CollectAlphaRuns(const uint8_t* pixels, int stride, int width, int height, uint8_t threshold,
                      RegionRectBatcher& out) {
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = pixels + std::ptrdiff_t(y) * stride;
        int x = 0;
        while (x < width) {
            while (x < width && row[x * 4 + 3] < threshold)
                ++x;
            const int start = x;
            while (x < width && row[x * 4 + 3] >= threshold)
                ++x;
            if (x > start)
                out.Add(RECT{start, y, x, y + 1});
        }
    }
}

} // namespace imaging
