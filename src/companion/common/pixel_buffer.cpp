#include "pixel_buffer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

// clang-format off
const COLORREF gCommonColorTable[5][10] = {
    {RGB(255, 0, 0),   RGB(255, 128, 128), RGB(192, 0, 0),   RGB(255, 96, 0),   RGB(128, 0, 0),
     RGB(255, 160, 122), RGB(220, 20, 60), RGB(178, 34, 34), RGB(250, 128, 114), RGB(139, 69, 19)},
    {RGB(0, 255, 0),   RGB(128, 255, 128), RGB(0, 160, 0),   RGB(154, 205, 50), RGB(0, 100, 0),
     RGB(50, 205, 50), RGB(127, 255, 0),   RGB(46, 139, 87), RGB(144, 238, 144), RGB(85, 107, 47)},
    {RGB(0, 128, 255), RGB(128, 192, 255), RGB(0, 0, 255),   RGB(0, 255, 255),  RGB(0, 0, 139),
     RGB(70, 130, 180), RGB(30, 144, 255), RGB(0, 191, 255), RGB(65, 105, 225), RGB(95, 158, 160)},
    {RGB(255, 255, 0), RGB(255, 215, 0),   RGB(255, 165, 0), RGB(240, 230, 140), RGB(184, 134, 11),
     RGB(255, 228, 181), RGB(218, 165, 32), RGB(189, 183, 107), RGB(255, 140, 0), RGB(205, 133, 63)},
    {RGB(255, 0, 255), RGB(238, 130, 238), RGB(148, 0, 211), RGB(255, 105, 180), RGB(128, 0, 128),
     RGB(186, 85, 211), RGB(199, 21, 133), RGB(216, 191, 216), RGB(138, 43, 226), RGB(255, 20, 147)},
};
// clang-format on

void DrawColorOnBuffer(DWORD color, void* pixels, const RECT* rect, int stride, int height) {
    if (pixels == nullptr || rect == nullptr || stride < 4 || height <= 0)
        return;
    LONG left = std::max<LONG>(rect->left, 0);
    LONG top = std::max<LONG>(rect->top, 0);
    LONG right = std::min<LONG>(rect->right, stride / 4);
    LONG bottom = std::min<LONG>(rect->bottom, height);
    if (left >= right || top >= bottom)
        return;
    auto* base = static_cast<uint8_t*>(pixels);
    for (LONG y = top; y < bottom; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(base + size_t(y) * size_t(stride));
        std::fill(row + left, row + right, uint32_t(color));
    }
}

namespace {

// Cuts the segment to the box [0, w-1] x [0, h-1]; false when nothing of it is inside.
bool ClipSegment(double& x0, double& y0, double& x1, double& y1, int w, int h) {
    double t0 = 0, t1 = 1;
    double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0, (w - 1) - x0, y0, (h - 1) - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1)
        return false;
    double ox = x0, oy = y0;
    x0 = ox + t0 * dx;
    y0 = oy + t0 * dy;
    x1 = ox + t1 * dx;
    y1 = oy + t1 * dy;
    return true;
}

void PutPixel(uint8_t* base, int x, int y, int stride, int bytesPerPixel, DWORD color) {
    uint8_t* p = base + size_t(y) * size_t(stride) + size_t(x) * size_t(bytesPerPixel);
    if (bytesPerPixel == 4) {
        uint32_t word = color;
        std::memcpy(p, &word, 4);
    } else {
        p[0] = uint8_t(color);
        p[1] = uint8_t(color >> 8);
        p[2] = uint8_t(color >> 16);
    }
}

} // namespace

void DrawLineOnBuffer(void* pixels, POINT from, POINT to, int width, int height, int stride,
                      int bytesPerPixel, int patternLength, const DWORD* colors, int flags) {
    (void)flags;
    if (pixels == nullptr || colors == nullptr || patternLength <= 0 || width <= 0 || height <= 0 ||
        (bytesPerPixel != 3 && bytesPerPixel != 4) || stride < width * bytesPerPixel)
        return;
    // Clip first so that a far-away end point costs nothing; the pattern still counts
    // from the original start.
    double x0 = from.x, y0 = from.y, x1 = to.x, y1 = to.y;
    if (!ClipSegment(x0, y0, x1, y1, width, height))
        return;
    int ax = int(std::lround(x0)), ay = int(std::lround(y0));
    int bx = int(std::lround(x1)), by = int(std::lround(y1));
    long long skipped = std::max(std::llabs((long long)ax - from.x), std::llabs((long long)ay - from.y));
    int phase = int(skipped % patternLength);

    auto* base = static_cast<uint8_t*>(pixels);
    int dx = std::abs(bx - ax), sx = ax < bx ? 1 : -1;
    int dy = -std::abs(by - ay), sy = ay < by ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        if (ax >= 0 && ax < width && ay >= 0 && ay < height)
            PutPixel(base, ax, ay, stride, bytesPerPixel, colors[phase]);
        if (ax == bx && ay == by)
            break;
        phase = (phase + 1) % patternLength;
        int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            ax += sx;
        }
        if (twice <= dx) {
            error += dx;
            ay += sy;
        }
    }
}

BOOL BoundRect(RECT* out, const RECT* requested, const RECT* bounds) {
    if (out == nullptr || requested == nullptr || bounds == nullptr)
        return FALSE;
    RECT r{std::max(requested->left, bounds->left), std::max(requested->top, bounds->top),
           std::min(requested->right, bounds->right), std::min(requested->bottom, bounds->bottom)};
    if (r.left >= r.right || r.top >= r.bottom) {
        *out = RECT{0, 0, 0, 0};
        return FALSE;
    }
    *out = r;
    return TRUE;
}

void SetRectXY(RECT* rect, int x, int y, int width, int height) {
    if (rect == nullptr)
        return;
    rect->left = x;
    rect->top = y;
    rect->right = x + width;
    rect->bottom = y + height;
}
