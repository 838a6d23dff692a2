// Text lines of the image static: equal gaps fill the height; a fixed gap with each vertical
// alignment; colours from COLORREF to GDI+.
#include "text_lines_layout.h"

#include <gtest/gtest.h>

#include <vector>

using controls::LineTops;

TEST(LineTops, EqualGapsAboveBetweenAndBelow) {
    // Two lines of 20 in 100: three gaps of 20.
    EXPECT_EQ(LineTops({20, 20}, 0, 100, 0, controls::kAlignCenter), (std::vector<double>{20, 60}));
    // One line is centred; the area may start lower.
    EXPECT_EQ(LineTops({30}, 10, 100, 0, controls::kAlignCenter), (std::vector<double>{45}));
    // Lines of different heights in an area that is too small: the gaps go negative evenly.
    const std::vector<double> tops = LineTops({40, 20, 30}, 0, 70, 0, controls::kAlignCenter);
    ASSERT_EQ(tops.size(), 3u);
    EXPECT_DOUBLE_EQ(tops[0], -5);
    EXPECT_DOUBLE_EQ(tops[1], 30);
    EXPECT_DOUBLE_EQ(tops[2], 45);
    EXPECT_TRUE(LineTops({}, 0, 100, 0, controls::kAlignCenter).empty());
}

TEST(LineTops, AFixedGapPlacedByTheVerticalAlignment) {
    const struct {
        int alignment;
        std::vector<double> tops;
    } cases[] = {
        {controls::kAlignNear, {10, 40}},   // a gap above the first line
        {controls::kAlignCenter, {25, 55}}, // the block of 2 lines and 3 gaps centred
        {controls::kAlignFar, {40, 70}},    // a gap below the last line
    };
    for (const auto& c : cases)
        EXPECT_EQ(LineTops({20, 20}, 0, 100, 10, c.alignment), c.tops) << "alignment " << c.alignment;
}

TEST(ArgbFromColorRef, RedAndBlueSwapAndAlphaIsOpaque) {
    EXPECT_EQ(controls::ArgbFromColorRef(RGB(0x12, 0x34, 0x56)), 0xFF123456u);
    EXPECT_EQ(controls::ArgbFromColorRef(RGB(255, 0, 0)), 0xFFFF0000u);
    EXPECT_EQ(controls::ArgbFromColorRef(0x00FFFFFF), 0xFFFFFFFFu);
}
