// Pixel work of the image functions: grey levels, re-alpha-ing inside the picture only, and
// the rectangles of a region of opaque pixels.
#include "pixel_ops.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr uint8_t kGuard = 0xC3;

// 32-bit rows with padding after each and guard rows around, so a write outside shows.
struct Pixels32 {
    Pixels32(int width, int height) : width(width), height(height), stride(width * 4 + 8) {
        memory.assign(size_t(stride) * size_t(height + 2), kGuard);
    }
    uint8_t* Row(int y) { return memory.data() + size_t(stride) * size_t(y + 1); }
    uint8_t* At(int x, int y) { return Row(y) + x * 4; }
    void Fill(uint32_t argb) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                SetArgb(x, y, argb);
    }
    void SetArgb(int x, int y, uint32_t argb) {
        for (int i = 0; i < 4; ++i)
            At(x, y)[i] = uint8_t(argb >> (8 * i));
    }
    bool GuardsIntact() const {
        for (size_t i = 0; i < memory.size(); ++i) {
            const size_t row = i / size_t(stride), column = i % size_t(stride);
            const bool inPixels = row >= 1 && row <= size_t(height) && column < size_t(width) * 4;
            if (!inPixels && memory[i] != kGuard)
                return false;
        }
        return true;
    }

    int width, height, stride;
    std::vector<uint8_t> memory;
};

} // namespace

TEST(GrayLevel, WeightsAddUpTo256) {
    EXPECT_EQ(imaging::GrayLevel(255, 0, 0), 76);
    EXPECT_EQ(imaging::GrayLevel(0, 255, 0), 149);
    EXPECT_EQ(imaging::GrayLevel(0, 0, 255), 28);
    EXPECT_EQ(imaging::GrayLevel(255, 255, 255), 255);
    EXPECT_EQ(imaging::GrayLevel(0, 0, 0), 0);
}

TEST(GrayRows, ThreeAndFourBytePixelsAlphaKept) {
    // Blue, green, red (, alpha) in memory.
    const uint8_t source[2][8] = {{0, 0, 255, 0x80, 255, 255, 255, 0x10}, {0, 0, 255, 0, 0, 0, 0, 0}};
    uint8_t out32[8] = {};
    imaging::GrayRows(source[0], 8, out32, 8, 2, 1, 4);
    const uint8_t expected32[8] = {76, 76, 76, 0x80, 255, 255, 255, 0x10};
    EXPECT_EQ(std::vector<uint8_t>(out32, out32 + 8), std::vector<uint8_t>(expected32, expected32 + 8));

    // Two 24-bit rows of one pixel, 4 bytes apart: the padding byte is not touched.
    uint8_t out24[8];
    std::fill(std::begin(out24), std::end(out24), kGuard);
    imaging::GrayRows(source[0], 4, out24, 4, 1, 2, 3);
    const uint8_t expected24[8] = {76, 76, 76, kGuard, 255, 255, 255, kGuard};
    EXPECT_EQ(std::vector<uint8_t>(out24, out24 + 8), std::vector<uint8_t>(expected24, expected24 + 8));
}

TEST(SetAlphaInRect, OnlyInsideThePictureAndTheAlphaRange) {
    Pixels32 p(4, 3);
    p.Fill(0x40112233);
    p.SetArgb(1, 1, 0xFF112233); // outside the range: kept
    // Reaches past every edge of the picture.
    imaging::SetAlphaInRect(p.Row(0), p.stride, 4, 3, RECT{-5, 1, 100, 100}, 0x99, 0x00, 0x80);
    EXPECT_TRUE(p.GuardsIntact());
    EXPECT_EQ(p.At(0, 0)[3], 0x40); // above the rectangle
    EXPECT_EQ(p.At(0, 1)[3], 0x99);
    EXPECT_EQ(p.At(3, 2)[3], 0x99);
    EXPECT_EQ(p.At(1, 1)[3], 0xFF);
    EXPECT_EQ(p.At(0, 1)[2], 0x11); // colour kept
    EXPECT_EQ(p.At(0, 1)[0], 0x33);
}

TEST(CollectAlphaRuns, OneRectanglePerRunOfPixelsAtOrAboveTheThreshold) {
    Pixels32 p(6, 2);
    p.Fill(0x00000000);
    const uint8_t row0[6] = {0x80, 0x80, 0x7F, 0, 0xFF, 0x80}; // 0x80 is the threshold: inside
    for (int x = 0; x < 6; ++x)
        p.At(x, 0)[3] = row0[x];
    std::vector<RECT> rects;
    std::vector<RECT> bounds;
    imaging::RegionRectBatcher batcher([&](const std::vector<RECT>& batch, const RECT& bound) {
        rects.insert(rects.end(), batch.begin(), batch.end());
        bounds.push_back(bound);
    });
    imaging::CollectAlphaRuns(p.Row(0), p.stride, 6, 2, 0x80, batcher);
    batcher.Finish();
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].left, 0);
    EXPECT_EQ(rects[0].right, 2);
    EXPECT_EQ(rects[0].top, 0);
    EXPECT_EQ(rects[0].bottom, 1);
    EXPECT_EQ(rects[1].left, 4);
    EXPECT_EQ(rects[1].right, 6);
    ASSERT_EQ(bounds.size(), 1u);
    EXPECT_EQ(bounds[0].left, 0);
    EXPECT_EQ(bounds[0].right, 6);
    EXPECT_EQ(bounds[0].bottom, 1);
}

TEST(RegionRectBatcher, HandsOnFullBatchesThenTheRest) {
    std::vector<size_t> sizes;
    std::vector<RECT> bounds;
    imaging::RegionRectBatcher batcher(
        [&](const std::vector<RECT>& batch, const RECT& bound) {
            sizes.push_back(batch.size());
            bounds.push_back(bound);
        },
        3);
    for (int y = 0; y < 7; ++y)
        batcher.Add(RECT{y, y, y + 2, y + 1});
    batcher.Finish();
    EXPECT_EQ(sizes, (std::vector<size_t>{3, 3, 1}));
    // Each batch has its own bounds.
    EXPECT_EQ(bounds[1].left, 3);
    EXPECT_EQ(bounds[1].top, 3);
    EXPECT_EQ(bounds[1].right, 7);
    EXPECT_EQ(bounds[1].bottom, 6);

    // A picture without any opaque pixel still gets its one (empty) region.
    sizes.clear();
    imaging::RegionRectBatcher empty(
        [&](const std::vector<RECT>& batch, const RECT&) { sizes.push_back(batch.size()); });
    empty.Finish();
    EXPECT_EQ(sizes, (std::vector<size_t>{0}));
}
