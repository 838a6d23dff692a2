#include "pixel_buffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr uint8_t kBackground = 0x5A;
constexpr uint8_t kGuard = 0xC3;

// A pixel buffer with guard rows above and below and padding at the end of each row, so
// any write outside the pixels shows.
class Canvas {
public:
    Canvas(int width, int height, int bytesPerPixel, int padding = 4)
        : width(width), height(height), bpp(bytesPerPixel), stride(width * bytesPerPixel + padding),
          memory(size_t(stride) * size_t(height + 2), kGuard) {
        for (int y = 0; y < height; ++y)
            std::memset(Row(y), kBackground, size_t(width * bpp));
    }

    uint8_t* Pixels() { return memory.data() + stride; }
    uint8_t* Row(int y) { return Pixels() + size_t(y) * size_t(stride); }
    const uint8_t* Row(int y) const { return memory.data() + size_t(y + 1) * size_t(stride); }

    DWORD At(int x, int y) const {
        const uint8_t* p = Row(y) + size_t(x * bpp);
        DWORD value = 0;
        for (int i = 0; i < bpp; ++i)
            value |= DWORD(p[i]) << (8 * i);
        return value;
    }
    bool IsBackground(int x, int y) const {
        const uint8_t* p = Row(y) + size_t(x * bpp);
        for (int i = 0; i < bpp; ++i) {
            if (p[i] != kBackground)
                return false;
        }
        return true;
    }
    std::set<std::pair<int, int>> Painted() const {
        std::set<std::pair<int, int>> painted;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (!IsBackground(x, y))
                    painted.insert({x, y});
            }
        }
        return painted;
    }
    bool GuardsIntact() const {
        for (size_t i = 0; i < memory.size(); ++i) {
            long row = long(i / size_t(stride)) - 1, column = long(i % size_t(stride));
            bool inside = row >= 0 && row < height && column < width * bpp;
            if (!inside && memory[i] != kGuard)
                return false;
        }
        return true;
    }

    void Line(POINT from, POINT to, const std::vector<DWORD>& colors) {
        DrawLineOnBuffer(Pixels(), from, to, width, height, stride, bpp, int(colors.size()), colors.data(),
                         0);
    }

    const int width, height, bpp, stride;

private:
    std::vector<uint8_t> memory;
};

using Points = std::set<std::pair<int, int>>;

const DWORD kRed = 0x000000FF, kGreen = 0x0000FF00, kBlue = 0x00FF0000;
const std::vector<DWORD> kThree = {kRed, kGreen, kBlue};

} // namespace

TEST(DrawColorOnBuffer, FillsExactlyTheRectangleClippedToTheBuffer) {
    const struct {
        RECT rect;
        Points expected;
    } cases[] = {
        {{2, 1, 5, 3}, {{2, 1}, {3, 1}, {4, 1}, {2, 2}, {3, 2}, {4, 2}}},
        {{-3, -2, 2, 2}, {{0, 0}, {1, 0}, {0, 1}, {1, 1}}},
        // Past the right edge would be the start of the next row.
        {{6, 0, 20, 1}, {{6, 0}, {7, 0}}},
        // Past the bottom edge would be memory after the buffer.
        {{6, 4, 8, 9}, {{6, 4}, {7, 4}, {6, 5}, {7, 5}}},
        {{-100, 5, 100, 100000}, {{0, 5}, {1, 5}, {2, 5}, {3, 5}, {4, 5}, {5, 5}, {6, 5}, {7, 5}}},
        {{0, 6, 8, 7}, {}},   // the first row after the buffer
        {{2, 40, 4, 50}, {}}, // far below
        {{3, 3, 3, 5}, {}},
        {{5, 2, 4, 4}, {}},
        {{1, 4, 2, 4}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.rect.left) + "," + std::to_string(c.rect.top) + "," +
                     std::to_string(c.rect.right) + "," + std::to_string(c.rect.bottom));
        Canvas canvas(8, 6, 4, 0);
        DrawColorOnBuffer(0x00123456, canvas.Pixels(), &c.rect, canvas.stride, canvas.height);
        EXPECT_EQ(canvas.Painted(), c.expected);
        for (const auto& [x, y] : c.expected)
            EXPECT_EQ(canvas.At(x, y), 0x00123456u);
        EXPECT_TRUE(canvas.GuardsIntact());
    }
}

TEST(DrawColorOnBuffer, ABufferWithoutRowsOrWholePixelsIsLeftAlone) {
    Canvas canvas(2, 2, 4, 0);
    const RECT all{0, 0, 2, 2};
    DrawColorOnBuffer(0x00123456, canvas.Pixels(), &all, canvas.stride, 0);
    DrawColorOnBuffer(0x00123456, canvas.Pixels(), &all, canvas.stride, -3);
    DrawColorOnBuffer(0x00123456, canvas.Pixels(), &all, 3, 2); // not even one pixel per row
    DrawColorOnBuffer(0x00123456, nullptr, &all, canvas.stride, 2);
    DrawColorOnBuffer(0x00123456, canvas.Pixels(), nullptr, canvas.stride, 2);
    EXPECT_TRUE(canvas.Painted().empty());
    EXPECT_TRUE(canvas.GuardsIntact());
}

TEST(DrawLineOnBuffer, StraightLinesIncludeBothEnds) {
    const struct {
        POINT from, to;
        Points expected;
    } cases[] = {
        {{1, 2}, {6, 2}, {{1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}, {6, 2}}},
        {{6, 2}, {1, 2}, {{1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}, {6, 2}}},
        {{3, 5}, {3, 0}, {{3, 0}, {3, 1}, {3, 2}, {3, 3}, {3, 4}, {3, 5}}},
        {{0, 0}, {5, 5}, {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}}},
        {{5, 0}, {0, 5}, {{5, 0}, {4, 1}, {3, 2}, {2, 3}, {1, 4}, {0, 5}}},
        {{2, 4}, {2, 4}, {{2, 4}}},
        {{0, 7}, {7, 0}, {{0, 7}, {1, 6}, {2, 5}, {3, 4}, {4, 3}, {5, 2}, {6, 1}, {7, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.from.x) + "," + std::to_string(c.from.y) + " to " +
                     std::to_string(c.to.x) + "," + std::to_string(c.to.y));
        Canvas canvas(8, 8, 4);
        canvas.Line(c.from, c.to, {kRed});
        EXPECT_EQ(canvas.Painted(), c.expected);
        EXPECT_TRUE(canvas.GuardsIntact());
    }
}

TEST(DrawLineOnBuffer, ShallowLineHasOnePixelPerColumn) {
    Canvas canvas(8, 8, 4);
    canvas.Line({0, 0}, {7, 3}, {kRed});
    Points painted = canvas.Painted();
    ASSERT_EQ(painted.size(), 8u);
    EXPECT_TRUE(painted.count({0, 0}));
    EXPECT_TRUE(painted.count({7, 3}));
    for (const auto& [x, y] : painted)
        EXPECT_LE(std::abs(7 * y - 3 * x), 4) << x << "," << y; // within half a pixel of the true line
}

TEST(DrawLineOnBuffer, PatternCyclesPerPixelFromTheStart) {
    Canvas forward(10, 3, 4);
    forward.Line({0, 1}, {9, 1}, kThree);
    Canvas backward(10, 3, 4);
    backward.Line({9, 1}, {0, 1}, kThree);
    Canvas diagonal(6, 6, 4);
    diagonal.Line({5, 5}, {0, 0}, kThree);
    for (int x = 0; x < 10; ++x) {
        SCOPED_TRACE(x);
        EXPECT_EQ(forward.At(x, 1), kThree[size_t(x % 3)]);
        EXPECT_EQ(backward.At(x, 1), kThree[size_t((9 - x) % 3)]);
        if (x < 6) {
            EXPECT_EQ(diagonal.At(x, x), kThree[size_t((5 - x) % 3)]);
        }
    }
}

TEST(DrawLineOnBuffer, ClippedLineKeepsThePatternPhaseOfItsStart) {
    Canvas canvas(5, 3, 4);
    canvas.Line({-2, 1}, {7, 1}, kThree); // pixels 0 and 1 of the line fall outside
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(canvas.At(x, 1), kThree[size_t((x + 2) % 3)]) << x;
    EXPECT_EQ(canvas.Painted().size(), 5u);
    EXPECT_TRUE(canvas.GuardsIntact());
}

TEST(DrawLineOnBuffer, FarAwayEndPointsAreClipped) {
    constexpr LONG kFar = 1000000000;
    {
        SCOPED_TRACE("horizontal through");
        Canvas canvas(16, 4, 4);
        canvas.Line({-kFar, 2}, {kFar, 2}, kThree);
        Points row;
        for (int x = 0; x < 16; ++x)
            row.insert({x, 2});
        EXPECT_EQ(canvas.Painted(), row);
        // Pixel x is pixel kFar + x of the line.
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(canvas.At(x, 2), kThree[size_t((kFar + x) % 3)]) << x;
        EXPECT_TRUE(canvas.GuardsIntact());
    }
    {
        SCOPED_TRACE("diagonal through");
        Canvas canvas(8, 8, 4);
        canvas.Line({-kFar, -kFar}, {kFar, kFar}, {kRed});
        EXPECT_EQ(canvas.Painted(), (Points{{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}}));
        EXPECT_TRUE(canvas.GuardsIntact());
    }
    {
        SCOPED_TRACE("vertical from far above into the buffer");
        Canvas canvas(4, 6, 3);
        canvas.Line({1, -kFar}, {1, 3}, {kRed});
        EXPECT_EQ(canvas.Painted(), (Points{{1, 0}, {1, 1}, {1, 2}, {1, 3}}));
        EXPECT_TRUE(canvas.GuardsIntact());
    }
    {
        SCOPED_TRACE("steep, crossing near the left edge");
        Canvas canvas(8, 8, 4);
        canvas.Line({0, -kFar}, {1, kFar}, {kRed});
        EXPECT_EQ(canvas.Painted().size(), 8u) << "one pixel per row";
        EXPECT_TRUE(canvas.GuardsIntact());
    }
    const POINT missing[][2] = {
        {{-kFar, -5}, {kFar, -5}}, {{-kFar, 8}, {kFar, 8}}, {{-kFar, 0}, {-1, 0}}, {{8, -kFar}, {8, kFar}}};
    for (const auto& m : missing) {
        SCOPED_TRACE("outside " + std::to_string(m[0].x) + "," + std::to_string(m[0].y));
        Canvas canvas(8, 8, 4);
        canvas.Line(m[0], m[1], {kRed});
        EXPECT_TRUE(canvas.Painted().empty());
        EXPECT_TRUE(canvas.GuardsIntact());
    }
}

TEST(DrawLineOnBuffer, ThreeBytesPerPixel) {
    Canvas canvas(5, 3, 3, 1); // odd padding: rows are not word aligned
    canvas.Line({0, 0}, {4, 0}, {0x00112233, 0x00445566});
    canvas.Line({0, 2}, {2, 0}, {0x00778899});
    for (int x = 0; x < 5; ++x) {
        SCOPED_TRACE(x);
        if (x == 2)
            continue; // overwritten by the second line
        const uint8_t* p = canvas.Row(0) + x * 3;
        uint8_t low = x % 2 ? 0x66 : 0x33, mid = x % 2 ? 0x55 : 0x22, high = x % 2 ? 0x44 : 0x11;
        EXPECT_EQ(p[0], low);
        EXPECT_EQ(p[1], mid);
        EXPECT_EQ(p[2], high);
    }
    EXPECT_EQ(canvas.At(2, 0), 0x778899u);
    EXPECT_EQ(canvas.At(1, 1), 0x778899u);
    EXPECT_EQ(canvas.At(0, 2), 0x778899u);
    EXPECT_EQ(canvas.Painted().size(), 7u);
    EXPECT_TRUE(canvas.GuardsIntact());
}

TEST(DrawLineOnBuffer, InvalidArgumentsDrawNothing) {
    Canvas canvas(4, 4, 4);
    const DWORD color = kRed;
    DrawLineOnBuffer(canvas.Pixels(), {0, 0}, {3, 3}, 4, 4, canvas.stride, 2, 1, &color, 0);
    DrawLineOnBuffer(canvas.Pixels(), {0, 0}, {3, 3}, 4, 4, canvas.stride, 4, 0, &color, 0);
    DrawLineOnBuffer(canvas.Pixels(), {0, 0}, {3, 3}, 4, 4, canvas.stride, 4, 1, nullptr, 0);
    DrawLineOnBuffer(canvas.Pixels(), {0, 0}, {3, 3}, 4, 4, 8, 4, 1, &color, 0); // stride shorter than a row
    DrawLineOnBuffer(nullptr, {0, 0}, {3, 3}, 4, 4, canvas.stride, 4, 1, &color, 0);
    EXPECT_TRUE(canvas.Painted().empty());
    EXPECT_TRUE(canvas.GuardsIntact());
}

TEST(BoundRect, IntersectionOrAnAllZeroEmptyRectangle) {
    const struct {
        RECT requested, bounds, expected;
        BOOL result;
    } cases[] = {
        {{0, 0, 10, 10}, {5, 2, 20, 8}, {5, 2, 10, 8}, TRUE},
        {{3, 3, 4, 4}, {0, 0, 10, 10}, {3, 3, 4, 4}, TRUE},
        {{-5, -5, 5, 5}, {-2, 0, 10, 10}, {-2, 0, 5, 5}, TRUE},
        {{0, 0, 5, 5}, {5, 0, 10, 5}, {0, 0, 0, 0}, FALSE},  // touching edges
        {{0, 0, 5, 5}, {6, 6, 10, 10}, {0, 0, 0, 0}, FALSE}, // apart
        {{4, 4, 2, 8}, {0, 0, 10, 10}, {0, 0, 0, 0}, FALSE}, // inverted request
    };
    for (const auto& c : cases) {
        RECT out{99, 99, 99, 99};
        EXPECT_EQ(BoundRect(&out, &c.requested, &c.bounds), c.result);
        EXPECT_EQ(out.left, c.expected.left);
        EXPECT_EQ(out.top, c.expected.top);
        EXPECT_EQ(out.right, c.expected.right);
        EXPECT_EQ(out.bottom, c.expected.bottom);
    }
}

TEST(SetRectXY, FromCornerAndSize) {
    RECT rect{};
    SetRectXY(&rect, 3, -4, 10, 20);
    EXPECT_EQ(rect.left, 3);
    EXPECT_EQ(rect.top, -4);
    EXPECT_EQ(rect.right, 13);
    EXPECT_EQ(rect.bottom, 16);
}

TEST(CommonColorTable, FirstColumnHoldsFiveDistinctColours) {
    std::set<COLORREF> first;
    for (const auto& row : gCommonColorTable) {
        first.insert(row[0]);
        for (COLORREF colour : row)
            EXPECT_EQ(colour & 0xFF000000u, 0u) << "a COLORREF has no fourth byte";
    }
    EXPECT_EQ(first.size(), 5u);
}
