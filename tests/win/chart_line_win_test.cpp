// The chart's series line drawn into pixels against what a wide GDI pen paints of the same
// polyline: the same ink, but for a pixel here and there at its edges.
#include "wave_line_raster.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <vector>

namespace {

constexpr int kWidth = 200, kHeight = 120;

std::vector<uint32_t> DrawnWithGdi(const std::vector<POINT>& points, int lineWidth) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HPEN pen = CreatePen(PS_SOLID, lineWidth, RGB(255, 255, 255));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Polyline(dc, points.data(), int(points.size()));
    GdiFlush();
    std::vector<uint32_t> pixels(static_cast<const uint32_t*>(bits),
                                 static_cast<const uint32_t*>(bits) + kWidth * kHeight);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBitmap);
    DeleteObject(pen);
    DeleteObject(bitmap);
    DeleteDC(dc);
    for (uint32_t& p : pixels)
        p &= 0xFFFFFF;
    return pixels;
}

bool Ink(const std::vector<uint32_t>& pixels, int x, int y) {
    return x >= 0 && y >= 0 && x < kWidth && y < kHeight && pixels[size_t(y * kWidth + x)] != 0;
}

} // namespace

TEST(ChartLine, PixelLinesPaintWhatAWideGdiPenPaints) {
    std::vector<POINT> distance; // one point a column, with the steps and jumps of a walk
    for (int x = 10; x < 190; ++x)
        distance.push_back({x, x < 60 ? 20 + x / 3 : x < 100 ? 90 : x < 101 ? 30 : 30 + (x % 7)});
    const struct {
        const char* name;
        std::vector<POINT> points;
        int lineWidth;
    } cases[] = {
        {"distance line", distance, 3},
        {"energy gates", {{10, 100}, {40, 20}, {70, 60}, {100, 60}, {130, 10}, {190, 110}}, 5},
        {"one pixel wide", {{5, 5}, {60, 40}, {90, 5}, {150, 100}}, 1},
        {"steep jump", {{50, 10}, {51, 100}, {52, 100}, {120, 100}}, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<uint32_t> gdi = DrawnWithGdi(c.points, c.lineWidth);
        std::vector<uint32_t> ours(size_t(kWidth * kHeight), 0);
        DrawWidePolyline(ours.data(), kWidth, kHeight, c.points.data(), int(c.points.size()), c.lineWidth,
                         0xFFFFFF);
        int inkGdi = 0, inkOurs = 0, differ = 0, astray = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const bool a = Ink(gdi, x, y), b = Ink(ours, x, y);
                inkGdi += a;
                inkOurs += b;
                if (a == b)
                    continue;
                ++differ;
                // A difference is an edge pixel: next to ink both agree on.
                bool nearCommon = false;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        nearCommon = nearCommon || (Ink(gdi, x + dx, y + dy) && Ink(ours, x + dx, y + dy));
                astray += !nearCommon;
            }
        ASSERT_GT(inkGdi, 50);
        EXPECT_EQ(astray, 0);
        EXPECT_LE(differ, (inkGdi + inkOurs) / 2 / 5) << inkGdi << " " << inkOurs; // within 20 %
        EXPECT_LE(std::abs(inkGdi - inkOurs), inkGdi / 5);
    }
}
