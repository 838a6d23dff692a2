#include "wave_line_raster.h"

#include "pixel_buffer.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kCentre = 0.5 - 1.0 / 1024;

// Squared distance from (px, py) to the segment (ax, ay)-(bx, by).
double SquaredDistance(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = ax + t * dx - px, ey = ay + t * dy - py;
    return ex * ex + ey * ey;
}

void DrawSegment(uint32_t* pixels, int width, int height, const POINT& a, const POINT& b, double radius,
                 uint32_t pixel) {
    const double reach = radius * radius;
    const int extent = int(std::ceil(radius));
    const long long left = std::max<long long>(0, std::min<long long>(a.x, b.x) - extent);
    const long long right = std::min<long long>(width - 1, std::max<long long>(a.x, b.x) + extent);
    const long long top = std::max<long long>(0, std::min<long long>(a.y, b.y) - extent);
    const long long bottom = std::min<long long>(height - 1, std::max<long long>(a.y, b.y) + extent);
    // A wide GDI pen centres its ink half a pixel right of and below the points; the nudge
    // decides pixels on the boundary, so a line is exactly its width across.
    for (long long y = top; y <= bottom + 1 && y < height; ++y) {
        uint32_t* row = pixels + size_t(y) * size_t(width);
        for (long long x = left; x <= right + 1 && x < width; ++x)
            if (SquaredDistance(double(x) - kCentre, double(y) - kCentre, a.x, a.y, b.x, b.y) < reach)
                row[x] = pixel;
    }
}

} // namespace

void DrawWidePolyline(uint32_t* pixels, int width, int height, const POINT* points, int count, int lineWidth,
                      uint32_t pixel) {
    if (pixels == nullptr || points == nullptr || count <= 0 || width <= 0 || height <= 0)
        return;
    // A one-pixel line is a cosmetic pen's: one pixel a step, as Bresenham draws it.
    if (lineWidth <= 1) {
        const DWORD colors[1] = {DWORD(pixel)};
        for (int i = std::min(1, count - 1); i < count; ++i)
            DrawLineOnBuffer(pixels, points[i == 0 ? 0 : i - 1], points[i], width, height, width * 4, 4, 1,
                             colors, 0);
        return;
    }
    const double radius = lineWidth / 2.0;
    if (count == 1) {
        DrawSegment(pixels, width, height, points[0], points[0], radius, pixel);
        return;
    }
    for (int i = 1; i < count; ++i)
        DrawSegment(pixels, width, height, points[i - 1], points[i], radius, pixel);
}
