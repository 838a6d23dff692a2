#include "wave_chart_model.h"
#include "wave_readout_format.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Three series of four samples on a 400 x 100 plot for 0..100, so a value v sits on row
// 100 - v. Column 200 shows sample 2 of each.
class WaveReadout : public ::testing::Test {
protected:
    void SetUp() override {
        m.SetSampleCount(4);
        m.SetYRange(0, 100);
        m.seriesCount = 3;
        m.Layout(400, 100);
        const int16_t s0[] = {10, 20, 30, 40}, s1[] = {50, 60, 70, 80}, s2[] = {0, 0, 50, 0};
        m.series[0].buffer.Append(s0, 4);
        m.series[1].buffer.Append(s1, 4);
        m.series[2].buffer.Append(s2, 4);
    }
    std::string At(int px, int py) {
        std::string text = "(none)";
        m.ReadoutText(px, py, &text);
        return text;
    }
    WaveChartModel m;
};

// A 400 x 300 plot of 64 samples per window.
class WaveZoom : public ::testing::Test {
protected:
    void SetUp() override {
        m.SetSampleCount(64);
        m.SetYRange(-100, 100);
        m.Layout(400, 300);
    }
    WaveChartModel m;
};

} // namespace

TEST_F(WaveReadout, TheSeriesNearestThePointerAnswersAndTiesKeepTheLowerIndex) {
    EXPECT_EQ(At(200, 35), "Wave:1, Sample:2, Value:70.0");
    EXPECT_EQ(At(200, 69), "Wave:0, Sample:2, Value:30.0");
    EXPECT_EQ(At(200, 52), "Wave:2, Sample:2, Value:50.0");
    EXPECT_EQ(At(0, 89), "Wave:0, Sample:0, Value:10.0");
    EXPECT_EQ(At(399, 20), "Wave:1, Sample:3, Value:80.0");

    m.series[2].visible = 0;
    EXPECT_EQ(At(200, 50), "Wave:0, Sample:2, Value:30.0") << "rows 70 and 30 are both 20 away";
    m.series[1].readoutEnabled = 0;
    EXPECT_EQ(At(200, 35), "Wave:0, Sample:2, Value:30.0");
    m.series[0].buffer.SetSampleType(5); // not drawn, so not read out
    EXPECT_EQ(At(200, 35), "(none)");
}

TEST_F(WaveReadout, NothingAnswersOutsideThePlotOrWithoutReadouts) {
    EXPECT_FALSE(m.ReadoutText(400, 50, nullptr));
    EXPECT_FALSE(m.ReadoutText(-1, 50, nullptr));
    EXPECT_TRUE(m.AnyReadout());
    for (int i = 0; i < 3; ++i)
        m.series[i].readoutEnabled = 0;
    m.series[3].readoutEnabled = 1; // beyond seriesCount
    EXPECT_FALSE(m.AnyReadout());
    EXPECT_EQ(At(200, 35), "(none)");
}

TEST_F(WaveReadout, TheOwnersFormatIsUsedWhenItIsSafe) {
    m.SetReadoutFormat(1, "Moving", "Gate", "Energy:%.0f");
    EXPECT_EQ(At(200, 35), "Moving, Gate:2, Energy:70");
    // A name with a conversion of its own would read an argument that is not there.
    m.SetReadoutFormat(1, "50%s", nullptr, nullptr);
    EXPECT_EQ(At(200, 35), "Wave:1, Sample:2, Value:70.0");
}

TEST_F(WaveReadout, ScrolledSamplesAreNumberedWithinTheirWindow) {
    struct Case {
        int length, offset, index, number;
    } cases[] = {
        {64, 0, 5, 5}, {64, 10, 5, 59}, {64, 0, 70, 6}, {64, 63, 0, 1}, {1, 0, 9, 0}, {9, 8, 8, 0},
    };
    for (const Case& c : cases) {
        m.SetSampleCount(c.length);
        m.scrollOffset = c.offset;
        EXPECT_EQ(m.SampleNumber(c.index), c.number) << "L " << c.length << " offset " << c.offset;
    }
}

TEST(WaveReadoutFormat, OnlyASampleNumberThenAValueReachPrintf) {
    struct Case {
        const char* format;
        bool ok;
        const char* text;
    } cases[] = {
        {"Wave:0, Sample:%d, Value:%.1f", true, "Wave:0, Sample:3, Value:70.5"},
        {"%5.2f only", true, "70.50 only"},
        {"gate %x", true, "gate 3"},
        {"%-4d|%+08.2f", true, "3   |+0070.50"},
        {"100%% at %d", true, "100% at 3"},
        {"plain", true, "plain"},
        {"", true, ""},
        {"%s", false, nullptr},
        {"%n", false, nullptr},
        {"%d %d", false, nullptr},
        {"%f then %d", false, nullptr},
        {"%.1f %.1f", false, nullptr},
        {"%ld", false, nullptr},
        {"%*d", false, nullptr},
        {"%1000d", false, nullptr},
        {"%.1000f", false, nullptr},
        {"%p", false, nullptr},
        {"trailing %", false, nullptr},
    };
    for (const Case& c : cases) {
        std::string text = "unchanged";
        EXPECT_EQ(FormatReadout(c.format, 3, 70.5, &text), c.ok) << c.format;
        EXPECT_EQ(text, c.ok ? c.text : "unchanged") << c.format;
    }
    std::string text;
    EXPECT_FALSE(FormatReadout(std::string("%d\0%s", 5), 3, 1.0, &text)) << "a hidden conversion";
    EXPECT_FALSE(FormatReadout("%d", 3, 1.0, nullptr));
}

TEST_F(WaveZoom, CtrlWheelZoomsWithinItsLimitsAndKeepsTheViewInsideTheStorage) {
    m.zoomX = 1;
    for (int step = 0; step < 5; ++step)
        EXPECT_TRUE(m.Wheel(200, 150, 120, true)) << "step " << step;
    EXPECT_EQ(m.zoomFactor, 3.0517578125);
    EXPECT_EQ(m.series[0].buffer.GetWindowCount(), 2);
    EXPECT_EQ(m.series[255].buffer.GetWindowCount(), 2);
    EXPECT_GE(m.scrollOffset, 0);
    EXPECT_LT(m.scrollOffset, 64);

    m.zoomFactor = 0.125;
    EXPECT_FALSE(m.Wheel(200, 150, -120, true));
    EXPECT_EQ(m.zoomFactor, 0.125);

    m.zoomFactor = 32.0;
    EXPECT_FALSE(m.Wheel(200, 150, 120, true));
    EXPECT_EQ(m.zoomFactor, 32.0);

    m.zoomFactor = 0.625;
    EXPECT_TRUE(m.Wheel(200, 150, -120, true));
    EXPECT_DOUBLE_EQ(m.zoomFactor, 0.5);
    EXPECT_EQ(m.series[9].buffer.GetWindowCount(), 3);
    EXPECT_DOUBLE_EQ(m.topAxis.coord.maximum - m.topAxis.coord.minimum, 126.0);
    EXPECT_EQ(m.bottomAxis.coord.minimum, m.topAxis.coord.minimum);
}

TEST_F(WaveZoom, TheSampleUnderThePointerStaysThere) {
    m.zoomX = 1;
    std::string before, after;
    ASSERT_TRUE(m.ReadoutText(200, 150, &before));
    ASSERT_TRUE(m.Wheel(200, 150, 120, true));
    ASSERT_TRUE(m.ReadoutText(200, 150, &after));
    EXPECT_EQ(before, "Wave:0, Sample:32, Value:0.0");
    EXPECT_EQ(after, before);
}

TEST_F(WaveZoom, WheelActsOnlyWithItsFlagInsideThePlotOverAVisibleSeries) {
    m.redrawBackground = 0;
    EXPECT_FALSE(m.Wheel(200, 150, 120, true)) << "no flag";
    EXPECT_FALSE(m.Wheel(200, 150, 120, false)) << "no flag";
    m.zoomX = 1;
    EXPECT_FALSE(m.Wheel(400, 150, 120, true)) << "right of the plot";
    EXPECT_FALSE(m.Wheel(200, -1, 120, true)) << "above the plot";
    m.series[0].visible = 0;
    EXPECT_FALSE(m.Wheel(200, 150, 120, true)) << "nothing visible";
    m.series[0].visible = 1;
    m.Layout(1, 300);
    EXPECT_FALSE(m.Wheel(0, 150, 120, true)) << "a plot one pixel wide has no step";
    EXPECT_EQ(m.zoomFactor, 1.0);
    EXPECT_EQ(m.redrawBackground.load(), 0);
}

TEST_F(WaveZoom, WheelZoomsTheValuesAroundThePointer) {
    m.zoomY = 1;
    EXPECT_TRUE(m.Wheel(200, 150, 120, false)); // centre: value 0
    EXPECT_EQ(m.viewYRange.min, -80.0);
    EXPECT_EQ(m.viewYRange.max, 80.0);
    EXPECT_EQ(m.leftAxis.coord.maximum, 80.0);
    EXPECT_EQ(m.rightAxis.coord.minimum, -80.0);
    EXPECT_TRUE(m.Wheel(200, 150, -120, false));
    EXPECT_EQ(m.viewYRange.min, -100.0);
    EXPECT_EQ(m.viewYRange.max, 100.0);
    EXPECT_TRUE(m.Wheel(200, 0, 120, true)) << "Ctrl without zoomX zooms the values";
    EXPECT_EQ(m.viewYRange.min, -60.0);
    EXPECT_EQ(m.viewYRange.max, 100.0);
}

TEST_F(WaveZoom, DraggingPansPastAThresholdAndWithinTheView) {
    EXPECT_FALSE(m.MouseDown(100, 50)) << "no flag: no capture";
    m.dragX = 1;
    ASSERT_TRUE(m.MouseDown(100, 50));
    // A client 64 pixels wide over 64 samples: one sample per pixel.
    EXPECT_FALSE(m.DragTo(105, 50, 64)) << "the first move waits for more than 10 pixels";
    EXPECT_TRUE(m.DragTo(150, 50, 64));
    EXPECT_EQ(m.scrollOffset, 50);
    EXPECT_EQ(m.topAxis.coord.minimum, -50.0);
    EXPECT_EQ(m.topAxis.coord.maximum, 13.0);
    EXPECT_EQ(m.bottomAxis.coord.minimum, -50.0);
    EXPECT_FALSE(m.DragTo(151, 50, 64)) << "then more than 1 pixel";
    EXPECT_TRUE(m.DragTo(152, 50, 64));
    EXPECT_EQ(m.scrollOffset, 52);
    EXPECT_FALSE(m.DragTo(160, 50, 6400)) << "a shift of no sample";
    EXPECT_FALSE(m.DragTo(82, 50, 64)) << "a shift of the whole view";
    EXPECT_FALSE(m.DragTo(200, 50, 0)) << "no client width";
    EXPECT_TRUE(m.DragTo(92, 50, 64)); // back by 60, wrapped into 0..63
    EXPECT_EQ(m.scrollOffset, 56);

    m.dragX = 0;
    m.dragY = 1;
    m.dragFirstMoveY = 1;
    m.dragLast = {0, 0};
    EXPECT_TRUE(m.DragTo(0, 30, 640)); // 30 of 300 pixels over 200: 20
    EXPECT_DOUBLE_EQ(m.viewYRange.min, -80.0);
    EXPECT_DOUBLE_EQ(m.viewYRange.max, 120.0);
    EXPECT_EQ(m.rightAxis.coord.maximum, m.viewYRange.max);

    EXPECT_TRUE(m.MouseUp());
    EXPECT_EQ(m.dragging, 0);
    EXPECT_FALSE(m.DragTo(0, 90, 640)) << "not dragging";
}

TEST_F(WaveZoom, DoubleClickResetsTheViewOnlyWithAFlag) {
    m.zoomFactor = 0.5;
    m.scrollOffset = 7;
    m.viewYRange = {1, 2};
    m.series[4].buffer.SetExtraWindows(2);
    EXPECT_FALSE(m.DoubleClick());
    EXPECT_EQ(m.zoomFactor, 0.5);
    EXPECT_EQ(m.scrollOffset, 7);

    m.zoomY = 1;
    m.homeYRange = {-7, 7};
    m.topAxis.coord.minimum = 12;
    EXPECT_TRUE(m.DoubleClick());
    EXPECT_EQ(m.zoomFactor, 1.0);
    EXPECT_EQ(m.scrollOffset, 0);
    EXPECT_EQ(m.viewYRange.min, -100.0);
    EXPECT_EQ(m.leftAxis.coord.minimum, -7.0);
    EXPECT_EQ(m.topAxis.coord.minimum, 0.0);
    EXPECT_EQ(m.bottomAxis.coord.maximum, 63.0);
    EXPECT_EQ(m.series[4].buffer.GetWindowCount(), 2);
}
