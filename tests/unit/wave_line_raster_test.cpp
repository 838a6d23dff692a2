// The series line in pixels without a window: its width across, and points anywhere.
#include "wave_line_raster.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

constexpr int kWidth = 40, kHeight = 30;

int InkInColumn(const std::vector<uint32_t>& pixels, int x) {
    int ink = 0;
    for (int y = 0; y < kHeight; ++y)
        ink += pixels[size_t(y * kWidth + x)] != 0;
    return ink;
}

} // namespace

TEST(WaveLineRaster, AHorizontalLineIsAsWideAsAskedAndPointsAnywhereStayInTheBuffer) {
    for (int lineWidth : {1, 3, 5}) {
        std::vector<uint32_t> pixels(kWidth * kHeight, 0);
        const POINT line[] = {{5, 15}, {35, 15}};
        DrawWidePolyline(pixels.data(), kWidth, kHeight, line, 2, lineWidth, 0xFFFF00);
        EXPECT_EQ(InkInColumn(pixels, 20), lineWidth) << lineWidth;
        EXPECT_EQ(InkInColumn(pixels, 0), 0) << lineWidth;
        EXPECT_EQ(pixels[size_t(15 * kWidth + 20)], 0xFFFF00u);
    }
    // Far outside, at the ends of the coordinate range: clipped, never written past the buffer
    // (ASan watches), and a line crossing the buffer still shows in it.
    std::vector<uint32_t> pixels(kWidth * kHeight, 0);
    const POINT wild[] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {-100000, 10}, {100000, 10}};
    DrawWidePolyline(pixels.data(), kWidth, kHeight, wild + 2, 2, 3, 1);
    EXPECT_EQ(InkInColumn(pixels, 0), 3);
    DrawWidePolyline(pixels.data(), kWidth, kHeight, wild, 2, 3, 2);
    EXPECT_EQ(pixels[size_t(20 * kWidth + 20)], 2u); // the diagonal through the whole range
    const POINT outside[] = {{-50, -50}, {-10, -60}, {100, -5}};
    std::vector<uint32_t> untouched(kWidth * kHeight, 0);
    DrawWidePolyline(untouched.data(), kWidth, kHeight, outside, 3, 5, 1);
    EXPECT_EQ(untouched, std::vector<uint32_t>(kWidth * kHeight, 0));
    DrawWidePolyline(nullptr, kWidth, kHeight, wild, 2, 3, 1);
    DrawWidePolyline(pixels.data(), 0, 0, wild, 2, 3, 1);
}
