#include "wave_coordinate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CWaveCoordinate Axis(int vertical, int farSide, int tickCount, double minimum, double maximum) {
    CWaveCoordinate axis;
    axis.vertical = vertical;
    axis.farSide = farSide;
    axis.tickCount = tickCount;
    axis.minimum = minimum;
    axis.maximum = maximum;
    axis.rect = vertical ? RECT{0, 20, 40, 120} : RECT{10, 0, 110, 20};
    return axis;
}

std::vector<std::string> Texts(const CWaveCoordinate& axis) {
    std::vector<std::string> texts;
    for (const WaveAxisLabel& label : axis.Labels())
        texts.push_back(label.text);
    return texts;
}

using Strings = std::vector<std::string>;

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace

TEST(WaveCoordinateLabels, ValuesRoundHalfAwayFromZeroWithAutomaticDecimals) {
    struct Case {
        const char* name;
        CWaveCoordinate axis;
        Strings expected;
    } cases[] = {
        {"vertical 0..100: top shows the maximum", Axis(1, 0, 5, 0, 100), {"100", "75", "50", "25", "0"}},
        {"vertical 0..1: one decimal, 0.75 and 0.25 round up",
         Axis(1, 1, 5, 0, 1),
         {"1.0", "0.8", "0.5", "0.3", "0.0"}},
        {"horizontal 0..100: left shows the minimum", Axis(0, 1, 5, 0, 100), {"0", "25", "50", "75", "100"}},
        {"negative halves round away from zero",
         Axis(0, 1, 5, -1, 0),
         {"-1.0", "-0.8", "-0.5", "-0.3", "0.0"}},
        {"ten decimals are the cap",
         Axis(0, 1, 5, 0, 1e-12),
         {"0.0000000000", "0.0000000000", "0.0000000000", "0.0000000000", "0.0000000000"}},
        {"no labels", Axis(0, 1, 0, 0, 1), {}},
        {"negative label count", Axis(1, 1, -4, 0, 1), {}},
        {"one label shows the minimum, decimals of the range", Axis(1, 0, 1, 0.5, 0.7), {"0.5"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Texts(c.axis), c.expected) << c.name;
}

TEST(WaveCoordinateLabels, AutomaticDecimalsFollowTheStepAndExplicitOnesWin) {
    struct Case {
        int tickCount;
        double minimum, maximum;
        int decimals;
        int expected;
    } cases[] = {
        {5, 0, 1, -1, 1},      // step 0.25
        {3, 0, 0.1, -1, 2},    // step 0.05
        {5, 0, 4, -1, 0},      // step 1
        {5, 0, 400, -1, 0},    // step 100
        {5, 3, 3, -1, 10},     // step 0
        {5, 0, 1e-12, -1, 10}, // capped
        {5, 0, 1, 3, 3},       // explicit
        {5, 0, 1, 0, 0},       // explicit 0
        {5, 0, 1, 400, 15},    // explicit, kept to what a double holds
        {1, 0, 0.2, -1, 1},    // one label: the range is the step
        {1, 5, 5, -1, 10},     // one label over an empty range
    };
    for (const Case& c : cases) {
        CWaveCoordinate axis = Axis(0, 1, c.tickCount, c.minimum, c.maximum);
        axis.decimals = c.decimals;
        EXPECT_EQ(axis.LabelDecimals(), c.expected)
            << c.tickCount << " labels " << c.minimum << ".." << c.maximum << " decimals " << c.decimals;
    }
    CWaveCoordinate axis = Axis(0, 1, 3, 0, 1);
    axis.decimals = 2;
    EXPECT_EQ(Texts(axis), (Strings{"0.00", "0.50", "1.00"}));
}

TEST(WaveCoordinateLabels, ValuesOutsideTheWrapRangeFoldByOnePeriod) {
    CWaveCoordinate axis = Axis(0, 1, 2, -5, 70);
    axis.wrapLow = 0;
    axis.wrapHigh = 63;
    axis.wrapPeriod = 64;
    auto labels = axis.Labels();
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].value, 59);
    EXPECT_STREQ(labels[0].text, "59");
    EXPECT_EQ(labels[1].value, 6);
    EXPECT_STREQ(labels[1].text, "6");

    // Inside the range, and without a period, nothing folds.
    axis.minimum = 0;
    axis.maximum = 63;
    EXPECT_EQ(Texts(axis), (Strings{"0", "63"}));
    axis.minimum = -5;
    axis.maximum = 70;
    axis.wrapPeriod = 0;
    EXPECT_EQ(Texts(axis), (Strings{"-5", "70"}));
}

TEST(WaveCoordinateLabels, ALabelRoundingToMinusZeroReadsZero) {
    CWaveCoordinate axis = Axis(0, 1, 2, -0.04, 0.96);
    axis.decimals = 1;
    EXPECT_EQ(Texts(axis), (Strings{"0.0", "1.0"}));
}

TEST(WaveCoordinateLabels, FormatFlagsPullTheTextTowardThePlot) {
    struct Case {
        const char* axis;
        int vertical, farSide;
        unsigned first, middle, last;
    } cases[] = {
        {"top", 0, 0, 0x8028, 0x8029, 0x802A},
        {"bottom", 0, 1, 0x8020, 0x8021, 0x8022},
        {"left", 1, 0, 0x8022, 0x8026, 0x802A},
        {"right", 1, 1, 0x8020, 0x8024, 0x8028},
    };
    for (const Case& c : cases) {
        auto labels = Axis(c.vertical, c.farSide, 4, 0, 3).Labels();
        ASSERT_EQ(labels.size(), 4u);
        EXPECT_EQ(labels[0].format, c.first) << c.axis;
        EXPECT_EQ(labels[1].format, c.middle) << c.axis;
        EXPECT_EQ(labels[2].format, c.middle) << c.axis;
        EXPECT_EQ(labels[3].format, c.last) << c.axis;
    }
}

TEST(WaveCoordinateLabels, RectanglesShareTheBandAlongTheAxisAndSpanItAcross) {
    // Band 100 long, 5 labels: cell 25; middle labels are centred on their tick.
    const std::vector<std::pair<int, int>> along = {{0, 25}, {13, 38}, {38, 63}, {63, 88}, {75, 100}};

    auto horizontal = Axis(0, 1, 5, 0, 4).Labels();
    ASSERT_EQ(horizontal.size(), 5u);
    for (size_t i = 0; i < 5; ++i) {
        RECT expected{10 + along[i].first, 0, 10 + along[i].second, 20};
        EXPECT_TRUE(Same(horizontal[i].rect, expected)) << "horizontal label " << i;
    }
    auto vertical = Axis(1, 0, 5, 0, 4).Labels();
    ASSERT_EQ(vertical.size(), 5u);
    for (size_t i = 0; i < 5; ++i) {
        RECT expected{0, 20 + along[i].first, 40, 20 + along[i].second};
        EXPECT_TRUE(Same(vertical[i].rect, expected)) << "vertical label " << i;
    }

    // A single label takes the whole band, aligned to its start.
    auto single = Axis(0, 1, 1, 7, 7).Labels();
    ASSERT_EQ(single.size(), 1u);
    EXPECT_TRUE(Same(single[0].rect, RECT{10, 0, 110, 20}));
    EXPECT_EQ(single[0].format, 0x8020u);
    EXPECT_EQ(single[0].value, 7);
}

TEST(WaveCoordinateLabels, AHugeLabelCountIsCapped) {
    auto labels = Axis(0, 1, 2000000000, 0, 1).Labels();
    EXPECT_EQ(labels.size(), size_t(CWaveCoordinate::kMaxLabels));
    EXPECT_EQ(labels.back().value, 1.0);
}

// A label's text box sits in its cell as the format says and is moved inside the chart less a
// margin, so the labels at the ends of an axis are never cut by the chart's edge.
TEST(WaveCoordinateLabels, TextBoxesAreAlignedInTheirCellAndKeptInsideTheChart) {
    const RECT chart{0, 0, 200, 100};
    const struct {
        const char* name;
        RECT cell;
        unsigned format;
        int width, height;
        POINT at;
    } cases[] = {
        {"left, top", {20, 30, 60, 50}, kWaveLabelBase, 10, 8, {20, 30}},
        {"centred", {20, 30, 60, 50}, kWaveLabelBase | kWaveLabelCenter | kWaveLabelVCenter, 10, 8, {35, 36}},
        {"right, bottom",
         {20, 30, 60, 50},
         kWaveLabelBase | kWaveLabelRight | kWaveLabelBottom,
         10,
         8,
         {50, 42}},
        {"top label of a left axis", {0, 0, 35, 20}, kWaveLabelBase | kWaveLabelRight, 18, 11, {17, 2}},
        {"last label of a bottom axis",
         {180, 80, 200, 100},
         kWaveLabelBase | kWaveLabelRight,
         8,
         11,
         {190, 80}},
        {"wider than the chart's room", {190, 0, 200, 10}, kWaveLabelBase, 30, 8, {168, 2}},
        {"wider than the chart", {0, 0, 10, 10}, kWaveLabelBase | kWaveLabelRight, 300, 8, {2, 2}},
    };
    for (const auto& c : cases) {
        const POINT at = PlaceWaveLabel(c.cell, c.format, c.width, c.height, chart, 2);
        EXPECT_EQ(at.x, c.at.x) << c.name;
        EXPECT_EQ(at.y, c.at.y) << c.name;
    }
}
