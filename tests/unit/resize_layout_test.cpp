#include "resize_layout.h"

#include <gtest/gtest.h>

namespace {
bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
} // namespace

TEST(ResizeLayout, ChildrenScaleWithTheClientAndFontsWithTheSmallerFactor) {
    const RECT control{100, 50, 300, 70};
    struct Case {
        int cx, cy;
        bool keepAspect;
        RECT expected;
        double horizontal, vertical;
        LONG fontHeight; // of a recorded -12
    } cases[] = {
        {1200, 600, false, {150, 50, 450, 70}, 1.5, 1.0, -12},
        {400, 300, false, {50, 25, 150, 35}, 0.5, 0.5, -6},
        {800, 600, false, {100, 50, 300, 70}, 1.0, 1.0, -12},
        {1200, 600, true, {100, 50, 300, 70}, 1.0, 1.0, -12},
        {1000, 900, true, {125, 62, 375, 87}, 1.25, 1.25, -15},
    };
    for (const Case& c : cases) {
        ResizeFactors f = ComputeResizeFactors(800, 600, c.cx, c.cy, c.keepAspect);
        EXPECT_DOUBLE_EQ(f.horizontal, c.horizontal) << c.cx << "x" << c.cy;
        EXPECT_DOUBLE_EQ(f.vertical, c.vertical) << c.cx << "x" << c.cy;
        EXPECT_TRUE(Same(ScaleRect(control, f), c.expected)) << c.cx << "x" << c.cy;
        EXPECT_EQ(ScaleFontMetric(-12, f), c.fontHeight) << c.cx << "x" << c.cy;
    }
}

TEST(ResizeLayout, RecordedSizeOfZeroDoesNotDivide) {
    ResizeFactors f = ComputeResizeFactors(0, 600, 300, 300, false);
    EXPECT_DOUBLE_EQ(f.horizontal, 1.0);
    EXPECT_DOUBLE_EQ(f.vertical, 0.5);
    EXPECT_DOUBLE_EQ(f.font, 0.5);
}
